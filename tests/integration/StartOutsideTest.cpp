// The built program started where desktop menus start it, outside any emulator folder: it works in the
// emulator folder used last and leaves the folder it was started in as it was.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/EmulatorFolder.h"
#include "app/MainSettings.h"
#include "integration/RealWindow.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {
const char* const kReadme = "Korb readme\r\nGame name                Internal name\r\n"
                            "THE GAME alpha           alpha\r\nTHE GAME beta            beta\r\n"
                            "THE GAME gamma           gamma\r\n";

// Starts the program in $1 with its configuration in $2, waits for its window, closes it by SIGTERM.
// Everything the driver itself writes goes to $4.
const char* const kOutsideDriver =
    "#!/bin/sh\n"
    "cd \"$1\"\n"
    "XDG_CONFIG_HOME=\"$2\" XDG_RUNTIME_DIR=\"$2/run\" \"$3\" >\"$4/program.log\" 2>&1 &\n"
    "pid=$!\n"
    "i=0\n"
    "while [ $i -lt 600 ]; do\n"
    "  w=$(xdotool search --name 'VantorKorb 0.33.8' 2>/dev/null | head -n 1)\n"
    "  [ -n \"$w\" ] && break\n"
    "  i=$((i+1)); sleep 0.1\n"
    "done\n"
    "[ -n \"$w\" ] && xdotool getwindowname \"$w\" >\"$4/title.txt\"\n"
    "kill -TERM $pid\n"
    "wait $pid\n"
    "echo $? >\"$4/exit.txt\"\n";
} // namespace

TEST(StartOutside, AStartInAnEmptyFolderRunsInTheRememberedEmulatorFolder)
{
    if (!fs::exists(kProgram) || !OnPath("xvfb-run") || !OnPath("xdotool")) {
        GTEST_SKIP() << "needs the built program, xvfb-run and xdotool";
    }
    TTempDir start;
    TTempDir emu;
    TTempDir config;
    TTempDir out;
    fs::permissions(emu.WriteFile("korb.exe", kEmulator), fs::perms::owner_all);
    emu.WriteFile("Readme.txt", kReadme);
    emu.WriteFile("ziproms/beta.zip", "PK");
    fs::create_directory(config.Path() / "run");
    fs::permissions(config.Path() / "run", fs::perms::owner_all);
    TRecentFolders remembered(config.Dir() + "vantorkorb/");
    ASSERT_TRUE(remembered.Remember(emu.Dir()));

    const std::string driver = out.WriteFile("driver.sh", kOutsideDriver);
    const std::string command = "env -u QT_QPA_PLATFORM xvfb-run -a -s '-screen 0 1024x768x24' sh '" +
                                driver + "' '" + start.Dir() + "' '" + config.Dir() + "' '" + kProgram +
                                "' '" + out.Dir() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << ReadAll(out.Path() / "program.log");

    EXPECT_EQ(ReadAll(out.Path() / "title.txt"), "VantorKorb 0.33.8 [3 of 3 games]\n")
        << ReadAll(out.Path() / "program.log");
    EXPECT_EQ(ReadAll(out.Path() / "exit.txt"), "0\n");
    EXPECT_TRUE(fs::is_empty(start.Path())) << "nothing is created where the program was started";
    ASSERT_TRUE(fs::is_regular_file(emu.Path() / "Vantorkorb.ini"));
    EXPECT_TRUE(fs::is_regular_file(emu.Path() / "listinfo.txt"));
    EXPECT_TRUE(fs::is_directory(emu.Path() / "Gameplay"));
    const TMainSettingsRecord saved = ReadMainSettingsFile((emu.Path() / "Vantorkorb.ini").string());
    EXPECT_EQ(saved.EmuExePath, "./");
    EXPECT_EQ(saved.CurScrShots.size(), 3u);
    remembered.Load();
    EXPECT_EQ(remembered.Folders().front(), emu.Dir());
}

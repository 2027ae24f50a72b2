// The built program in a real X server: it starts in an emulator folder, shows its counting title, is
// photographed, closes on SIGTERM and leaves its settings file behind.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/MainSettings.h"
#include "integration/RealWindow.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

// The archive names the emulator lists after its "games:" line.
std::vector<std::string> ListedNames(const std::string& emulator)
{
    std::vector<std::string> names;
    FILE* pipe = popen(("'" + emulator + "' -list").c_str(), "r");
    if (!pipe) {
        return names;
    }
    std::string output;
    char buffer[4096];
    for (size_t got; (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        output.append(buffer, got);
    }
    pclose(pipe);
    const size_t marker = output.find("games:");
    std::istringstream words(marker == std::string::npos ? "" : output.substr(marker + 6));
    for (std::string word; words >> word;) {
        names.push_back(word);
    }
    return names;
}

// The stand-in emulator when it is built, else the script; the readme names every listed game.
std::vector<std::string> SetUpEmulator(const TTempDir& dir)
{
    const std::string emulator = dir.Dir() + "korb.exe";
    if (fs::exists(KORB_SIM_PATH)) {
        fs::copy_file(KORB_SIM_PATH, emulator);
    } else {
        dir.WriteFile("korb.exe", kEmulator);
    }
    fs::permissions(emulator, fs::perms::owner_all);
    const std::vector<std::string> names = ListedNames(emulator);
    std::string readme = "Korb readme\r\nGame name                Internal name\r\n";
    for (const std::string& name : names) {
        readme += "THE GAME " + name + "      " + name + "\r\n";
    }
    dir.WriteFile("Readme.txt", readme);
    return names;
}

// Starts the program, waits for its window, photographs the screen, sends SIGTERM and waits for the end.
const char* const kDriver = "#!/bin/sh\n"
                            "cd \"$1\"\n"
                            "\"$2\" >program.log 2>&1 &\n"
                            "pid=$!\n"
                            "i=0\n"
                            "while [ $i -lt 600 ]; do\n"
                            "  w=$(xdotool search --name 'VantorKorb 0.33.8' 2>/dev/null | head -n 1)\n"
                            "  [ -n \"$w\" ] && break\n"
                            "  i=$((i+1)); sleep 0.1\n"
                            "done\n"
                            "[ -n \"$w\" ] && xdotool getwindowname \"$w\" >title.txt\n"
                            "sleep 1\n"
                            "/usr/bin/import -window root \"$3\"\n"
                            "kill -TERM $pid\n"
                            "wait $pid\n"
                            "echo $? >exit.txt\n";
} // namespace

TEST(SmokeWindow, StartsShowsTitleAndSavesOnSigterm)
{
    if (!fs::exists(kProgram) || !OnPath("xvfb-run") || !OnPath("xdotool") ||
        !fs::exists("/usr/bin/import")) {
        GTEST_SKIP() << "needs the built program, xvfb-run, xdotool and ImageMagick import";
    }
    TTempDir dir;
    const std::vector<std::string> names = SetUpEmulator(dir);
    ASSERT_GE(names.size(), 2u);
    dir.WriteFile("ziproms/" + names[1] + ".zip", "PK");
    const std::string driver = dir.WriteFile("driver.sh", kDriver);
    // The folders used last are remembered per user: a test keeps them in a folder of its own.
    TTempDir config;
    // The photograph goes with the rest of the run: nothing is left in the build folder.
    const std::string shot = dir.Dir() + "smoke-window.png";
    const std::string command = "env -u QT_QPA_PLATFORM XDG_CONFIG_HOME='" + config.Dir() +
                                "' xvfb-run -a -s '-screen 0 1024x768x24' sh '" + driver + "' '" + dir.Dir() +
                                "' '" + kProgram + "' '" + shot + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << ReadAll(dir.Path() / "program.log");

    const std::string count = std::to_string(names.size());
    EXPECT_EQ(ReadAll(dir.Path() / "title.txt"),
              "VantorKorb 0.33.8 [" + count + " of " + count + " games]\n");
    EXPECT_EQ(ReadAll(dir.Path() / "exit.txt"), "0\n");
    EXPECT_EQ(ReadAll(shot).substr(0, 4), "\x89PNG");

    ASSERT_TRUE(fs::exists(dir.Path() / "Vantorkorb.ini"));
    const TMainSettingsRecord saved = ReadMainSettingsFile((dir.Path() / "Vantorkorb.ini").string());
    EXPECT_TRUE(saved.All);
    EXPECT_TRUE(saved.Large);
    EXPECT_EQ(saved.State, 0);
    EXPECT_GE(saved.Width, 148);
    ASSERT_EQ(saved.CurScrShots.size(), names.size());
    EXPECT_EQ(saved.CurScrShots[1].first, names[1]);
    // The save sequence removes the launch script and the output file.
    EXPECT_FALSE(fs::exists(dir.Path() / "batch.sh"));
    EXPECT_FALSE(fs::exists(dir.Path() / "KorbVantor.txt"));
}

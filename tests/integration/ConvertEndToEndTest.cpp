// "Convert all to PNG" end to end: the real launch script runs the built converter as nconvert.exe over
// real folders. Every converted picture must hold the pixels that Pillow or ImageMagick decode from its
// source; whatever cannot be converted stays byte for byte, and no half-written file is left behind.
#include "launch/ConvertScreenshots.h"

#include <filesystem>
#include <map>

#include <gtest/gtest.h>
#include <unistd.h>

#include "launch/ExecEmu.h"
#include "launch/LaunchScript.h"
#include "platform/qt/QtProcesses.h"
#include "support/FakeDialogs.h"
#include "support/TempDir.h"
#include "tools/ToolProcess.h"

namespace fs = std::filesystem;

namespace {

// Writes the pictures with encoders nobody here wrote; ppmtopcx makes the four-plane kind.
const char* kMakePictures = R"(
import random, subprocess, sys
from PIL import Image
random.seed(11)
def noise(mode, size, colours=256):
    im = Image.new(mode, size)
    if mode == 'P':
        im.putpalette([random.randrange(256) for _ in range(768)])
        im.putdata([random.randrange(colours) for _ in range(size[0] * size[1])])
    else:
        im.putdata([tuple(random.randrange(256) for _ in range(3)) for _ in range(size[0] * size[1])])
    return im
noise('P', (37, 11)).save('Titles/game one.pcx')
noise('P', (8, 3)).save('Titles/ABC.PCX')
noise('RGB', (13, 7)).save('Flyers/fly;$(touch pwned) & x.bmp')
noise('RGB', (16, 16)).save("Cabinets/cab `x` 'q\".jpg", quality=90)
noise('P', (41, 9), 16).convert('RGB').save('four.ppm')
with open('Gameplay/abc.001.pcx', 'wb') as out:
    subprocess.run(['ppmtopcx', '-planes=4', 'four.ppm'], stdout=out, check=True, stderr=subprocess.DEVNULL)
noise('P', (640, 480)).save('Gameplay/abc.002.pcx')
noise('P', (20, 20)).save('Gameplay/keep.001.pcx')
data = open('Gameplay/abc.002.pcx', 'rb').read()
open('Gameplay/cut.002.pcx', 'wb').write(data[:len(data) // 2])
noise('RGB', (4, 4)).save('Gameplay/done.005.png')
)";

// Exit 0 when the PNG holds the source's pixels, as Pillow (or Netpbm for four planes) decodes them.
const char* kSamePixels = R"(
import io, subprocess, sys
from PIL import Image
source, png = sys.argv[1], sys.argv[2]
head = open(source, 'rb').read(66)
if source.lower().endswith('.pcx') and len(head) > 65 and head[65] == 4:
    ppm = subprocess.run(['pcxtoppm', source], capture_output=True, check=True).stdout
    expected = Image.open(io.BytesIO(ppm)).convert('RGB')
else:
    expected = Image.open(source).convert('RGB')
actual = Image.open(png)
# A palette PNG is as good as a true-colour one: the pixels are what count.
ok = actual.mode in ('RGB', 'P') and actual.size == expected.size and \
    actual.convert('RGB').tobytes() == expected.tobytes()
sys.exit(0 if ok else 1)
)";

std::map<std::string, std::string> FilesBelow(const fs::path& folder)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), folder).string()] = ReadBytes(entry.path());
    }
    return files;
}

class ConvertEndToEnd : public ::testing::Test
{
protected:
    // Blanks and shell characters in the program's folder: no path may be read by a shell.
    std::string App() const { return m_dir.Dir() + "my $HOME; `x` 'app'/"; }

    void SetUp() override
    {
        fs::create_directories(App());
        m_cwd = std::make_unique<TCurrentDirScope>(App());
        for (const char* folder : {"Titles", "Flyers", "Cabinets", "Gameplay"})
            fs::create_directories(folder);
        fs::copy_file(KORB_CONVERT_PATH, "nconvert.exe");
        m_dir.WriteFile("make.py", kMakePictures);
        m_dir.WriteFile("same.py", kSamePixels);
        ASSERT_EQ(RunIn(App(), "/usr/bin/python3 " + ShellQuote(m_dir.Dir() + "make.py")).ExitCode, 0);
        fs::remove("four.ppm");
    }

    // Damaged files that must come through untouched.
    void AddHostileFiles()
    {
        m_dir.WriteFile("my $HOME; `x` 'app'/Gameplay/keep.001.png", "a picture the user already has");
        m_dir.WriteFile("my $HOME; `x` 'app'/Gameplay/bad.003.jpg", "not a jpeg at all");
        m_dir.WriteFile("my $HOME; `x` 'app'/Gameplay/note.txt", "text");
        fs::create_directories("Gameplay/dir.004.pcx");
        for (const char* name : {"pcx-header-only.pcx", "pcx-huge-window.pcx", "pcx-negative-window.pcx",
                                 "pcx-zero-bytes-per-line.pcx", "jpeg-cut-short.jpg", "bmp-absurd-size.bmp",
                                 "bmp-absurd-bit-count.bmp"})
            fs::copy_file(fs::path(KORB_TEST_DATA_DIR) / "images" / name, fs::path("Titles") / name);
    }

    bool SamePixels(const std::string& source, const std::string& png) const
    {
        return RunIn(App(), "/usr/bin/python3 " + ShellQuote(m_dir.Dir() + "same.py") + " " +
                                ShellQuote(source) + " " + ShellQuote(png))
                   .ExitCode == 0;
    }

    TTempDir m_dir;
    std::unique_ptr<TCurrentDirScope> m_cwd;
};

TEST_F(ConvertEndToEnd, TheFourRunsConvertEveryPictureAndKeepWhatTheyCannot)
{
    AddHostileFiles();
    const std::map<std::string, std::string> before = FilesBelow(App());
    fs::create_directories(m_dir.Path() / "orig");
    fs::copy(App(), m_dir.Path() / "orig", fs::copy_options::recursive);

    TWorkingPaths paths;
    paths.AppDir = App();
    paths.BatchPath = App() + "batch.sh";
    paths.EmuExe = "./korb.exe";
    paths.OutputPath = App() + "KorbVantor.txt";
    TQtProcesses processes;
    TExecFile execEmu(processes);
    TFakeDialogs dialogs;
    ConfigureExecEmu(execEmu, dialogs, paths.BatchPath);
    ConvertAllScreenshots(execEmu, paths);
    EXPECT_TRUE(dialogs.Messages.empty());
    EXPECT_EQ(ReadBytes("batch.sh"),
              LaunchScriptText(TScriptFlavour::PosixShell, "Korb", "./korb.exe", paths.OutputPath));

    const std::vector<std::string> converted = {
        "Titles/game one",       "Titles/ABC",       "Flyers/fly;$(touch pwned) & x",
        "Cabinets/cab `x` 'q\"", "Gameplay/abc.001", "Gameplay/abc.002"};
    const std::vector<std::string> sourceExtensions = {".pcx", ".PCX", ".bmp", ".jpg", ".pcx", ".pcx"};
    for (size_t i = 0; i < converted.size(); ++i) {
        const std::string source = converted[i] + sourceExtensions[i];
        EXPECT_FALSE(fs::exists(source)) << source << " is deleted once its PNG is in place";
        ASSERT_TRUE(fs::exists(converted[i] + ".png")) << source;
        EXPECT_TRUE(SamePixels((m_dir.Path() / "orig" / source).string(), converted[i] + ".png")) << source;
    }
    EXPECT_FALSE(fs::exists("pwned"));

    const std::map<std::string, std::string> after = FilesBelow(App());
    for (const auto& entry : before) {
        // clang 14 cannot capture a structured binding in a lambda.
        const std::string& name = entry.first;
        const std::string& bytes = entry.second;
        const bool wasConverted = std::any_of(converted.begin(), converted.end(), [&](const std::string& c) {
            return name.rfind(c + ".", 0) == 0 && name.size() == c.size() + 4;
        });
        if (wasConverted)
            continue;
        ASSERT_TRUE(after.count(name)) << name << " must stay";
        EXPECT_EQ(after.at(name), bytes) << name << " must stay unchanged";
    }
    EXPECT_EQ(after.size(), before.size() + 1) << "one more: batch.sh; nothing half-written left behind";
    EXPECT_TRUE(fs::is_directory("Gameplay/dir.004.pcx"));
}

class Converter : public ::testing::Test
{
protected:
    TCommandResult Run(const std::string& arguments, const std::string& prefix = "")
    {
        return RunIn(m_dir.Path(), prefix + ShellQuote(KORB_CONVERT_PATH) + " " + arguments);
    }
    // A 256-colour PCX of noise, written by Pillow.
    void Picture(const std::string& name, int width, int height)
    {
        const std::string script =
            "import random\nfrom PIL import Image\nrandom.seed(3)\n"
            "im = Image.new('P', (" +
            std::to_string(width) + ", " + std::to_string(height) +
            "))\nim.putpalette([random.randrange(256) for _ in range(768)])\n"
            "im.putdata([random.randrange(256) for _ in range(im.size[0] * im.size[1])])\n"
            "im.save('" +
            name + "')\n";
        fs::create_directories(m_dir.Path() / "shots");
        m_dir.WriteFile("make.py", script);
        ASSERT_EQ(RunIn(m_dir.Path(), "/usr/bin/python3 make.py").ExitCode, 0);
        fs::remove(m_dir.Path() / "make.py");
    }
    size_t Count() const
    {
        return static_cast<size_t>(std::distance(fs::directory_iterator(m_dir.Path() / "shots"), {}));
    }
    TTempDir m_dir;
};

TEST_F(Converter, ExitStatusSaysWhetherEverythingConverted)
{
    Picture("shots/a.pcx", 5, 4);
    EXPECT_EQ(Run("-v. -out png -D 'shots/*.*'").ExitCode, 0);
    EXPECT_TRUE(fs::exists(m_dir.Path() / "shots/a.png"));
    EXPECT_EQ(Run("-v. -out png -D 'shots/*.*'").ExitCode, 0) << "a PNG alone needs nothing";
    m_dir.WriteFile("shots/b.pcx", "broken");
    const TCommandResult failed = Run("-out png -D 'shots/*.*'");
    EXPECT_EQ(failed.ExitCode, 1);
    EXPECT_NE(failed.Output.find("shots/b.pcx"), std::string::npos) << failed.Output;
    EXPECT_EQ(Run("-out jpg 'shots/*.*'").ExitCode, 2);
    EXPECT_EQ(Run("-out png").ExitCode, 2);
}

TEST_F(Converter, UnknownOptionsAreNamedAndIgnoredAndPatternsIgnoreCase)
{
    Picture("shots/Game.001.PCX", 3, 3);
    Picture("shots/other.001.pcx", 3, 3);
    const TCommandResult result = Run("-quiet -out png -overwrite 'shots/GAME*.pcx'");
    EXPECT_EQ(result.ExitCode, 0) << result.Output;
    EXPECT_NE(result.Output.find("-quiet"), std::string::npos);
    EXPECT_NE(result.Output.find("-overwrite"), std::string::npos);
    EXPECT_TRUE(fs::exists(m_dir.Path() / "shots/Game.001.png"));
    EXPECT_TRUE(fs::exists(m_dir.Path() / "shots/Game.001.PCX")) << "without -D the source stays";
    EXPECT_FALSE(fs::exists(m_dir.Path() / "shots/other.001.png"));
}

TEST_F(Converter, AnExistingPngInAnyCaseIsNeverReplaced)
{
    Picture("shots/abc.001.pcx", 4, 4);
    m_dir.WriteFile("shots/ABC.001.PNG", "mine");
    EXPECT_EQ(Run("-out png -D 'shots/*.*'").ExitCode, 1);
    EXPECT_EQ(m_dir.ReadFile("shots/ABC.001.PNG"), "mine");
    EXPECT_TRUE(fs::exists(m_dir.Path() / "shots/abc.001.pcx"));
    EXPECT_EQ(Count(), 2u);
}

TEST_F(Converter, APngGetsThePermissionsOfAnyNewFile)
{
    Picture("shots/a.pcx", 3, 3);
    EXPECT_EQ(Run("-out png 'shots/*.*'", "umask 027; exec ").ExitCode, 0);
    EXPECT_EQ(fs::status(m_dir.Path() / "shots/a.png").permissions(), fs::perms(0640));
}

TEST_F(Converter, AFullDiskLosesNoSourceAndLeavesNoHalfFile)
{
    Picture("shots/big.pcx", 640, 480);
    const std::string source = m_dir.ReadFile("shots/big.pcx");
    // Files may grow to 2 blocks of 512 bytes: the PNG of noise cannot be written whole.
    const TCommandResult result = Run("-out png -D 'shots/*.*'", "trap '' XFSZ; ulimit -f 2; exec ");
    EXPECT_EQ(result.ExitCode, 1) << result.Output;
    EXPECT_EQ(m_dir.ReadFile("shots/big.pcx"), source);
    EXPECT_EQ(Count(), 1u) << "no temporary or partial PNG stays";
}

TEST_F(Converter, AFolderThatCannotBeWrittenKeepsItsPictures)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "the superuser writes into read-only folders";
    Picture("shots/a.pcx", 4, 4);
    fs::permissions(m_dir.Path() / "shots", fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(Run("-out png -D 'shots/*.*'").ExitCode, 1);
    fs::permissions(m_dir.Path() / "shots", fs::perms::owner_all);
    EXPECT_TRUE(fs::exists(m_dir.Path() / "shots/a.pcx"));
    EXPECT_EQ(Count(), 1u);
}

} // namespace

TEST_F(Converter, TheTemporariesOfAKilledRunAreRemovedByTheNextOne)
{
    Picture("shots/a.pcx", 3, 3);
    m_dir.WriteFile("shots/.vkconvert-Ab12Cd", "half a png");
    m_dir.WriteFile("shots/.vkconvert-notes.txt", "not ours");
    EXPECT_EQ(Run("-out png -D 'shots/*.*'").ExitCode, 0);
    EXPECT_FALSE(fs::exists(m_dir.Path() / "shots/.vkconvert-Ab12Cd"));
    EXPECT_TRUE(fs::exists(m_dir.Path() / "shots/.vkconvert-notes.txt"));
    EXPECT_TRUE(fs::exists(m_dir.Path() / "shots/a.png"));
}

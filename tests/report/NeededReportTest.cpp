#include "report/NeededReport.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <sstream>
#include <vector>

#include <csignal>
#include <sys/resource.h>

#include <gtest/gtest.h>

#include "base/AtomicFile.h"
#include "catalogue/GameObject.h"
#include "support/FakeShell.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {
constexpr const char* kVersion = "0.33.8";

bool TemporaryLeft(const fs::path& folder)
{
    for (const auto& entry : fs::directory_iterator(folder))
        if (IsTemporaryName(entry.path().filename().string()))
            return true;
    return false;
}

// Files cannot grow past a few bytes while this lives: a write failure that holds for root too.
class TFileSizeLimit
{
public:
    explicit TFileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~TFileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

std::vector<std::string> SplitCrLf(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end = text.find("\r\n"); end != std::string::npos; end = text.find("\r\n", start)) {
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    EXPECT_EQ(start, text.size()) << "text after the last line end";
    return lines;
}

// An emulator folder with the four picture folders and the sound folder, made the working directory.
class NeededReport : public testing::Test
{
protected:
    NeededReport() : m_cwd(m_dir.Path())
    {
        m_paths.AppDir = m_dir.Dir();
        m_paths.EmuDir = m_dir.Dir();
        m_paths.TitlesDir = m_dir.Dir() + "Titles/";
        m_paths.GameplayDir = m_dir.Dir() + "Gameplay/";
        m_paths.FlyersDir = m_dir.Dir() + "Flyers/";
        m_paths.CabinetsDir = m_dir.Dir() + "Cabinets/";
        m_paths.SoundDir = m_dir.Dir() + "Sound/";
        for (const char* folder : {"Titles", "Gameplay", "Flyers", "Cabinets", "Sound"}) {
            fs::create_directory(m_dir.Path() / folder);
        }
    }

    void AddGame(const std::string& zipName, const std::string& gameName, int installState = 1)
    {
        auto game = std::make_unique<TGameObject>();
        game->ZipName = zipName;
        game->GameName = gameName;
        game->InstallState = installState;
        m_catalogue.AddGame(std::move(game));
    }
    void File(const std::string& relative) { m_dir.WriteFile(relative, "x"); }
    void Folder(const std::string& relative) { fs::create_directories(m_dir.Path() / relative); }

    // Gives a game every picture and its music, so that a test can take away one thing at a time.
    void Complete(const std::string& zip)
    {
        File("Titles/" + zip + ".pcx");
        File("Gameplay/" + zip + ".001.pcx");
        File("Flyers/" + zip + ".jpg");
        File("Cabinets/" + zip + ".png");
        File("Sound/" + zip + ".mid");
    }

    // The entry lines of one section (0 uninstalled ... 5 music), read back from the report.
    std::vector<std::string> Section(int index)
    {
        const std::vector<std::string> lines = SplitCrLf(BuildNeededReport(m_catalogue, m_paths, kVersion));
        // Header of three lines, then per section: title, " ", entries, "--", and " ", "--" between.
        size_t at = 3;
        for (int s = 0;; ++s) {
            EXPECT_LT(at, lines.size());
            const size_t count = std::stoul(lines.at(at));
            std::vector<std::string> entries(lines.begin() + static_cast<long>(at) + 2,
                                             lines.begin() + static_cast<long>(at + 2 + count));
            EXPECT_EQ(lines.at(at + 2 + count), "--");
            if (s == index) {
                return entries;
            }
            at += 2 + count + 3;
        }
    }
    std::vector<std::string> Zips(int index)
    {
        std::vector<std::string> zips;
        for (const std::string& line : Section(index)) {
            zips.push_back(line.substr(line.find(" | ") + 3));
        }
        return zips;
    }

    TTempDir m_dir;
    TCurrentDirScope m_cwd;
    TWorkingPaths m_paths;
    TGameObjectList m_catalogue;
};

using Strings = std::vector<std::string>;
const std::string kPics = ".jpg/pcx/png/bmp";

TEST_F(NeededReport, EmptyCatalogueHasSixEmptySectionsInTheFixedFrame)
{
    const std::string expected =
        "Needed files for VantorKorb 0.33.8\r\n \r\n--\r\n"
        "0 Uninstalled roms\r\n \r\n--\r\n \r\n--\r\n"
        "0 Missing Titles in directory " +
        m_paths.TitlesDir + "\r\n \r\n--\r\n \r\n--\r\n" + "0 Missing Gameplayshots in directory " +
        m_paths.GameplayDir + "\r\n \r\n--\r\n \r\n--\r\n" + "0 Missing Flyers in directory " +
        m_paths.FlyersDir + "\r\n \r\n--\r\n \r\n--\r\n" + "0 Missing Cabinets in directory " +
        m_paths.CabinetsDir + "\r\n \r\n--\r\n \r\n--\r\n" + "0 Missing Midi-files in directory " +
        m_paths.SoundDir + "\r\n \r\n--\r\n";
    EXPECT_EQ(BuildNeededReport(m_catalogue, m_paths, kVersion), expected);
}

TEST_F(NeededReport, HeaderCarriesTheVersionGiven)
{
    const Strings lines = SplitCrLf(BuildNeededReport(m_catalogue, m_paths, "9.1"));
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0], "Needed files for VantorKorb 9.1");
    EXPECT_EQ(lines[1], " ");
    EXPECT_EQ(lines[2], "--");
}

TEST_F(NeededReport, SectionsCountAndFrameTheirEntries)
{
    AddGame("aaa", "Alpha", 0);
    AddGame("bbb", "Beta", 0);
    Complete("aaa");
    Complete("bbb");
    const Strings lines = SplitCrLf(BuildNeededReport(m_catalogue, m_paths, kVersion));
    const Strings expected = {"Needed files for VantorKorb 0.33.8",
                              " ",
                              "--",
                              "2 Uninstalled roms",
                              " ",
                              FormatNeededLine("Alpha", "aaa.zip"),
                              FormatNeededLine("Beta", "bbb.zip"),
                              "--",
                              " ",
                              "--",
                              "0 Missing Titles in directory " + m_paths.TitlesDir,
                              " ",
                              "--",
                              " ",
                              "--",
                              "0 Missing Gameplayshots in directory " + m_paths.GameplayDir,
                              " ",
                              "--",
                              " ",
                              "--",
                              "0 Missing Flyers in directory " + m_paths.FlyersDir,
                              " ",
                              "--",
                              " ",
                              "--",
                              "0 Missing Cabinets in directory " + m_paths.CabinetsDir,
                              " ",
                              "--",
                              " ",
                              "--",
                              "0 Missing Midi-files in directory " + m_paths.SoundDir,
                              " ",
                              "--"};
    EXPECT_EQ(lines, expected);
}

TEST(NeededLine, NameIsFittedToFortyColumns)
{
    struct Row
    {
        std::string Name;
        std::string Expected;
    };
    const std::string forty = "0123456789012345678901234567890123456789";
    const Row rows[] = {
        {"Pac", "Pac" + std::string(37, ' ') + " | pac.zip"},
        {"", std::string(40, ' ') + " | pac.zip"},
        {forty, forty + " | pac.zip"},
        {forty + "X", forty + " | pac.zip"},
        {forty + "and much more text", forty + " | pac.zip"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(FormatNeededLine(row.Name, "pac.zip"), row.Expected) << row.Name;
        EXPECT_EQ(FormatNeededLine(row.Name, "pac.zip").find('|'), 41u) << row.Name;
    }
}

TEST(NeededLine, Utf8NamesAreCutAndPaddedByCharacter)
{
    // "é" is two bytes in UTF-8: a byte cut would split it and shift the bar.
    std::string name;
    for (int i = 0; i < 45; ++i) {
        name += "\xC3\xA9";
    }
    std::string forty;
    for (int i = 0; i < 40; ++i) {
        forty += "\xC3\xA9";
    }
    EXPECT_EQ(FormatNeededLine(name, "e.zip"), forty + " | e.zip");
    EXPECT_EQ(FormatNeededLine("Caf\xC3\xA9", "c.zip"), "Caf\xC3\xA9" + std::string(36, ' ') + " | c.zip");
}

TEST(NeededLine, OtherByteTextsCountOneColumnPerByte)
{
    // Windows-1252 "é" alone is not UTF-8.
    EXPECT_EQ(FormatNeededLine("Caf\xE9", "c.zip"), "Caf\xE9" + std::string(36, ' ') + " | c.zip");
    const std::string bytes(50, '\xE9');
    EXPECT_EQ(FormatNeededLine(bytes, "c.zip"), std::string(40, '\xE9') + " | c.zip");
}

TEST_F(NeededReport, OnlyGamesBelowInstalledAreListedAsUninstalled)
{
    AddGame("none", "Not There", 0);
    AddGame("here", "Installed", 1);
    AddGame("extra", "On Extra Path", 2);
    AddGame("odd", "Negative", -1);
    EXPECT_EQ(Zips(0), (Strings{"none.zip", "odd.zip"}));
}

TEST_F(NeededReport, AnyFileNamedZipDotAnythingCountsAsPicture)
{
    AddGame("abc", "A");
    AddGame("bare", "B");
    AddGame("text", "C");
    AddGame("none", "D");
    File("Titles/abc.png");
    File("Titles/bare");
    File("Titles/text.txt"); // whatever the file holds
    File("Titles/nonesuch.png");
    File("Titles/none_x.png");
    EXPECT_EQ(Zips(1), (Strings{"none" + kPics}));
}

TEST_F(NeededReport, NumberedGameplayShotsCount)
{
    AddGame("abc", "A");
    AddGame("abcd", "B");
    File("Gameplay/abc.001.pcx");
    File("Gameplay/abcd2.pcx");
    EXPECT_EQ(Zips(2), (Strings{"abcd" + kPics}));
}

TEST_F(NeededReport, PictureNamesMatchWithoutRegardToCase)
{
    AddGame("abc", "A");
    AddGame("XyZ", "B");
    File("Flyers/ABC.PNG");
    File("Flyers/xYz.jpg");
    EXPECT_TRUE(Zips(3).empty());
}

TEST_F(NeededReport, AFolderNamedLikeAPictureIsNoPicture)
{
    AddGame("abc", "A");
    AddGame("mixed", "B");
    Folder("Cabinets/abc.png");
    Folder("Cabinets/mixed.a");
    File("Cabinets/mixed.b");
    EXPECT_EQ(Zips(4), (Strings{"abc" + kPics}));
}

TEST_F(NeededReport, MusicNeedsTheMidFileItself)
{
    AddGame("has", "A");
    AddGame("upper", "B");
    AddGame("wave", "C");
    AddGame("longer", "D");
    AddGame("folder", "E");
    AddGame("none", "F");
    File("Sound/has.mid");
    File("Sound/UPPER.MID");
    File("Sound/wave.wav");
    File("Sound/longer.midi");
    Folder("Sound/folder.mid");
    EXPECT_EQ(Zips(5), (Strings{"wave.mid", "longer.mid", "folder.mid", "none.mid"}));
}

TEST_F(NeededReport, AZipNameThatIsNoPlainFileNameMatchesNothing)
{
    // "..", "." and a name with a separator address no file, even where a file looks like theirs.
    AddGame("..", "Dots");
    AddGame(".", "Dot");
    AddGame("../Titles/abc", "Outside");
    File("Titles/...pcx");
    File("Titles/..pcx");
    File("Titles/abc.pcx");
    File("Sound/...mid");
    File("Sound/..mid");
    EXPECT_EQ(Zips(1), (Strings{".." + kPics, "." + kPics, "../Titles/abc" + kPics}));
    EXPECT_EQ(Zips(5), (Strings{"...mid", "..mid", "../Titles/abc.mid"}));
}

TEST_F(NeededReport, GamesAppearInEverySectionTheyLackInCatalogueOrder)
{
    AddGame("zzz", "Last Alphabetically", 0);
    AddGame("aaa", "First Alphabetically", 1);
    AddGame("mmm", "Middle", 0);
    File("Titles/aaa.pcx");
    File("Sound/zzz.mid");
    EXPECT_EQ(Zips(0), (Strings{"zzz.zip", "mmm.zip"}));
    EXPECT_EQ(Zips(1), (Strings{"zzz" + kPics, "mmm" + kPics}));
    for (int s = 2; s <= 4; ++s) {
        EXPECT_EQ(Zips(s), (Strings{"zzz" + kPics, "aaa" + kPics, "mmm" + kPics})) << s;
    }
    EXPECT_EQ(Zips(5), (Strings{"aaa.mid", "mmm.mid"}));
    EXPECT_EQ(Section(0).front(), FormatNeededLine("Last Alphabetically", "zzz.zip"));
}

TEST_F(NeededReport, MissingFoldersListEveryGame)
{
    AddGame("abc", "A");
    Complete("abc");
    m_paths.TitlesDir = m_dir.Dir() + "NoTitles/";
    m_paths.SoundDir = m_dir.Dir() + "NoSound/";
    EXPECT_EQ(Zips(1), (Strings{"abc" + kPics}));
    EXPECT_TRUE(Zips(2).empty());
    EXPECT_EQ(Zips(5), (Strings{"abc.mid"}));
    const Strings lines = SplitCrLf(BuildNeededReport(m_catalogue, m_paths, kVersion));
    EXPECT_NE(
        std::find(lines.begin(), lines.end(), "1 Missing Titles in directory " + m_dir.Dir() + "NoTitles/"),
        lines.end());
}

TEST_F(NeededReport, RelativeFoldersResolveAgainstTheWorkingDirectory)
{
    AddGame("abc", "A");
    Complete("abc");
    m_paths.TitlesDir = "Titles/";
    m_paths.SoundDir = "Sound/";
    EXPECT_TRUE(Zips(1).empty());
    EXPECT_TRUE(Zips(5).empty());
}

TEST_F(NeededReport, OneFolderMayServeSeveralCategories)
{
    AddGame("abc", "A");
    AddGame("def", "B");
    m_paths.FlyersDir = m_paths.TitlesDir;
    File("Titles/abc.bmp");
    EXPECT_EQ(Zips(1), (Strings{"def" + kPics}));
    EXPECT_EQ(Zips(3), (Strings{"def" + kPics}));
}

TEST_F(NeededReport, LargeCatalogueIsCheckedGameByGame)
{
    for (int i = 0; i < 3000; ++i) {
        AddGame("g" + std::to_string(i), "Game " + std::to_string(i), i % 2);
        if (i % 3 == 0) {
            File("Titles/g" + std::to_string(i) + ".png");
        }
    }
    EXPECT_EQ(Section(0).size(), 1500u);
    const Strings titles = Zips(1);
    EXPECT_EQ(titles.size(), 2000u);
    EXPECT_EQ(titles.front(), "g1" + kPics);
    EXPECT_EQ(titles.back(), "g2999" + kPics);
}

TEST_F(NeededReport, WriteSavesNeededTxtInTheWorkingDirectoryAndOpensIt)
{
    AddGame("abc", "Alpha", 0);
    m_dir.WriteFile("needed.txt", std::string(10000, 'o')); // an older, longer report
    TFakeShell shell;
    WriteNeededReport(m_catalogue, m_paths, kVersion, shell);
    EXPECT_EQ(m_dir.ReadFile("needed.txt"), BuildNeededReport(m_catalogue, m_paths, kVersion));
    EXPECT_EQ(shell.Opened, (Strings{"needed.txt"}));
    EXPECT_FALSE(TemporaryLeft(m_dir.Path()));
}

TEST_F(NeededReport, WriteFollowsTheWorkingDirectory)
{
    Folder("emu");
    TCurrentDirScope inEmu(m_dir.Path() / "emu");
    TFakeShell shell;
    WriteNeededReport(m_catalogue, m_paths, kVersion, shell);
    EXPECT_TRUE(fs::is_regular_file(m_dir.Path() / "emu" / "needed.txt"));
    EXPECT_FALSE(fs::exists(m_dir.Path() / "needed.txt"));
}

TEST_F(NeededReport, AFailedWriteRaisesTheErrorOpensNothingAndKeepsTheOldReport)
{
    AddGame("abc", "Alpha", 0);
    m_dir.WriteFile("needed.txt", "old report");
    TFakeShell shell;
    try {
        TFileSizeLimit full(4); // the new text cannot be written whole
        WriteNeededReport(m_catalogue, m_paths, kVersion, shell);
        FAIL() << "no error raised";
    } catch (const TNeededReportError& error) {
        EXPECT_STREQ(error.what(), "Cannot create file needed.txt");
    }
    EXPECT_TRUE(shell.Opened.empty());
    EXPECT_EQ(m_dir.ReadFile("needed.txt"), "old report");
    EXPECT_FALSE(TemporaryLeft(m_dir.Path()));
}

TEST_F(NeededReport, AReportThatCannotReplaceAFolderRaisesTheError)
{
    Folder("needed.txt/keep");
    TFakeShell shell;
    EXPECT_THROW(WriteNeededReport(m_catalogue, m_paths, kVersion, shell), TNeededReportError);
    EXPECT_TRUE(shell.Opened.empty());
    EXPECT_TRUE(fs::is_directory(m_dir.Path() / "needed.txt" / "keep"));
    EXPECT_FALSE(TemporaryLeft(m_dir.Path()));
}

TEST_F(NeededReport, AVanishedWorkingDirectoryRaisesTheError)
{
    Folder("gone");
    TCurrentDirScope inGone(m_dir.Path() / "gone");
    fs::remove(m_dir.Path() / "gone");
    TFakeShell shell;
    EXPECT_THROW(WriteNeededReport(m_catalogue, m_paths, kVersion, shell), TNeededReportError);
    EXPECT_TRUE(shell.Opened.empty());
}
} // namespace

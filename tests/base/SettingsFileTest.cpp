// The settings file syntax: reading, writing, line ends, duplicates, damaged files and atomic replacement.
#include "base/SettingsFile.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "base/AtomicFile.h"
#include "base/FileError.h"
#include "support/TempDir.h"

namespace {

TSettingsFile Parse(const std::string& bytes)
{
    return TSettingsFile::FromBytes(bytes);
}

TEST(SettingsFileRead, KeysAndSectionsIgnoreLetterCase)
{
    const TSettingsFile file = Parse("[View]\r\n;x\r\nHotTracking=0\r\n");
    EXPECT_FALSE(file.ReadBool("view", "hottracking", true));
    EXPECT_FALSE(file.ReadBool("VIEW", "HOTTRACKING", true));
    EXPECT_TRUE(file.ReadBool("View", "Other", true));
    EXPECT_TRUE(file.ReadBool("Other", "HotTracking", true));
}

TEST(SettingsFileRead, LinesAreNotTrimmed)
{
    const TSettingsFile file = Parse("[S]\nTimer =5\nCmd=a=b\nPad= x \n=empty key\n");
    EXPECT_EQ(file.ReadInteger("S", "Timer", 7), 7);
    EXPECT_EQ(file.ReadInteger("S", "Timer ", 7), 5);
    EXPECT_EQ(file.ReadString("S", "Cmd", ""), "a=b");
    EXPECT_EQ(file.ReadString("S", "Pad", ""), " x ");
    EXPECT_EQ(file.ReadString("S", "", "-"), "empty key");
}

TEST(SettingsFileRead, IntegersTable)
{
    struct
    {
        const char* Text;
        int Expected;
    } const rows[] = {
        {"0x1F", 31},
        {"0X1f", 31},
        {"$1F", 31},
        {"12", 12},
        {"-12", -12},
        {"12abc", -99},
        {"", -99},
        {"abc", -99},
        {"0x", -99},
        {"$", -99},
        {"2147483647", 2147483647},
        {"2147483648", -99},
        {"-2147483648", INT32_MIN},
        {"$FFFFFFFF", -1},
        {"$100000000", -99},
        {" 7", 7},
        {"7 ", -99},
        {"+5", 5},
        {"1.5", -99},
    };
    for (const auto& row : rows) {
        const TSettingsFile file = Parse(std::string("[S]\nK=") + row.Text + "\n");
        EXPECT_EQ(file.ReadInteger("S", "K", -99), row.Expected) << "value '" << row.Text << "'";
    }
}

TEST(SettingsFileRead, BooleansAreIntegers)
{
    const TSettingsFile file = Parse("[S]\nTwo=2\nZero=0\nBad=yes\nNeg=-1\n");
    EXPECT_TRUE(file.ReadBool("S", "Two", false));
    EXPECT_FALSE(file.ReadBool("S", "Zero", true));
    EXPECT_TRUE(file.ReadBool("S", "Bad", true));
    EXPECT_FALSE(file.ReadBool("S", "Bad", false));
    EXPECT_TRUE(file.ReadBool("S", "Neg", false));
}

TEST(SettingsFileRead, DateTimes)
{
    const TSettingsFile file = Parse("[S]\nFull=2024-02-29 13:05:09\nDay=1900-01-09\nBad=2024-02-30\n");
    const TDateTime def = TDateTime{42};
    EXPECT_EQ(FormatDateTime(file.ReadDateTime("S", "Full", def)), "2024-02-29 13:05:09");
    EXPECT_EQ(file.ReadDateTime("S", "Day", def), kNeverDateTime);
    EXPECT_EQ(file.ReadDateTime("S", "Bad", def), def);
    EXPECT_EQ(file.ReadDateTime("S", "Absent", def), def);
}

TEST(SettingsFileLines, EveryLineEndIsRecognised)
{
    const TSettingsFile file = Parse("[A]\r\nx=1\ry=2\nz=3\r\n\r\n\n\r[B]\rw=4");
    EXPECT_EQ(file.ReadString("A", "x", ""), "1");
    EXPECT_EQ(file.ReadString("A", "y", ""), "2");
    EXPECT_EQ(file.ReadString("A", "z", ""), "3");
    EXPECT_EQ(file.ReadString("B", "w", ""), "4");
    EXPECT_EQ(file.ToBytes(), "[A]\r\nx=1\r\ny=2\r\nz=3\r\n\r\n[B]\r\nw=4\r\n\r\n");
}

TEST(SettingsFileLines, LeadingByteOrderMarkIsReadPastAndNotWritten)
{
    const TSettingsFile file = Parse("\xEF\xBB\xBF[A]\r\nk=1\r\n");
    EXPECT_EQ(file.ReadString("A", "k", ""), "1");
    EXPECT_EQ(file.ToBytes(), "[A]\r\nk=1\r\n\r\n");
}

TEST(SettingsFileLines, SectionLinesNeedBothBrackets)
{
    const TSettingsFile file = Parse("top=0\n[A]\n[B\nB]\n[]\nk=v\n[\n");
    EXPECT_FALSE(file.ValueExists("A", "top"));
    EXPECT_TRUE(file.SectionExists("A")); // "[B", "B]" and "[" are entries of A
    EXPECT_TRUE(file.SectionExists(""));
    EXPECT_EQ(file.ReadString("", "k", ""), "v");
    EXPECT_FALSE(file.SectionExists("B"));
}

TEST(SettingsFileDuplicates, FirstSectionAndFirstKeyAnswer)
{
    TSettingsFile file = Parse("[S]\nk=1\nk=2\n[s]\nk=3\nm=4\n");
    EXPECT_EQ(file.ReadString("S", "k", ""), "1");
    EXPECT_FALSE(file.ValueExists("S", "m"));
    file.WriteString("S", "K", "9");
    file.WriteString("S", "m", "5");
    EXPECT_EQ(file.ToBytes(), "[S]\r\nK=9\r\nk=2\r\nm=5\r\n\r\n[s]\r\nk=3\r\nm=4\r\n\r\n");
}

TEST(SettingsFileDuplicates, LargeSectionsAnswerLikeSmallOnes)
{
    for (int padding : {0, 3, 20, 200}) {
        std::string bytes = "[S]\nDup=first\nnokey\n";
        for (int i = 0; i < padding; ++i) {
            const std::string number = std::to_string(i);
            bytes.append("k").append(number).append("=").append(number).append("\n");
        }
        bytes += "DUP=second\n";
        TSettingsFile file = Parse(bytes);
        EXPECT_EQ(file.ReadString("S", "dup", ""), "first") << padding;
        EXPECT_FALSE(file.ValueExists("S", "nokey")) << padding;
        if (padding > 0) {
            EXPECT_EQ(file.ReadInteger("S", "K" + std::to_string(padding - 1), -1), padding - 1);
        }
        file.WriteString("S", "dUp", "third");
        file.WriteString("S", "added", "x");
        file.WriteString("S", "ADDED", "y");
        const TSettingsFile back = Parse(file.ToBytes());
        EXPECT_EQ(back.ReadString("S", "Dup", ""), "third") << padding;
        EXPECT_EQ(back.ReadString("S", "added", ""), "y") << padding;
        EXPECT_EQ(file.ToBytes().find("dUp=third\r\nnokey\r\n"), 5u) << padding;
        EXPECT_NE(file.ToBytes().find("DUP=second\r\nADDED=y\r\n\r\n"), std::string::npos) << padding;
    }
}

TEST(SettingsFileWrite, ExistingKeyKeepsItsPlaceNewKeyGoesLast)
{
    TSettingsFile file = Parse("[A]\na=1\nb=2\n[B]\nc=3\n");
    file.WriteString("a", "A", "x");
    file.WriteInteger("A", "new", -5);
    file.WriteBool("C", "on", true);
    file.WriteBool("C", "off", false);
    file.WriteDateTime("C", "when", TDateTime::FromDays(10));
    EXPECT_EQ(file.ToBytes(), "[A]\r\nA=x\r\nb=2\r\nnew=-5\r\n\r\n[B]\r\nc=3\r\n\r\n"
                              "[C]\r\non=1\r\noff=0\r\nwhen=1900-01-09\r\n\r\n");
}

TEST(SettingsFileWrite, CommentsAndLeadingLinesAreDropped)
{
    TSettingsFile file = Parse("stray=1\n[View]\n;x\nHotTracking=0\n");
    file.WriteBool("View", "StatBar", true);
    EXPECT_EQ(file.ToBytes(), "[View]\r\nHotTracking=0\r\nStatBar=1\r\n\r\n");
}

TEST(SettingsFileWrite, LineBreaksCannotSplitAnEntry)
{
    TSettingsFile file = Parse("");
    file.WriteString("S\r\n[X]", "k\n", "a\r\nb=c");
    const TSettingsFile back = Parse(file.ToBytes());
    EXPECT_EQ(back.SectionNames().size(), 1u);
    EXPECT_EQ(back.ReadString("S  [X]", "k ", ""), "a  b=c");
}

TEST(SettingsFileSections, ExistsOnlyWithEntries)
{
    TSettingsFile file = Parse("[Empty]\n\n[Full]\nnokey\n");
    EXPECT_FALSE(file.SectionExists("Empty"));
    EXPECT_TRUE(file.SectionExists("full"));
    EXPECT_FALSE(file.ValueExists("Full", "nokey"));
    EXPECT_FALSE(file.SectionExists("Absent"));
}

TEST(SettingsFileSections, EraseRemovesFirstOfTheNameOnly)
{
    TSettingsFile file = Parse("[A]\nk=1\n[B]\nk=2\n[a]\nk=3\n");
    file.EraseSection("a");
    EXPECT_EQ(file.ReadString("A", "k", ""), "3");
    EXPECT_EQ(file.ReadString("B", "k", ""), "2");
    file.EraseSection("missing");
    EXPECT_EQ(file.SectionNames(), (std::vector<std::string>{"B", "a"}));
    file.Clear();
    EXPECT_EQ(file.ToBytes(), "");
    file.WriteString("N", "k", "v");
    EXPECT_EQ(file.ToBytes(), "[N]\r\nk=v\r\n\r\n");
}

TEST(SettingsFileDamaged, HostileBytesLoadWithoutHarm)
{
    using namespace std::string_literals;
    const std::string bytes = "[Bin\0ary]\n\0k\0ey=v\0al\r\r\r\xff\xfe\x80=\x01\n[Last]\nno final newline"s;
    const TSettingsFile file = Parse(bytes);
    EXPECT_TRUE(file.SectionExists("Bin\0ary"s));
    EXPECT_EQ(file.ReadString("Bin\0ary"s, "\0k\0ey"s, ""), "v\0al"s);
    EXPECT_EQ(file.ReadString("Bin\0ary"s, "\xff\xfe\x80", ""), "\x01");
    EXPECT_TRUE(file.SectionExists("Last"));
    EXPECT_EQ(Parse(file.ToBytes()).ToBytes(), file.ToBytes());
}

// Found by the fuzzer: a section large enough for a key index, none of whose lines holds a key.
TEST(SettingsFileDamaged, ALargeSectionWithoutKeysAnswersAndTakesNewKeys)
{
    std::string bytes = "[Junk]\r\n";
    for (int i = 0; i < 12; ++i)
        bytes += "line " + std::to_string(i) + " without a key\r\n";
    TSettingsFile file = Parse(bytes);
    EXPECT_FALSE(file.ValueExists("Junk", "line 1 without a key"));
    EXPECT_EQ(file.ReadInteger("junk", "CurScrShot", 7), 7);
    file.WriteInteger("Junk", "CurScrShot", 3);
    EXPECT_EQ(file.ReadInteger("JUNK", "curscrshot", 7), 3);
    EXPECT_EQ(Parse(file.ToBytes()).ReadInteger("Junk", "CurScrShot", 7), 3);
}

TEST(SettingsFileDamaged, HugeLineLoads)
{
    const std::string value(10 * 1024 * 1024, 'x');
    const TSettingsFile file = Parse("[S]\nbig=" + value + "\nafter=1");
    EXPECT_EQ(file.ReadString("S", "big", "").size(), value.size());
    EXPECT_EQ(file.ReadInteger("S", "after", 0), 1);
}

TEST(SettingsFileDisk, MissingFileIsEmptyAndRoundTrips)
{
    TTempDir dir;
    const std::string path = dir.Dir() + "x.ini";
    TSettingsFile file = TSettingsFile::Open(path);
    EXPECT_EQ(file.ReadString("S", "k", "def"), "def");
    EXPECT_FALSE(std::filesystem::exists(path));
    file.WriteString("S", "k", "v");
    file.UpdateFile();
    EXPECT_EQ(dir.ReadFile("x.ini"), "[S]\r\nk=v\r\n\r\n");
    EXPECT_EQ(TSettingsFile::Open(path).ReadString("s", "K", ""), "v");
    // Nothing but the file itself is left beside it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST(SettingsFileDisk, ReplacementKeepsPermissionsAndLinks)
{
    namespace fs = std::filesystem;
    TTempDir dir;
    const std::string real = dir.WriteFile("real.ini", "[Old]\r\nk=1\r\n");
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink(real, dir.Path() / "link.ini");
    TSettingsFile file = TSettingsFile::Open(dir.Dir() + "link.ini");
    file.WriteString("Old", "k", "2");
    file.UpdateFile();
    EXPECT_TRUE(fs::is_symlink(dir.Path() / "link.ini"));
    EXPECT_EQ(dir.ReadFile("real.ini"), "[Old]\r\nk=2\r\n\r\n");
    EXPECT_EQ(fs::status(real).permissions(), fs::perms::owner_read | fs::perms::owner_write);
}

TEST(SettingsFileDisk, OnlyAChangeIsWritten)
{
    TTempDir dir;
    const std::string path = dir.WriteFile("x.ini", "[S]\r\nk=1\r\n\r\n");
    const auto inode = [&path] {
        struct stat info;
        return ::lstat(path.c_str(), &info) == 0 ? info.st_ino : 0;
    };
    const ino_t before = inode();
    TSettingsFile::Open(path).UpdateFile();
    EXPECT_EQ(inode(), before) << "the same bytes again";
    TSettingsFile changed = TSettingsFile::Open(path);
    changed.WriteString("S", "k", "2");
    changed.UpdateFile();
    EXPECT_NE(inode(), before) << "a change of the same length";
    EXPECT_EQ(dir.ReadFile("x.ini"), "[S]\r\nk=2\r\n\r\n");
    // A pipe in place of the file has nothing to compare and must not keep the save waiting.
    std::filesystem::remove(path);
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    changed.UpdateFile();
    EXPECT_EQ(dir.ReadFile("x.ini"), "[S]\r\nk=2\r\n\r\n");
}

TEST(SettingsFileDisk, FolderInPlaceOfTheFile)
{
    TTempDir dir;
    std::filesystem::create_directory(dir.Path() / "x.ini");
    const std::string path = dir.Dir() + "x.ini";
    EXPECT_THROW(TSettingsFile::Open(path), TFileError);
    TSettingsFile file = TSettingsFile::FromBytes("[S]\nk=v\n", path);
    try {
        file.UpdateFile();
        FAIL() << "a folder cannot be replaced by a file";
    } catch (const TFileError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot create file " + path);
    }
}

// Makes a folder unwritable even for root (immutable attribute), and writable again at the end.
class TLockedFolder
{
public:
    explicit TLockedFolder(const std::filesystem::path& dir) : m_dir(dir)
    {
        std::filesystem::permissions(dir,
                                     std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
        if (::geteuid() == 0)
            m_immutable = std::system(("chattr +i '" + dir.string() + "' 2>/dev/null").c_str()) == 0;
    }
    ~TLockedFolder()
    {
        if (m_immutable)
            (void)std::system(("chattr -i '" + m_dir.string() + "' 2>/dev/null").c_str());
        std::filesystem::permissions(m_dir, std::filesystem::perms::owner_all);
    }
    bool Locked() const { return ::geteuid() != 0 || m_immutable; }

private:
    std::filesystem::path m_dir;
    bool m_immutable = false;
};

TEST(SettingsFileDisk, UnwritableFolderKeepsTheOldFileWhole)
{
    TTempDir dir;
    const std::string path = dir.WriteFile("locked/x.ini", "[Old]\r\nk=1\r\n\r\n");
    TSettingsFile file = TSettingsFile::Open(path);
    file.Clear();
    file.WriteString("New", "k", "2");
    TLockedFolder lock(dir.Path() / "locked");
    if (!lock.Locked())
        GTEST_SKIP() << "cannot make a folder unwritable here";
    try {
        file.UpdateFile();
        FAIL() << "the write should fail";
    } catch (const TFileError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot create file " + path);
    }
    EXPECT_EQ(dir.ReadFile("locked/x.ini"), "[Old]\r\nk=1\r\n\r\n");
}

TEST(SettingsFileDisk, ALongNameThatFitsCanBeReplaced)
{
    TTempDir dir;
    // 248 + ".ini" is 252 characters: the final name fits, so the temporary one must too.
    const std::string name = std::string(248, 'z') + ".ini";
    TSettingsFile file = TSettingsFile::FromBytes("[S]\r\nk=v\r\n", dir.Dir() + name);
    file.UpdateFile();
    EXPECT_EQ(dir.ReadFile(name), "[S]\r\nk=v\r\n\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST(SettingsFileLeftovers, TemporariesOfTheFileAreRemovedAndNothingElse)
{
    TTempDir dir;
    const std::string longName = std::string(250, 'q') + ".ini";
    for (const char* leftover : {"Vantorkorb.ini.tmp004711", "Vantorkorb.ini.tmp93", "sub/abc.ini.tmp123456"})
        dir.WriteFile(leftover, "half");
    dir.WriteFile(longName.substr(0, 245) + ".tmp000001", "half");
    const char* kept[] = {"Vantorkorb.ini",      "Vantorkorb.ini.tmp", "Vantorkorb.ini.tmpx12",
                          "Other.ini.tmp123456", "Vantorkorb.ini.bak", ".tmp123456"};
    for (const char* name : kept)
        dir.WriteFile(name, "mine");
    std::filesystem::create_directory(dir.Path() / "Vantorkorb.ini.tmp000002");
    RemoveLeftoverTemporaries(dir.Dir(), "Vantorkorb.ini");
    RemoveLeftoverTemporaries(dir.Dir(), longName);
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "Vantorkorb.ini.tmp004711"));
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "Vantorkorb.ini.tmp93"));
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / (longName.substr(0, 245) + ".tmp000001")));
    for (const char* name : kept)
        EXPECT_EQ(dir.ReadFile(name), "mine") << name;
    EXPECT_TRUE(std::filesystem::is_directory(dir.Path() / "Vantorkorb.ini.tmp000002"));
    EXPECT_TRUE(std::filesystem::exists(dir.Path() / "sub/abc.ini.tmp123456"));
    RemoveLeftoverTemporaries(dir.Dir() + "sub/");
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "sub/abc.ini.tmp123456"));
}

TEST(SettingsFileLeftovers, OnlyNamesOfOurTemporariesCount)
{
    const std::string longName = std::string(251, 'w') + ".ini";
    EXPECT_TRUE(IsLeftoverTemporaryName("a.ini.tmp000000", "a.ini"));
    EXPECT_TRUE(IsLeftoverTemporaryName(longName.substr(0, 245) + ".tmp999999", longName));
    EXPECT_FALSE(IsLeftoverTemporaryName("b.ini.tmp000000", "a.ini"));
    EXPECT_TRUE(IsLeftoverTemporaryName("b.ini.tmp000000"));
    EXPECT_FALSE(IsLeftoverTemporaryName("b.ini.tmp1234567"));
}

TEST(SettingsFileDisk, ManySectionsAnswerFromTheIndex)
{
    std::string bytes;
    for (int i = 0; i < 30000; ++i)
        bytes += "[Game" + std::to_string(i) + "]\r\nCurScrShot=" + std::to_string(i % 7) + "\r\n\r\n";
    TSettingsFile file = Parse(bytes);
    for (int i = 0; i < 30000; i += 997)
        EXPECT_EQ(file.ReadInteger("GAME" + std::to_string(i), "curscrshot", -1), i % 7);
    EXPECT_EQ(file.ToBytes(), bytes);
}

TEST(SettingsFileScale, ManyRepeatedNamesAnswerFromTheFirstOfEach)
{
    // Every name comes twice, the second time in other letters' case and with its key first.
    std::string bytes;
    constexpr int kNames = 60000;
    for (int pass = 0; pass < 2; ++pass)
        for (int i = 0; i < kNames; ++i) {
            const std::string number = std::to_string(i);
            bytes += (pass == 0 ? "[game" : "[GAME") + number + "]\r\n";
            if (pass == 0 && i % 3 == 0)
                bytes += "other=" + number + "\r\n";
            else
                bytes += "CurScrShot=" + std::to_string(pass * 10 + i % 7) + "\r\n";
            bytes += "\r\n";
        }
    TSettingsFile file = Parse(bytes);
    EXPECT_EQ(file.ToBytes(), bytes);
    EXPECT_EQ(file.SectionNames().size(), 2u * kNames);
    for (int i = 0; i < kNames; i += 1237) {
        const std::string name = "Game" + std::to_string(i);
        EXPECT_EQ(file.ReadInteger(name, "curscrshot", -1), i % 3 == 0 ? -1 : i % 7) << name;
    }
    // Names whose first section lacks the key are passed over, not answered from the later one.
    std::string expected;
    for (int i = 0; i < kNames; ++i)
        if (i % 3 != 0)
            expected += "game" + std::to_string(i) + "=" + std::to_string(i % 7) + ";";
    std::string visited;
    file.ForEachValue("CURSCRSHOT", [&](std::string_view section, std::string_view value) {
        visited.append(section).append("=").append(value).append(";");
    });
    EXPECT_EQ(visited, expected);
    file.EraseSection("GAME1");
    EXPECT_EQ(file.ReadInteger("game1", "CurScrShot", -1), 11);
}

TEST(SettingsFileScale, WalkingValuesSeesEmptyAndKeylessFilesAsNothing)
{
    for (const char* bytes : {"", "\r\n\r\n", "k=1\n", "[A]\nCurScrShot\n[B]\n;CurScrShot=1\n"}) {
        int visits = 0;
        Parse(bytes).ForEachValue("CurScrShot", [&](std::string_view, std::string_view) { ++visits; });
        EXPECT_EQ(visits, 0) << bytes;
    }
    EXPECT_EQ(Parse("").ToBytes(), "");
    EXPECT_TRUE(Parse("").SectionNames().empty());
}

TEST(SettingsFileWrite, AKeyHoldingAnEqualsSignReadsBackUpToIt)
{
    TSettingsFile file = Parse("[S]\nnokey\n");
    file.WriteString("S", "a=b", "c");
    file.WriteString("S", "a=b", "d"); // no stored key is "a=b": a second line, as on reading the file back
    EXPECT_EQ(file.ReadString("S", "a", ""), "b=c");
    EXPECT_FALSE(file.ValueExists("S", "a=b"));
    EXPECT_EQ(file.ToBytes(), "[S]\r\nnokey\r\na=b=c\r\na=b=d\r\n\r\n");
    EXPECT_EQ(Parse(file.ToBytes()).ReadString("S", "A", ""), "b=c");
}

TEST(SettingsFileWrite, ValuesHandedOutCanBeWrittenBack)
{
    // Each write grows the buffer the views point into; the write must take them before it does.
    const std::string value(100, 'v');
    TSettingsFile file = Parse("[Source]\nk=" + value + "\n[Other]\nx=1\n");
    file.ForEachValue(
        "k", [&](std::string_view section, std::string_view v) { file.WriteString(section, "copy", v); });
    file.ForEachValue("copy",
                      [&](std::string_view section, std::string_view v) { file.WriteString(v, v, section); });
    EXPECT_EQ(file.ReadString("Source", "copy", ""), value);
    EXPECT_EQ(file.ReadString(value, value, ""), "Source");
    EXPECT_EQ(file.ToBytes(), "[Source]\r\nk=" + value + "\r\ncopy=" + value +
                                  "\r\n\r\n[Other]\r\nx=1\r\n\r\n[" + value + "]\r\n" + value +
                                  "=Source\r\n\r\n");
}

TEST(SettingsFileWrite, InterleavedGrowthAndRewritesKeepEveryByte)
{
    // Two sections that take turns growing, a key rewritten many times with ever longer values, and an
    // erased section: the written file must be what the same writes give on a fresh object, in order.
    TSettingsFile file = Parse("[A]\na0=x\n[B]\nb0=y\n[C]\nc=1\n");
    std::string a = "[A]\r\na0=x\r\n";
    for (int i = 1; i <= 300; ++i) {
        const std::string n = std::to_string(i);
        file.WriteString("a", "a" + n, n);
        file.WriteString("B", "b" + n, n);
        a += "a" + n + "=" + n + "\r\n";
    }
    std::string last;
    for (int i = 0; i < 3000; ++i) {
        last = std::string(static_cast<size_t>(i % 500), static_cast<char>('a' + i % 26));
        file.WriteString("C", "C", last);
    }
    file.EraseSection("b");
    file.WriteString("B", "again", "1");
    EXPECT_EQ(file.ToBytes(), a + "\r\n[C]\r\nC=" + last + "\r\n\r\n[B]\r\nagain=1\r\n\r\n");
    EXPECT_EQ(file.ReadInteger("A", "A300", 0), 300);
    EXPECT_EQ(file.ReadInteger("A", "a150", 0), 150);
    EXPECT_FALSE(file.ValueExists("B", "b1"));
}

TEST(SettingsFileWrite, ARunOfIntegersWritesAsOneAtATime)
{
    const std::string start = "[VantorKorb]\r\nVersion=1\r\n[pac]\r\nkeep=1\r\n";
    const std::vector<std::pair<std::string, int32_t>> values = {
        {"Pac", 3},         {"galaga", -7}, {"PAC", 4},   {"vantorkorb", 2},
        {"line\nbreak", 1}, {"", 0},        {"galaga", 9}};
    TSettingsFile batch = Parse(start);
    batch.WriteIntegers("CurScrShot", values);
    TSettingsFile single = Parse(start);
    for (const auto& [name, value] : values)
        single.WriteInteger(name, "CurScrShot", value);
    EXPECT_EQ(batch.ToBytes(), single.ToBytes());
    EXPECT_EQ(batch.ReadInteger("PAC", "CurScrShot", -1), 4);
    EXPECT_EQ(batch.ReadInteger("Galaga", "CurScrShot", -1), 9);
    EXPECT_EQ(batch.ReadString("line break", "CurScrShot", ""), "1");
}

} // namespace

TEST(SettingsFileDisk, ALinkLeadingOutOfItsFolderIsLeftAloneAndNamed)
{
    namespace fs = std::filesystem;
    TTempDir dir, outside;
    const std::string victim = outside.WriteFile("victim", "keep");
    fs::create_symlink(victim, dir.Path() / "Vantorkorb.ini");
    TSettingsFile file = TSettingsFile::Open(dir.Dir() + "Vantorkorb.ini");
    file.WriteString("S", "k", "v");
    try {
        file.UpdateFile();
        FAIL() << "written through the link";
    } catch (const TFileError& error) {
        EXPECT_NE(std::string(error.what()).find(dir.Dir() + "Vantorkorb.ini"), std::string::npos);
    }
    EXPECT_EQ(outside.ReadFile("victim"), "keep");
    EXPECT_TRUE(fs::is_symlink(dir.Path() / "Vantorkorb.ini"));
}

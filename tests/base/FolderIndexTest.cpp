#include "base/FolderIndex.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/DateTimeText.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

class FolderIndex : public ::testing::Test
{
protected:
    void Touch(const std::string& relative, int ageHours = 1)
    {
        const std::string path = m_dir.WriteFile(relative, "x");
        fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::hours(ageHours));
    }
    void Folder(const std::string& relative) { fs::create_directories(m_dir.Path() / relative); }
    TFolderIndex Index(const std::string& relative = "") const
    {
        return TFolderIndex(m_dir.Dir() + relative);
    }
    std::string DateOf(const std::string& relative) const
    {
        return FormatDateTime(*FileModificationTime(m_dir.Dir() + relative));
    }

    TTempDir m_dir;
};

} // namespace

TEST_F(FolderIndex, FindsTheExactNameBeforeAnyCaseVariant)
{
    Touch("GAME.zip");
    Touch("Game.zip");
    Touch("game.ZIP");
    const TFolderIndex index = Index();
    EXPECT_EQ(index.Count(), 3u);
    EXPECT_EQ(index.Find("Game.zip", TEntryKind::File), "Game.zip");
    EXPECT_EQ(index.Find("game.ZIP", TEntryKind::File), "game.ZIP");
    // No exact name: the first variant in byte order.
    EXPECT_EQ(index.Find("game.zip", TEntryKind::File), "GAME.zip");
    EXPECT_EQ(index.Find("gAmE.ZiP", TEntryKind::File), "GAME.zip");
    EXPECT_EQ(index.Find("game.zi", TEntryKind::File), std::nullopt);
    EXPECT_EQ(index.Find("game.zipx", TEntryKind::File), std::nullopt);
    EXPECT_EQ(index.Find("", TEntryKind::File), std::nullopt);
}

TEST_F(FolderIndex, MatchesOnlyEntriesOfTheKindAsked)
{
    Folder("Abc");
    Touch("abc");
    Touch("ABC.zip");
    Folder("abc.ZIP");
    const TFolderIndex index = Index();
    EXPECT_EQ(index.Find("ABC", TEntryKind::Folder), "Abc");
    EXPECT_EQ(index.Find("ABC", TEntryKind::File), "abc");
    EXPECT_EQ(index.Find("abc.zip", TEntryKind::File), "ABC.zip");
    EXPECT_EQ(index.Find("abc.zip", TEntryKind::Folder), "abc.ZIP");
}

TEST_F(FolderIndex, LinksCountAsWhatTheyPointTo)
{
    Touch("target.bin");
    Folder("target");
    fs::create_symlink(m_dir.Path() / "target.bin", m_dir.Path() / "file.zip");
    fs::create_symlink(m_dir.Path() / "target", m_dir.Path() / "folder");
    fs::create_symlink(m_dir.Path() / "nowhere", m_dir.Path() / "broken.zip");
    const TFolderIndex index = Index();
    EXPECT_EQ(index.Find("FILE.zip", TEntryKind::File), "file.zip");
    EXPECT_EQ(index.Find("folder", TEntryKind::Folder), "folder");
    EXPECT_EQ(index.Find("folder", TEntryKind::File), std::nullopt);
    EXPECT_EQ(index.Find("broken.zip", TEntryKind::File), std::nullopt);
    EXPECT_EQ(index.Find("broken.zip", TEntryKind::Folder), std::nullopt);
    EXPECT_EQ(index.FileTime("file.zip"), FileModificationTime(m_dir.Dir() + "target.bin"));
    EXPECT_EQ(index.FileTime("broken.zip"), std::nullopt);
}

TEST_F(FolderIndex, OnlyAsciiLettersFoldAndOtherBytesStayDistinct)
{
    Touch("\xC3\x89t\xC3\xA9.zip"); // "Été" in UTF-8
    Touch("bin\x01\xff.zip");
    const TFolderIndex index = Index();
    EXPECT_EQ(index.Find("\xC3\x89T\xC3\xA9.ZIP", TEntryKind::File), "\xC3\x89t\xC3\xA9.zip");
    EXPECT_EQ(index.Find("\xC3\xA9t\xC3\xA9.zip", TEntryKind::File), std::nullopt);
    EXPECT_EQ(index.Find("BIN\x01\xff.zip", TEntryKind::File), "bin\x01\xff.zip");
    EXPECT_EQ(index.Find(std::string_view("bin\0\xff.zip", 9), TEntryKind::File), std::nullopt);
}

TEST_F(FolderIndex, AMissingFolderOrAFileHoldsNothing)
{
    Touch("plain");
    for (const std::string& folder : {std::string("missing/"), std::string("plain/")}) {
        const TFolderIndex index = Index(folder);
        EXPECT_FALSE(index.Readable()) << folder;
        EXPECT_EQ(index.Count(), 0u);
        EXPECT_EQ(index.Find("plain", TEntryKind::File), std::nullopt);
        EXPECT_EQ(index.FileTime("plain"), std::nullopt);
    }
    const TFolderIndex empty;
    EXPECT_EQ(empty.Find("x", TEntryKind::File), std::nullopt);
    EXPECT_EQ(empty.FileTime("x"), std::nullopt);
}

TEST_F(FolderIndex, TheWorkingDirectoryIsTheEmptyFolder)
{
    Touch("here.zip");
    const TCurrentDirScope scope(m_dir.Path());
    const TFolderIndex index("");
    EXPECT_TRUE(index.Readable());
    EXPECT_EQ(index.Find("HERE.zip", TEntryKind::File), "here.zip");
    EXPECT_EQ(index.FileTime("here.zip"), FileModificationTime("here.zip"));
}

TEST_F(FolderIndex, FileTimeIsReadNowAndOnlyForAFileInTheFolder)
{
    Touch("a.zip", 30);
    Touch("sub/b.zip");
    Folder("dir.zip");
    const TFolderIndex index = Index();
    EXPECT_EQ(FormatDateTime(*index.FileTime("a.zip")), DateOf("a.zip"));
    Touch("a.zip", 500);
    EXPECT_EQ(FormatDateTime(*index.FileTime("a.zip")), DateOf("a.zip"));
    EXPECT_EQ(index.FileTime("dir.zip"), std::nullopt);
    EXPECT_EQ(index.FileTime("A.ZIP"), std::nullopt); // the name as it stands, no case search
    EXPECT_EQ(index.FileTime("sub/b.zip"), std::nullopt);
    EXPECT_EQ(index.FileTime("../a.zip"), std::nullopt);
    EXPECT_EQ(index.FileTime(std::string_view("a.zip\0x", 7)), std::nullopt);
    EXPECT_EQ(index.FileTime(std::string(300, 'n')), std::nullopt);
    fs::remove(m_dir.Path() / "a.zip");
    EXPECT_EQ(index.FileTime("a.zip"), std::nullopt);
}

TEST_F(FolderIndex, ALongNameIsFoundAndDated)
{
    const std::string name = std::string(250, 'L') + ".zip";
    Touch(name, 40);
    const TFolderIndex index = Index();
    EXPECT_EQ(index.Find(std::string(250, 'l') + ".ZIP", TEntryKind::File), name);
    EXPECT_EQ(FormatDateTime(*index.FileTime(name)), DateOf(name));
}

TEST_F(FolderIndex, AMovedIndexKeepsItsFolder)
{
    Touch("a.zip");
    TFolderIndex moved = Index();
    TFolderIndex index(std::move(moved));
    EXPECT_EQ(index.Find("a.zip", TEntryKind::File), "a.zip");
    EXPECT_NE(index.FileTime("a.zip"), std::nullopt);
    TFolderIndex assigned;
    assigned = std::move(index);
    EXPECT_NE(assigned.FileTime("a.zip"), std::nullopt);
}

// Many case variants of one name neither hide other names nor change which variant is found.
TEST_F(FolderIndex, ManyCaseVariantsAndManyNamesAgreeWithTheSortedListing)
{
    std::mt19937 random(7);
    std::vector<std::string> queries;
    for (int i = 0; i < 32; ++i) {
        std::string name = "crowd";
        for (char& c : name)
            c = (i >> (&c - name.data()) & 1) ? static_cast<char>(c - 'a' + 'A') : c;
        Touch(name + ".zip");
    }
    for (int i = 0; i < 3000; ++i) {
        std::string name = "g" + std::to_string(i);
        if (random() % 4 == 0)
            name[0] = 'G';
        if (random() % 5 == 0)
            Folder(name + ".zip");
        else
            Touch(name + ".zip");
        queries.push_back("g" + std::to_string(i) + ".zip");
        queries.push_back("G" + std::to_string(i) + ".ZIP");
    }
    for (const char* query : {"crowd.zip", "CROWD.ZIP", "cRoWd.zip", "crowd", "g3000.zip"})
        queries.emplace_back(query);
    const TFolderIndex index = Index();
    TFolderListing listing(m_dir.Dir());
    listing.Index();
    EXPECT_EQ(index.Count(), listing.Count());
    for (const std::string& query : queries) {
        for (TEntryKind kind : {TEntryKind::File, TEntryKind::Folder}) {
            const auto found = index.Find(query, kind);
            EXPECT_EQ(found ? std::optional<std::string>(*found) : std::nullopt, listing.Find(query, kind))
                << query;
        }
    }
    EXPECT_EQ(index.Find("crowd.zip", TEntryKind::File), "crowd.zip");
    EXPECT_EQ(index.Find("Crowd.zip", TEntryKind::File), "Crowd.zip");
    EXPECT_EQ(index.Find("CROWD.zip", TEntryKind::File), "CROWD.zip");
    EXPECT_EQ(index.Find("crowd.ZIP", TEntryKind::File), "CROWD.zip");
}

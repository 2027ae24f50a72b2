#include "base/FolderListing.h"
#include "base/PlainFileName.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/TempDir.h"

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

std::vector<std::string> Names(const std::vector<TListedEntry>& entries)
{
    std::vector<std::string> names;
    for (const TListedEntry& entry : entries)
        names.emplace_back(entry.Name);
    return names;
}

// Each lookup is checked on a fresh listing (scanned) and on an indexed one (searched): both must agree.
class FolderListing : public ::testing::TestWithParam<bool>
{
protected:
    TFolderListing List(const std::string& relative = "") const
    {
        TFolderListing listing(m_dir.Dir() + relative);
        if (GetParam())
            listing.Index();
        return listing;
    }
    void Touch(const std::string& relative) { m_dir.WriteFile(relative, "x"); }
    void Folder(const std::string& relative) { fs::create_directories(m_dir.Path() / relative); }

    TTempDir m_dir;
};

} // namespace

INSTANTIATE_TEST_SUITE_P(ScannedAndIndexed, FolderListing, ::testing::Bool());

TEST_P(FolderListing, FindsTheExactNameBeforeAnyCaseVariant)
{
    Touch("GAME.zip");
    Touch("Game.zip");
    Touch("game.ZIP");
    const TFolderListing listing = List();
    EXPECT_EQ(listing.Find("Game.zip", TEntryKind::File), "Game.zip");
    EXPECT_EQ(listing.Find("game.ZIP", TEntryKind::File), "game.ZIP");
    // No exact name: the first variant in byte order.
    EXPECT_EQ(listing.Find("game.zip", TEntryKind::File), "GAME.zip");
    EXPECT_EQ(listing.Find("game.zi", TEntryKind::File), std::nullopt);
    EXPECT_EQ(listing.Find("game.zipx", TEntryKind::File), std::nullopt);
}

TEST_P(FolderListing, FindsOnlyEntriesOfTheKindAskedFor)
{
    Folder("Roms");
    Touch("roms");
    const TFolderListing listing = List();
    EXPECT_EQ(listing.Find("ROMS", TEntryKind::Folder), "Roms");
    EXPECT_EQ(listing.Find("ROMS", TEntryKind::File), "roms");
    EXPECT_EQ(listing.Find("roms", TEntryKind::Folder), "Roms");
    EXPECT_EQ(listing.Find("roms", TEntryKind::Other), std::nullopt);
}

TEST_P(FolderListing, LinksCountAsWhatTheyPointTo)
{
    Touch("target.pcx");
    Folder("place");
    fs::create_symlink(m_dir.Path() / "target.pcx", m_dir.Path() / "Link.pcx");
    fs::create_directory_symlink(m_dir.Path() / "place", m_dir.Path() / "LinkDir");
    fs::create_symlink(m_dir.Path() / "nothing", m_dir.Path() / "broken.pcx");
    const TFolderListing listing = List();
    EXPECT_EQ(listing.Find("link.pcx", TEntryKind::File), "Link.pcx");
    EXPECT_EQ(listing.Find("linkdir", TEntryKind::Folder), "LinkDir");
    EXPECT_EQ(listing.Find("broken.pcx", TEntryKind::File), std::nullopt);
    EXPECT_EQ(listing.Find("broken.pcx", TEntryKind::Other), "broken.pcx");
}

TEST_P(FolderListing, MatchesWildcardsWithoutRegardToCaseInCaseInsensitiveOrder)
{
    for (const char* name : {"abc.002.PCX", "ABC", "abc.001.pcx", "abcd.001.pcx", "Abc.1000.png",
                             "xabc.001.pcx", "ab.pcx", "abc.txt"})
        Touch(name);
    const TFolderListing listing = List();
    EXPECT_THAT(Names(listing.Matching("abc.*")),
                ElementsAre("ABC", "abc.001.pcx", "abc.002.PCX", "Abc.1000.png", "abc.txt"));
    EXPECT_THAT(Names(listing.Matching("*.pcx")),
                ElementsAre("ab.pcx", "abc.001.pcx", "abc.002.PCX", "abcd.001.pcx", "xabc.001.pcx"));
    EXPECT_THAT(Names(listing.Matching("ABC.0*.*")), ElementsAre("abc.001.pcx", "abc.002.PCX"));
    EXPECT_THAT(Names(listing.Matching("abc*")),
                ElementsAre("ABC", "abc.001.pcx", "abc.002.PCX", "Abc.1000.png", "abc.txt", "abcd.001.pcx"));
    EXPECT_THAT(Names(listing.Matching("a?.pcx")), ElementsAre("ab.pcx"));
    EXPECT_THAT(Names(listing.Matching("nothing.*")), IsEmpty());
}

TEST_P(FolderListing, TheLiteralPartIsNeverAPattern)
{
    Touch("a*b.001.pcx");
    Touch("axxb.001.pcx");
    Touch("a?b.pcx");
    const TFolderListing listing = List();
    EXPECT_THAT(Names(listing.Matching("a*b", ".*")), ElementsAre("a*b.001.pcx"));
    EXPECT_THAT(Names(listing.Matching("A?B", ".*")), ElementsAre("a?b.pcx"));
    EXPECT_THAT(Names(listing.Matching("a*b.*")), ElementsAre("a*b.001.pcx", "a?b.pcx", "axxb.001.pcx"));
}

TEST_P(FolderListing, AMissingFolderHoldsNothing)
{
    const TFolderListing listing = List("missing/");
    EXPECT_FALSE(listing.Readable());
    EXPECT_EQ(listing.Count(), 0u);
    EXPECT_EQ(listing.Find("x", TEntryKind::File), std::nullopt);
    EXPECT_THAT(listing.Matching("*"), IsEmpty());
}

TEST_P(FolderListing, ListsEveryNameOnceWithoutTheDotEntries)
{
    Touch("b");
    Touch("A");
    Folder("c");
    const TFolderListing listing = List();
    EXPECT_TRUE(listing.Readable());
    std::vector<std::string> names;
    for (size_t i = 0; i < listing.Count(); ++i)
        names.emplace_back(listing.At(i).Name);
    if (!GetParam())
        std::sort(names.begin(), names.end());
    EXPECT_THAT(names, ElementsAre("A", "b", "c"));
}

TEST(FolderListingWildcards, FollowTheFileNamePatternRules)
{
    struct TCase
    {
        const char* Pattern;
        const char* Name;
        bool Matches;
    };
    const TCase cases[] = {
        {"*", "", true},
        {"*", "anything", true},
        {"?", "", false},
        {"abc.*", "abc", true},
        {"abc.*", "ABC.x.y", true},
        {"abc.*", "abcd", false},
        {"abc.*", "ab", false},
        {"*.pcx", ".pcx", true},
        {"*.pcx", "a.pcx.txt", false},
        {"*a*a*a*b", "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", false},
        {"a*b*c", "aXbYbZc", true},
        {"", "", true},
        {"", "a", false},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(MatchesWildcard(c.Pattern, c.Name), c.Matches) << c.Pattern << " / " << c.Name;
}

TEST(FolderListingOrder, IgnoresCaseFirstThenBytes)
{
    EXPECT_LT(CompareIgnoringCase("abc.100", "ABC.1000"), 0);
    EXPECT_LT(CompareIgnoringCase("ABC.1000", "abc.101"), 0);
    EXPECT_LT(CompareIgnoringCase("ABC", "abc"), 0);
    EXPECT_EQ(CompareIgnoringCase("abc", "abc"), 0);
    EXPECT_GT(CompareIgnoringCase("b", "A"), 0);
    // Bytes above 0x7F sort after every ASCII letter, in any case.
    EXPECT_GT(CompareIgnoringCase("\xE9", "z"), 0);
}

TEST(FolderListingFindEntry, TriesTheExactNameThenOneListing)
{
    TTempDir dir;
    dir.WriteFile("Mix.Mid", "x");
    dir.WriteFile("sub/x.mid", "x");
    EXPECT_EQ(FindEntry(dir.Dir(), "mix.mid", TEntryKind::File), dir.Dir() + "Mix.Mid");
    EXPECT_EQ(FindEntry(dir.Dir(), "Mix.Mid", TEntryKind::File), dir.Dir() + "Mix.Mid");
    EXPECT_EQ(FindEntry(dir.Dir(), "SUB", TEntryKind::Folder), dir.Dir() + "sub");
    EXPECT_EQ(FindEntry(dir.Dir(), "SUB", TEntryKind::File), std::nullopt);
    EXPECT_EQ(FindEntry(dir.Dir() + "missing/", "x.mid", TEntryKind::File), std::nullopt);
    // Only names of the folder itself.
    for (const char* name : {"sub/x.mid", "", ".", "..", "sub\\x.mid"})
        EXPECT_EQ(FindEntry(dir.Dir(), name, TEntryKind::File), std::nullopt) << name;
    EXPECT_EQ(FindEntry(dir.Dir(), "..", TEntryKind::Folder), std::nullopt);
}

TEST(PlainFileName, RefusesWhatCouldLeaveTheFolder)
{
    for (const std::string& name :
         {std::string("../evil"), std::string("../../escaped"), std::string("a/b"), std::string("a\\b"),
          std::string("."), std::string(".."), std::string(), std::string("evil\0x", 6), std::string("/abs")})
        EXPECT_FALSE(IsPlainFileName(name)) << name;
    for (const char* name : {"game", "..x", "x..", "...", "a b", "a*b", "Default", "\xC3\xA9t\xC3\xA9"})
        EXPECT_TRUE(IsPlainFileName(name)) << name;
}

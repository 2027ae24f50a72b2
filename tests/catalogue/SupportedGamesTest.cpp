#include "catalogue/SupportedGames.h"

#include <string>
#include <utility>
#include <vector>

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "base/FileError.h"
#include "catalogue/TextLines.h"
#include "support/TempDir.h"

namespace {
using namespace std::string_literals;
using TEntries = std::vector<std::pair<std::string, std::string>>; // zip name, game name

TEntries Entries(const TGameObjectList& catalogue)
{
    TEntries entries;
    for (int i = 0; i < catalogue.Count(); ++i) {
        entries.emplace_back(catalogue.At(i).ZipName, catalogue.At(i).GameName);
    }
    return entries;
}

struct TImported
{
    TEntries Games;
    TImportResult Result;
};

TImported Import(const std::string& listing, const std::string& readme)
{
    TGameObjectList catalogue;
    TImported imported;
    imported.Result = ImportCatalogueFromBytes(catalogue, listing, readme);
    imported.Games = Entries(catalogue);
    return imported;
}

const std::string kReadmeHead = "Korb readme\r\n\r\nName                 Internal name\r\n";

TEST(ImportListing, TakesEveryWordAfterTheMarkerLineButNotFromIt)
{
    auto imported =
        Import("Korb 1.0\r\nsupported games: early\r\nabc abcj\tabcu\r\nxyz\r\n",
               kReadmeHead + "A B C  abc\r\nAbc J abcj\r\nABC U abcu\r\nXyz xyz\r\nEarly early\r\n");
    EXPECT_EQ(imported.Games,
              (TEntries{{"abc", "A B C"}, {"abcj", "Abc J"}, {"abcu", "Abc U"}, {"xyz", "Xyz"}}));
    EXPECT_EQ(imported.Result.UnmatchedNames, 0);
    EXPECT_EQ(imported.Result.Message, "");
}

TEST(ImportListing, MarkerIsCaseSensitiveAndMayStandAnywhereInTheLine)
{
    EXPECT_TRUE(Import("GAMES:\r\nabc\r\n", kReadmeHead + "A abc\r\n").Games.empty());
    EXPECT_EQ(Import("xgames:y\r\nabc\r\n", kReadmeHead + "A abc\r\n").Games.size(), 1u);
}

TEST(ImportListing, ControlCharactersSeparateWordsAndOneCharacterNamesCount)
{
    auto imported = Import("games:\r\nab\x01"
                           "cd\x1f"
                           "ef\0gh q"s,
                           kReadmeHead + "A ab\r\nC cd\r\nE ef\r\nG gh\r\nQ q\r\n");
    EXPECT_EQ(imported.Games.size(), 5u);
    EXPECT_EQ(imported.Result.UnmatchedNames, 0);
}

TEST(ImportListing, NoMarkerGivesAnEmptyCatalogueAndNoMessage)
{
    auto imported = Import("abc xyz\r\n", kReadmeHead + "A abc\r\n");
    EXPECT_TRUE(imported.Games.empty());
    EXPECT_EQ(imported.Result.UnmatchedNames, 0);
    EXPECT_EQ(imported.Result.Message, "");
}

TEST(ImportReadme, LastBlankSplitsDisplayNameFromZipName)
{
    auto imported =
        Import("games:\r\nspfight2 lonely tabbed\r\n",
               kReadmeHead + "  SPACE FIGHTER II      spfight2  \r\nlonely\r\nTab\tbed x\ttabbed\r\n");
    // A tab is no blank: the candidate of the third line is "x\ttabbed", which is not listed.
    EXPECT_EQ(imported.Games, (TEntries{{"spfight2", "Space Fighter II"}, {"lonely", ""}}));
    EXPECT_EQ(imported.Result.UnmatchedNames, 1);
}

TEST(ImportReadme, ReadmeOrderAndSpellingWin)
{
    auto imported = Import("games:\r\nZZZ aaa MMM\r\n", kReadmeHead + "M mmm\r\nA AAA\r\nZ zZz\r\n");
    EXPECT_EQ(imported.Games, (TEntries{{"mmm", "M"}, {"AAA", "A"}, {"zZz", "Z"}}));
}

TEST(ImportReadme, EachMatchConsumesOneListedCopy)
{
    auto once = Import("games:\r\nabc\r\n", kReadmeHead + "First abc\r\nSecond ABC\r\n");
    EXPECT_EQ(once.Games, (TEntries{{"abc", "First"}}));
    auto twice = Import("games:\r\nabc ABC\r\n", kReadmeHead + "First abc\r\nSecond ABC\r\nThird abc\r\n");
    EXPECT_EQ(twice.Games, (TEntries{{"abc", "First"}, {"ABC", "Second"}}));
}

// More names than the table reserves for, so it grows while the listing is read; names whose copies are all
// taken must not hide the names stored after them.
TEST(ImportReadme, HugeListingMatchesEveryNameOnceInAnyOrderAndCase)
{
    constexpr int kNames = 140000;
    std::string listing = "games:\r\n";
    std::string readme = kReadmeHead;
    for (int i = 0; i < kNames; ++i) {
        listing += "n" + std::to_string(i) + (i % 10 == 9 ? "\r\n" : " ");
    }
    for (int i = kNames; i-- > 0;) {
        readme += "Game " + std::to_string(i) + (i % 2 ? " N" : " n") + std::to_string(i) + "\r\n";
        readme += "Again n" + std::to_string(i) + "\r\n";
    }
    const TImported imported = Import(listing, readme);
    ASSERT_EQ(imported.Games.size(), size_t(kNames));
    EXPECT_EQ(imported.Result.UnmatchedNames, 0);
    EXPECT_EQ(imported.Games.front(), (std::pair<std::string, std::string>{"N139999", "Game 139999"}));
    EXPECT_EQ(imported.Games.back(), (std::pair<std::string, std::string>{"n0", "Game 0"}));
    EXPECT_EQ(imported.Games[1].first, "n139998");
}

TEST(ImportReadme, LinesBeforeTheMarkerAndTheMarkerLineAreNotMatched)
{
    auto imported = Import("games:\r\nabc name\r\n", "Before abc\r\nInternal name\r\nAfter abc\r\n");
    EXPECT_EQ(imported.Games, (TEntries{{"abc", "After"}}));
    EXPECT_EQ(imported.Result.UnmatchedNames, 1);
}

TEST(ImportReadme, UnmatchedNamesAreCountedInTheMessage)
{
    auto imported = Import("games:\r\nabc def ghi jkl\r\n", kReadmeHead + "D def\r\n");
    EXPECT_EQ(imported.Result.UnmatchedNames, 3);
    EXPECT_EQ(imported.Result.Message, "3 gamenames not found in Korb ReadMe.txt!");
}

TEST(ImportReadme, WithoutTheTableHeadingEveryNameIsUnmatched)
{
    auto imported = Import("games:\r\nabc def\r\n", "Abc abc\r\nDef def\r\n");
    EXPECT_TRUE(imported.Games.empty());
    EXPECT_EQ(imported.Result.Message, "2 gamenames not found in Korb ReadMe.txt!");
}

TEST(ImportReadme, ReplacesWhatTheCatalogueHeld)
{
    TGameObjectList catalogue;
    ImportCatalogueFromBytes(catalogue, "games:\r\nabc\r\n", kReadmeHead + "A abc\r\n");
    ImportCatalogueFromBytes(catalogue, "games:\r\nxyz\r\n", kReadmeHead + "X xyz\r\n");
    EXPECT_EQ(Entries(catalogue), (TEntries{{"xyz", "X"}}));
}

TEST(ImportTextRules, LoneLineFeedDoesNotEndALine)
{
    // In the listing the LF only separates words; in the readme the whole text is one line.
    auto listing = Import("games:\nabc\r\nxyz\r\n", kReadmeHead + "X xyz\r\n");
    EXPECT_EQ(listing.Games, (TEntries{{"xyz", "X"}}));
    auto readme = Import("games:\r\nabc xyz\r\n", "Internal name\nA abc\nX xyz\n");
    EXPECT_TRUE(readme.Games.empty());
    EXPECT_EQ(readme.Result.UnmatchedNames, 2);
}

TEST(ImportTextRules, CarriageReturnAloneEndsALine)
{
    auto imported = Import("games:\rabc\rxyz", "Internal name\rA abc\rX xyz");
    EXPECT_EQ(imported.Games, (TEntries{{"abc", "A"}, {"xyz", "X"}}));
}

TEST(ImportTextRules, CtrlZEndsEitherFile)
{
    auto listing = Import("games:\r\nabc\x1axyz\r\n", kReadmeHead + "A abc\r\nX xyz\r\n");
    EXPECT_EQ(listing.Games, (TEntries{{"abc", "A"}}));
    auto readme = Import("games:\r\nabc xyz\r\n", kReadmeHead + "A abc\r\n\x1aX xyz\r\n");
    EXPECT_EQ(readme.Games, (TEntries{{"abc", "A"}}));
    EXPECT_EQ(readme.Result.UnmatchedNames, 1);
}

TEST(ImportTextRules, NulBytesAndBinaryDataAreOrdinaryCharacters)
{
    std::string binary;
    for (int i = 0; i < 256; ++i) {
        binary += char(i == 26 ? 0 : i);
    }
    // Everything above code 32 is one word, and the binary's last line trims to just that word.
    std::string word;
    for (int i = 33; i < 256; ++i) {
        word += char(i);
    }
    auto imported = Import("games:\r\n"s + binary + "\r\nabc\r\n",
                           kReadmeHead + binary + "\r\nSOME\0GAME abc\r\n"s + binary);
    EXPECT_EQ(imported.Games, (TEntries{{word, ""}, {"abc", "Some\0Game"s}}));
    EXPECT_EQ(imported.Result.UnmatchedNames, 0);
}

TEST(ImportTextRules, VeryLongLinesAreReadWhole)
{
    const std::string longName(10 * 1024 * 1024, 'q');
    auto imported =
        Import("games:\r\nabc " + longName + "\r\n",
               kReadmeHead + std::string(10 * 1024 * 1024, ' ') + "A abc\r\nLong " + longName + "\r\n");
    ASSERT_EQ(imported.Games.size(), 2u);
    EXPECT_EQ(imported.Games[0], (std::pair<std::string, std::string>{"abc", "A"}));
    EXPECT_EQ(imported.Games[1].first.size(), longName.size());
    EXPECT_EQ(imported.Result.UnmatchedNames, 0);
}

TEST(ImportFiles, ReadsBothFilesFromDisk)
{
    TTempDir dir;
    std::string listing = dir.WriteFile("listinfo.txt", "games:\r\nabc\r\n");
    std::string readme = dir.WriteFile("Readme.txt", kReadmeHead + "ALPHA BETA abc\r\n");
    TGameObjectList catalogue;
    auto result = ImportCatalogue(catalogue, listing, readme);
    EXPECT_EQ(Entries(catalogue), (TEntries{{"abc", "Alpha Beta"}}));
    EXPECT_EQ(result.UnmatchedNames, 0);
}

TEST(ImportFiles, FilesAreReadByteForByteWhateverTheyHold)
{
    TTempDir dir;
    std::string bytes;
    for (int i = 0; i < 300000; ++i) {
        bytes += static_cast<char>((i * 131) % 256);
    }
    EXPECT_EQ(ReadTextFileBytes(dir.WriteFile("binary.txt", bytes)), bytes);
    EXPECT_EQ(ReadTextFileBytes(dir.WriteFile("empty.txt", "")), "");
}

TEST(ImportFiles, MissingFileThrowsFileNotFoundAndEmptiesTheCatalogue)
{
    TTempDir dir;
    std::string readme = dir.WriteFile("Readme.txt", kReadmeHead + "A abc\r\n");
    TGameObjectList catalogue;
    catalogue.AddGame(std::make_unique<TGameObject>());
    try {
        ImportCatalogue(catalogue, dir.Dir() + "listinfo.txt", readme);
        FAIL() << "no error for a missing listing";
    } catch (const TFileError& error) {
        EXPECT_STREQ(error.what(), "File not found");
    }
    EXPECT_EQ(catalogue.Count(), 0);
    std::string listing = dir.WriteFile("listinfo.txt", "games:\r\nabc\r\n");
    EXPECT_THROW(ImportCatalogue(catalogue, listing, dir.Dir() + "missing.txt"), TFileError);
}

TEST(ImportFiles, FolderOrPipeInPlaceOfAFileIsAReadErrorNotAHang)
{
    TTempDir dir;
    std::string readme = dir.WriteFile("Readme.txt", kReadmeHead);
    TGameObjectList catalogue;
    EXPECT_THROW(ImportCatalogue(catalogue, dir.Dir(), readme), TFileError);
    std::string pipe = dir.Dir() + "listinfo.txt";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_THROW(ImportCatalogue(catalogue, pipe, readme), TFileError);
}
} // namespace

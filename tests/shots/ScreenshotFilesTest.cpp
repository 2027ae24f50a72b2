#include "shots/ScreenshotFiles.h"

#include <chrono>
#include <filesystem>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/TempDir.h"

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

class ScreenshotFolders : public ::testing::Test
{
protected:
    TScreenshotDirs Dirs() const
    {
        return {m_temp.Dir() + "Titles/", m_temp.Dir() + "Gameplay/", m_temp.Dir() + "Flyers/",
                m_temp.Dir() + "Cabinets/"};
    }
    void Touch(const std::string& relative, const std::string& bytes = "x")
    {
        m_temp.WriteFile(relative, bytes);
    }
    std::vector<std::string> List(const std::string& zip, TScreenshotCategories categories = {}) const
    {
        return BuildScreenshotList(Dirs(), zip, categories);
    }
    bool Exists(const std::string& relative) const { return fs::exists(m_temp.Path() / relative); }

    TTempDir m_temp;
};

} // namespace

TEST_F(ScreenshotFolders, ListsTitleGameplayFlyerCabinetInThatOrder)
{
    Touch("Cabinets/abc.png");
    Touch("Flyers/abc.jpg");
    Touch("Gameplay/abc.002.png");
    Touch("Gameplay/abc.001.pcx");
    Touch("Titles/abc.bmp");
    const TScreenshotDirs d = Dirs();
    EXPECT_THAT(List("abc"), ElementsAre(d.TitlesDir + "abc.bmp", d.GameplayDir + "abc.001.pcx",
                                         d.GameplayDir + "abc.002.png", d.FlyersDir + "abc.jpg",
                                         d.CabinetsDir + "abc.png"));
}

TEST_F(ScreenshotFolders, UncheckedCategoriesContributeNothing)
{
    Touch("Cabinets/abc.png");
    Touch("Flyers/abc.jpg");
    Touch("Gameplay/abc.001.pcx");
    Touch("Titles/abc.bmp");
    const TScreenshotDirs d = Dirs();
    EXPECT_THAT(List("abc", {false, false, false, false}), IsEmpty());
    EXPECT_THAT(List("abc", {false, true, false, true}),
                ElementsAre(d.GameplayDir + "abc.001.pcx", d.CabinetsDir + "abc.png"));
    EXPECT_THAT(List("abc", {true, false, true, false}),
                ElementsAre(d.TitlesDir + "abc.bmp", d.FlyersDir + "abc.jpg"));
}

TEST_F(ScreenshotFolders, MissingFoldersGiveAnEmptyList)
{
    EXPECT_THAT(List("abc"), IsEmpty());
}

TEST_F(ScreenshotFolders, TitleMatchesAnyNameThatBeginsWithTheZip)
{
    Touch("Titles/abc2.pcx");
    EXPECT_THAT(List("abc"), ElementsAre(Dirs().TitlesDir + "abc2.pcx"));
    Touch("Titles/abc.pcx");
    EXPECT_THAT(List("abc"), ElementsAre(Dirs().TitlesDir + "abc.pcx"));
    EXPECT_THAT(List("ab"), ElementsAre(Dirs().TitlesDir + "abc.pcx"));
}

TEST_F(ScreenshotFolders, OnlyTheFirstTitleIsExaminedEvenWhenItIsNoPicture)
{
    Touch("Titles/abc.png");
    Touch("Titles/abc.aaa");
    EXPECT_THAT(List("abc"), IsEmpty());
}

TEST_F(ScreenshotFolders, FlyerAndCabinetNeedTheDotAfterTheZip)
{
    Touch("Flyers/abc2.png");
    Touch("Cabinets/abcd.jpg");
    EXPECT_THAT(List("abc"), IsEmpty());
    Touch("Flyers/abc.png");
    EXPECT_THAT(List("abc"), ElementsAre(Dirs().FlyersDir + "abc.png"));
}

TEST_F(ScreenshotFolders, BareZipNameIsFoundFirstAndHidesTheCabinet)
{
    Touch("Cabinets/abc");
    Touch("Cabinets/abc.png");
    EXPECT_THAT(List("abc"), IsEmpty());
}

TEST_F(ScreenshotFolders, GameplaySortsPicturesAndSkipsOtherFiles)
{
    for (const char* name : {"abc.002.png", "abc.001.pcx", "abc.010.jpg", "abc.001.txt", "abc.003.jpeg",
                             "abc.004.gif", "abc.005.tga", "abcd.001.pcx", "xabc.001.pcx", "abc"})
        Touch(std::string("Gameplay/") + name);
    const std::string g = Dirs().GameplayDir;
    EXPECT_THAT(List("abc"), ElementsAre(g + "abc.001.pcx", g + "abc.002.png", g + "abc.010.jpg"));
}

TEST_F(ScreenshotFolders, GameplayNumbersFromOneThousandSortAsText)
{
    for (const char* name : {"abc.101.pcx", "abc.1000.pcx", "abc.100.pcx", "abc.099.pcx"})
        Touch(std::string("Gameplay/") + name);
    const std::string g = Dirs().GameplayDir;
    EXPECT_THAT(List("abc"),
                ElementsAre(g + "abc.099.pcx", g + "abc.100.pcx", g + "abc.1000.pcx", g + "abc.101.pcx"));
}

TEST_F(ScreenshotFolders, GameplaySkipsFoldersThatLookLikePictures)
{
    fs::create_directories(m_temp.Path() / "Gameplay" / "abc.001.pcx");
    Touch("Gameplay/abc.002.pcx");
    EXPECT_THAT(List("abc"), ElementsAre(Dirs().GameplayDir + "abc.002.pcx"));
}

TEST_F(ScreenshotFolders, NamesMatchWithoutCaseAndEntriesAreLowerCase)
{
    Touch("Gameplay/ABC.001.PCX");
    Touch("Titles/Abc.Png");
    Touch("Flyers/aBc.JPG");
    const TScreenshotDirs d = Dirs();
    const auto entries = BuildScreenshotEntries(d, "aBC", {});
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].Entry, d.TitlesDir + "abc.png");
    EXPECT_EQ(entries[0].RealPath, d.TitlesDir + "Abc.Png");
    EXPECT_EQ(entries[1].Entry, d.GameplayDir + "abc.001.pcx");
    EXPECT_EQ(entries[1].RealPath, d.GameplayDir + "ABC.001.PCX");
    EXPECT_EQ(entries[2].Entry, d.FlyersDir + "abc.jpg");
    for (const auto& entry : entries)
        EXPECT_TRUE(fs::is_regular_file(entry.RealPath)) << entry.RealPath;
}

TEST(ScreenshotNames, NumbersArePaddedToThreeDigits)
{
    const std::pair<int, const char*> rows[] = {
        {1, "001"}, {12, "012"}, {999, "999"}, {1000, "1000"}, {12345, "12345"}};
    for (const auto& [number, text] : rows)
        EXPECT_EQ(GameplayNumberText(number), text);
}

TEST(ScreenshotNames, ImageExtensionsAreTheFourLowerCaseOnes)
{
    for (const char* name : {"a.pcx", "a.jpg", "a.bmp", "a.png", "a.b.png"})
        EXPECT_TRUE(HasImageExtension(name)) << name;
    for (const char* name : {"a.jpeg", "a.gif", "a.tga", "a.PNG", "png", "a.png.txt", "a."})
        EXPECT_FALSE(HasImageExtension(name)) << name;
}

TEST_F(ScreenshotFolders, NextFreeNameStartsAtOneAndFillsGaps)
{
    const std::string g = Dirs().GameplayDir;
    EXPECT_EQ(NextFreeGameplayName(g, "abc"), g + "abc.001.pcx");
    Touch("Gameplay/abc.002.jpg");
    EXPECT_EQ(NextFreeGameplayName(g, "abc"), g + "abc.001.pcx");
    Touch("Gameplay/abc.001.pcx");
    Touch("Gameplay/abc.003.BMP");
    Touch("Gameplay/ABC.004.png");
    Touch("Gameplay/abc.005.gif");
    Touch("Gameplay/abcd.005.pcx");
    EXPECT_EQ(NextFreeGameplayName(g, "abc"), g + "abc.005.pcx");
}

TEST_F(ScreenshotFolders, NextFreeNameIgnoresFoldersAndGoesPastNineHundredNinetyNine)
{
    const std::string g = Dirs().GameplayDir;
    fs::create_directories(m_temp.Path() / "Gameplay" / "abc.001.png");
    EXPECT_EQ(NextFreeGameplayName(g, "abc"), g + "abc.001.pcx");
    for (int n = 1; n <= 999; ++n)
        Touch("Gameplay/abc." + GameplayNumberText(n) + ".pcx");
    EXPECT_EQ(NextFreeGameplayName(g, "abc"), g + "abc.1000.pcx");
}

TEST_F(ScreenshotFolders, HarvestNumbersNewShotsAfterExistingOnesInListingOrder)
{
    Touch("Gameplay/abc.001.pcx", "old1");
    Touch("Gameplay/abc.003.jpg", "old3");
    Touch("pcx/shot1.pcx", "one");
    Touch("pcx/shot2.PCX", "two");
    Touch("pcx/shot3.pcx", "three");
    Touch("pcx/notes.txt", "text");
    HarvestNewScreenshots(m_temp.Dir() + "pcx/", Dirs().GameplayDir, "abc");
    EXPECT_EQ(m_temp.ReadFile("Gameplay/abc.001.pcx"), "old1");
    EXPECT_EQ(m_temp.ReadFile("Gameplay/abc.002.pcx"), "one");
    EXPECT_EQ(m_temp.ReadFile("Gameplay/abc.003.jpg"), "old3");
    EXPECT_EQ(m_temp.ReadFile("Gameplay/abc.004.pcx"), "two");
    EXPECT_EQ(m_temp.ReadFile("Gameplay/abc.005.pcx"), "three");
    EXPECT_FALSE(Exists("pcx/shot1.pcx"));
    EXPECT_TRUE(Exists("pcx/notes.txt"));
}

TEST_F(ScreenshotFolders, HarvestRemovesAnEmptyCaptureFolder)
{
    fs::create_directories(m_temp.Path() / "Gameplay");
    fs::create_directories(m_temp.Path() / "pcx");
    HarvestNewScreenshots(m_temp.Dir() + "pcx/", Dirs().GameplayDir, "abc");
    EXPECT_FALSE(Exists("pcx"));
    EXPECT_THAT(List("abc"), IsEmpty());

    Touch("pcx/a.pcx", "a");
    HarvestNewScreenshots(m_temp.Dir() + "pcx/", Dirs().GameplayDir, "abc");
    EXPECT_FALSE(Exists("pcx"));
    EXPECT_EQ(m_temp.ReadFile("Gameplay/abc.001.pcx"), "a");
}

TEST_F(ScreenshotFolders, HarvestLeavesShotsInPlaceWhenTheyCannotMove)
{
    Touch("pcx/a.pcx", "a");
    HarvestNewScreenshots(m_temp.Dir() + "pcx/", m_temp.Dir() + "NoSuchFolder/", "abc");
    EXPECT_EQ(m_temp.ReadFile("pcx/a.pcx"), "a");
}

// The emulator folder is Emu/ with its Gameplay/ folder inside; a hostile zip name must not lead the
// shots out of it.
TEST_F(ScreenshotFolders, HarvestNeverFilesShotsOutsideTheGameplayFolder)
{
    const std::string gameplay = m_temp.Dir() + "Emu/Gameplay/";
    fs::create_directories(gameplay);
    for (const std::string& zip :
         {std::string("../evil1"), std::string("../../escaped"), std::string(".."), std::string("."),
          std::string(), std::string("a\\b"), std::string("x\0y", 3)}) {
        Touch("Emu/pcx/shot.pcx", "shot");
        EXPECT_EQ(NextFreeGameplayName(gameplay, zip), "") << zip;
        HarvestNewScreenshots(m_temp.Dir() + "Emu/pcx/", gameplay, zip);
        EXPECT_EQ(m_temp.ReadFile("Emu/pcx/shot.pcx"), "shot") << zip;
    }
    EXPECT_FALSE(Exists("Emu/evil1.001.pcx"));
    EXPECT_FALSE(Exists("escaped.001.pcx"));
    EXPECT_TRUE(fs::is_empty(gameplay));
    // A plain name still takes the shot.
    HarvestNewScreenshots(m_temp.Dir() + "Emu/pcx/", gameplay, "good");
    EXPECT_EQ(m_temp.ReadFile("Emu/Gameplay/good.001.pcx"), "shot");
}

TEST_F(ScreenshotFolders, AZipNameThatIsNoPlainFileNameHasNoPictures)
{
    Touch("Titles/abc.pcx");
    Touch("Gameplay/...001.pcx");
    Touch("Flyers/..jpg");
    EXPECT_THAT(List("../Titles/abc"), IsEmpty());
    EXPECT_THAT(List(".."), IsEmpty());
    EXPECT_THAT(List("."), IsEmpty());
    EXPECT_THAT(List(""), IsEmpty());
    EXPECT_THAT(List("abc"), ElementsAre(Dirs().TitlesDir + "abc.pcx"));
}

TEST_F(ScreenshotFolders, ClearCaptureDirPutsFilesAsideAndKeepsFolders)
{
    Touch("pcx/a.pcx", "new a");
    Touch("pcx/b.txt", "b");
    Touch("pcx/sub/c.pcx", "c");
    Touch("pcxback/a.pcx", "old a");
    const std::string pcx = m_temp.Dir() + "pcx/";
    fs::permissions(pcx + "b.txt", fs::perms::owner_read, fs::perm_options::replace);
    ClearCaptureDir(pcx, m_temp.Dir() + "pcxback/");
    EXPECT_EQ(m_temp.ReadFile("pcxback/a.pcx"), "new a");
    EXPECT_EQ(m_temp.ReadFile("pcxback/b.txt"), "b");
    EXPECT_FALSE(Exists("pcx/a.pcx"));
    EXPECT_FALSE(Exists("pcx/b.txt"));
    EXPECT_EQ(m_temp.ReadFile("pcx/sub/c.pcx"), "c");
    EXPECT_FALSE(Exists("pcxback/sub"));
}

TEST_F(ScreenshotFolders, ALargeCaptureFolderTellsHowFarThePutAsideHasCome)
{
    std::vector<std::pair<size_t, size_t>> told;
    const TProgress progress = [&](size_t done, size_t total) { told.emplace_back(done, total); };
    Touch("pcx/one.pcx", "x");
    fs::create_directory(m_temp.Path() / "pcxback");
    ClearCaptureDir(m_temp.Dir() + "pcx/", m_temp.Dir() + "pcxback/", progress);
    EXPECT_TRUE(told.empty()) << "a small folder goes without a word";
    for (int i = 0; i < 2500; ++i)
        Touch("pcx/s" + std::to_string(i) + ".pcx", "x");
    ClearCaptureDir(m_temp.Dir() + "pcx/", m_temp.Dir() + "pcxback/", progress);
    using TTold = std::vector<std::pair<size_t, size_t>>;
    EXPECT_EQ(told, (TTold{{1000, 2500}, {2000, 2500}, {2500, 2500}}));
    EXPECT_EQ(std::distance(fs::directory_iterator(m_temp.Path() / "pcx"), {}), 0);
}

TEST_F(ScreenshotFolders, ClearCaptureDirKeepsAFileWhoseCopyFailed)
{
    Touch("pcx/a.pcx", "a");
    Touch("pcx/b.pcx", "b");
    fs::create_directories(m_temp.Path() / "pcxback" / "b.pcx");
    ClearCaptureDir(m_temp.Dir() + "pcx/", m_temp.Dir() + "pcxback/");
    EXPECT_FALSE(Exists("pcx/a.pcx"));
    EXPECT_EQ(m_temp.ReadFile("pcx/b.pcx"), "b");

    ClearCaptureDir(m_temp.Dir() + "pcx/", m_temp.Dir() + "missing/");
    EXPECT_EQ(m_temp.ReadFile("pcx/b.pcx"), "b");
}

TEST_F(ScreenshotFolders, AFolderListedAgainGivesTheSameListAndSeesChanges)
{
    for (const char* name : {"abc.101.pcx", "ABC.1000.PCX", "abc.100.pcx", "abcd.001.pcx", "abc2.001.pcx"})
        Touch(std::string("Gameplay/") + name);
    Touch("Titles/abc2.pcx");
    Touch("Titles/Abc.Png");
    const auto age = [&] {
        for (const char* folder : {"Gameplay", "Titles"})
            fs::last_write_time(m_temp.Path() / folder,
                                fs::file_time_type::clock::now() - std::chrono::hours(1));
    };
    age();
    const TScreenshotDirs d = Dirs();
    const std::vector<std::string> expected{d.TitlesDir + "abc.png", d.GameplayDir + "abc.100.pcx",
                                            d.GameplayDir + "abc.1000.pcx", d.GameplayDir + "abc.101.pcx"};
    for (int pass = 0; pass < 3; ++pass)
        EXPECT_EQ(List("abc"), expected) << "pass " << pass;
    EXPECT_EQ(List("abc2"),
              (std::vector<std::string>{d.TitlesDir + "abc2.pcx", d.GameplayDir + "abc2.001.pcx"}));

    fs::remove(m_temp.Path() / "Titles/Abc.Png");
    Touch("Gameplay/abc.099.pcx");
    age();
    EXPECT_EQ(List("abc"),
              (std::vector<std::string>{d.TitlesDir + "abc2.pcx", d.GameplayDir + "abc.099.pcx",
                                        d.GameplayDir + "abc.100.pcx", d.GameplayDir + "abc.1000.pcx",
                                        d.GameplayDir + "abc.101.pcx"}));
    EXPECT_EQ(BuildScreenshotEntries(d, "abc", {}).at(3).RealPath, d.GameplayDir + "ABC.1000.PCX");
}

TEST_F(ScreenshotFolders, ClearCaptureDirMovesLinksAndNeverWritesWhereTheyLead)
{
    TTempDir outside;
    const std::string victim = outside.WriteFile("victim", "keep");
    const std::string readOnly = outside.WriteFile("read-only", "mine");
    fs::permissions(readOnly, fs::perms::owner_read, fs::perm_options::replace);
    Touch("pcx/x.pcx", "new x");
    fs::create_directories(m_temp.Path() / "pcxback");
    fs::create_symlink(victim, m_temp.Path() / "pcxback/x.pcx");
    fs::create_symlink(readOnly, m_temp.Path() / "pcx/y.pcx");
    ClearCaptureDir(m_temp.Dir() + "pcx/", m_temp.Dir() + "pcxback/");
    EXPECT_EQ(outside.ReadFile("victim"), "keep");
    EXPECT_EQ(m_temp.ReadFile("pcxback/x.pcx"), "new x");
    EXPECT_FALSE(fs::is_symlink(m_temp.Path() / "pcxback/x.pcx"));
    EXPECT_EQ(fs::status(readOnly).permissions(), fs::perms::owner_read);
    EXPECT_TRUE(fs::is_symlink(m_temp.Path() / "pcxback/y.pcx"));
    EXPECT_FALSE(Exists("pcx/y.pcx"));
}

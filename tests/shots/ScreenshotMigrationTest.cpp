// Moving the old "pcx" shots into the title and game-play folders, on real folders, with scripted answers.
#include "shots/ScreenshotMigration.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "support/FakeDialogs.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

class ScreenshotMigration : public ::testing::Test
{
protected:
    ScreenshotMigration()
    {
        fs::create_directories(m_dir.Path() / "Titles");
        fs::create_directories(m_dir.Path() / "Gameplay");
        m_dirs = {m_dir.Dir() + "pcx/", m_dir.Dir() + "Titles/", m_dir.Dir() + "Gameplay/"};
    }

    // Each old file holds its own name, so every move can be traced to its source.
    void Old(const std::string& name) { m_dir.WriteFile("pcx/" + name, "old " + name); }
    bool Has(const std::string& relative) const { return fs::exists(m_dir.Path() / relative); }
    std::string Read(const std::string& relative) const { return m_dir.ReadFile(relative); }
    size_t CountIn(const std::string& folder) const
    {
        std::error_code ec;
        size_t count = 0;
        for (fs::directory_iterator it(m_dir.Path() / folder, ec), end; !ec && it != end; it.increment(ec))
            ++count;
        return count;
    }

    TTempDir m_dir;
    TMigrationDirs m_dirs;
};

TEST_F(ScreenshotMigration, LongZipNameTakesTitleAndNumbersTheRestInListingOrder)
{
    Old("abcdef03.pcx");
    Old("abcdef01.pcx");
    Old("abcdef02.pcx");
    const TMigrationResult result = MoveOldScreenshots(m_dirs, {"abcdefgh"});
    EXPECT_EQ(Read("Titles/abcdefgh.pcx"), "old abcdef01.pcx");
    EXPECT_EQ(Read("Gameplay/abcdefgh.001.pcx"), "old abcdef02.pcx");
    EXPECT_EQ(Read("Gameplay/abcdefgh.002.pcx"), "old abcdef03.pcx");
    EXPECT_EQ(result.Moved.size(), 3u);
    EXPECT_TRUE(result.Kept.empty());
    EXPECT_FALSE(Has("pcx")) << "the emptied old folder goes";
}

TEST_F(ScreenshotMigration, ShortZipNameIsItsOwnPrefix)
{
    Old("abc01.pcx");
    Old("abc05.pcx");
    MoveOldScreenshots(m_dirs, {"abc"});
    EXPECT_EQ(Read("Titles/abc.pcx"), "old abc01.pcx");
    EXPECT_EQ(Read("Gameplay/abc.001.pcx"), "old abc05.pcx");
    EXPECT_EQ(CountIn("Gameplay"), 1u);
}

TEST_F(ScreenshotMigration, FirstGameOfASharedPrefixTakesEverything)
{
    Old("abcdef01.pcx");
    Old("abcdef02.pcx");
    MoveOldScreenshots(m_dirs, {"abcdefzz", "abcdefaa"});
    EXPECT_TRUE(Has("Titles/abcdefzz.pcx"));
    EXPECT_TRUE(Has("Gameplay/abcdefzz.001.pcx"));
    EXPECT_FALSE(Has("Titles/abcdefaa.pcx"));
    EXPECT_FALSE(Has("Gameplay/abcdefaa.001.pcx"));
}

TEST_F(ScreenshotMigration, UpperCaseOldNamesBecomeLowerCaseTargetsButFoldersKeepTheirCase)
{
    Old("ABCDEF02.PCX");
    Old("ABCDEF01.JPG");
    MoveOldScreenshots(m_dirs, {"AbcDefGh"});
    EXPECT_EQ(Read("Gameplay/abcdefgh.001.pcx"), "old ABCDEF02.PCX");
    EXPECT_EQ(Read("Titles/abcdefgh.jpg"), "old ABCDEF01.JPG");
}

TEST_F(ScreenshotMigration, ShotsTenAndHigherAndOtherGamesStayWithTheirFolder)
{
    Old("abcdef12.pcx");
    Old("abcdef02.pcx");
    Old("zzzzzz02.pcx");
    Old("abcde.pcx"); // shorter than the prefix
    const TMigrationResult result = MoveOldScreenshots(m_dirs, {"abcdefgh"});
    EXPECT_TRUE(Has("pcx/abcdef12.pcx"));
    EXPECT_TRUE(Has("pcx/zzzzzz02.pcx"));
    EXPECT_TRUE(Has("pcx/abcde.pcx"));
    EXPECT_FALSE(Has("pcx/abcdef02.pcx"));
    EXPECT_EQ(result.Kept.size(), 3u);
}

TEST_F(ScreenshotMigration, NumbersCountPerGame)
{
    Old("aaaaaa02.pcx");
    Old("aaaaaa03.pcx");
    Old("bbbbbb04.png");
    MoveOldScreenshots(m_dirs, {"aaaaaa", "bbbbbbb"});
    EXPECT_TRUE(Has("Gameplay/aaaaaa.001.pcx"));
    EXPECT_TRUE(Has("Gameplay/aaaaaa.002.pcx"));
    EXPECT_EQ(Read("Gameplay/bbbbbbb.001.png"), "old bbbbbb04.png");
}

TEST_F(ScreenshotMigration, ExistingPicturesAreNeverReplaced)
{
    m_dir.WriteFile("Titles/abcdefgh.pcx", "mine");
    m_dir.WriteFile("Gameplay/abcdefgh.001.pcx", "mine 1");
    m_dir.WriteFile("Gameplay/ABCDEFGH.002.JPG", "mine 2"); // another picture of that number, any case
    Old("abcdef01.pcx");
    Old("abcdef02.pcx");
    Old("abcdef03.pcx");
    const TMigrationResult result = MoveOldScreenshots(m_dirs, {"abcdefgh"});
    EXPECT_EQ(Read("Titles/abcdefgh.pcx"), "mine");
    EXPECT_EQ(Read("Gameplay/abcdefgh.001.pcx"), "mine 1");
    EXPECT_EQ(Read("Gameplay/ABCDEFGH.002.JPG"), "mine 2");
    EXPECT_EQ(Read("Gameplay/abcdefgh.003.pcx"), "old abcdef02.pcx");
    EXPECT_EQ(Read("Gameplay/abcdefgh.004.pcx"), "old abcdef03.pcx");
    EXPECT_EQ(Read("pcx/abcdef01.pcx"), "old abcdef01.pcx") << "a title with a taken target stays";
    EXPECT_EQ(result.Kept, std::vector<std::string>{"abcdef01.pcx"});
}

TEST_F(ScreenshotMigration, FailedCopiesLeaveTheOldFileAndTheFolder)
{
    fs::remove(m_dir.Path() / "Gameplay");
    Old("abcdef02.pcx");
    Old("abcdef03.pcx");
    MoveOldScreenshots(m_dirs, {"abcdefgh"});
    EXPECT_EQ(Read("pcx/abcdef02.pcx"), "old abcdef02.pcx");
    EXPECT_EQ(Read("pcx/abcdef03.pcx"), "old abcdef03.pcx");
}

TEST_F(ScreenshotMigration, FoldersNamedLikeShotsAreNotShots)
{
    fs::create_directories(m_dir.Path() / "pcx" / "abcdef02.pcx");
    Old("abcdef03.pcx");
    MoveOldScreenshots(m_dirs, {"abcdefgh"});
    EXPECT_TRUE(fs::is_directory(m_dir.Path() / "pcx" / "abcdef02.pcx"));
    EXPECT_EQ(Read("Gameplay/abcdefgh.001.pcx"), "old abcdef03.pcx");
}

TEST_F(ScreenshotMigration, ZipNamesThatAreNoPlainFileNamesAddressNothing)
{
    Old("..01.pcx");
    Old("002.pcx");
    Old("a01.pcx");
    m_dir.WriteFile("Titles/a/keep", "x");
    MoveOldScreenshots(m_dirs, {"", "..", ".", "../a", "a/b"});
    EXPECT_EQ(CountIn("pcx"), 3u);
    EXPECT_EQ(CountIn("Titles"), 1u);
    EXPECT_EQ(CountIn("Gameplay"), 0u);
    EXPECT_EQ(CountIn(""), 3u) << "nothing written beside the folders";
}

TEST_F(ScreenshotMigration, MissingOldFolderMovesNothing)
{
    const TMigrationResult result = MoveOldScreenshots(m_dirs, {"abcdefgh"});
    EXPECT_TRUE(result.Moved.empty());
    EXPECT_TRUE(result.Kept.empty());
}

TEST_F(ScreenshotMigration, AnsweringYesBeepsAsksMovesAndTellsSo)
{
    Old("abcdef01.pcx");
    TFakeDialogs dialogs;
    dialogs.Answers = {TMsgButton::Yes};
    MigrateOldScreenshots(dialogs, m_dirs, {"abcdefgh"});
    EXPECT_EQ(dialogs.BeepCount, 1);
    ASSERT_EQ(dialogs.Messages.size(), 2u);
    EXPECT_EQ(
        dialogs.Messages[0].Text,
        "VantorKorb has changed screenshots placement.\rAutomatically move and rename you Screenshots?");
    EXPECT_EQ(dialogs.Messages[0].Buttons, (std::vector<TMsgButton>{TMsgButton::Yes, TMsgButton::No}));
    EXPECT_EQ(dialogs.Messages[1].Text, "Your old screenshots (if any) were moved and renamed.");
    EXPECT_EQ(dialogs.Messages[1].Icon, TMsgIcon::Information);
    EXPECT_EQ(dialogs.Messages[1].Buttons, std::vector<TMsgButton>{TMsgButton::Ok});
    EXPECT_TRUE(Has("Titles/abcdefgh.pcx"));
}

TEST_F(ScreenshotMigration, TheClosingMessageCountsWhatStayed)
{
    Old("abcdef01.pcx");
    Old("abcdef02.pcx");
    Old("zzzzzz01.pcx"); // no game of that name
    TFakeDialogs dialogs;
    dialogs.Answers = {TMsgButton::Yes};
    MigrateOldScreenshots(dialogs, m_dirs, {"abcdefgh"});
    ASSERT_EQ(dialogs.Messages.size(), 2u);
    EXPECT_EQ(dialogs.Messages[1].Text,
              "Your old screenshots (if any) were moved and renamed.\r2 moved, 1 left in " + m_dirs.OldDir +
                  ": files of no game, a name already taken, or a copy that failed.");
}

TEST_F(ScreenshotMigration, AnsweringNoLeavesEverythingAndSaysNothingMore)
{
    Old("abcdef01.pcx");
    Old("abcdef02.pcx");
    TFakeDialogs dialogs;
    dialogs.Answers = {TMsgButton::No};
    MigrateOldScreenshots(dialogs, m_dirs, {"abcdefgh"});
    EXPECT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(CountIn("pcx"), 2u);
    EXPECT_EQ(CountIn("Titles") + CountIn("Gameplay"), 0u);
}

TEST_F(ScreenshotMigration, WithoutOldFolderYesStillTellsTheUser)
{
    TFakeDialogs dialogs;
    dialogs.Answers = {TMsgButton::Yes};
    MigrateOldScreenshots(dialogs, m_dirs, {"abcdefgh"});
    ASSERT_EQ(dialogs.Messages.size(), 2u);
    EXPECT_EQ(dialogs.Messages[1].Text, "Your old screenshots (if any) were moved and renamed.");
}

} // namespace

TEST_F(ScreenshotMigration, AnOldLinkMovesAsALinkAndItsTargetKeepsItsMode)
{
    TTempDir outside;
    const std::string readOnly = outside.WriteFile("read-only", "mine");
    fs::permissions(readOnly, fs::perms::owner_read, fs::perm_options::replace);
    fs::create_directories(m_dir.Path() / "pcx");
    fs::create_symlink(readOnly, m_dir.Path() / "pcx/abcdef01.pcx");
    MoveOldScreenshots(m_dirs, {"abcdefgh"});
    EXPECT_TRUE(fs::is_symlink(m_dir.Path() / "Titles/abcdefgh.pcx"));
    EXPECT_FALSE(Has("pcx/abcdef01.pcx"));
    EXPECT_EQ(fs::status(readOnly).permissions(), fs::perms::owner_read);
}

TEST_F(ScreenshotMigration, ALaterRunRemovesTheTemporariesOfAnInterruptedOne)
{
    Old("abcdef01.pcx");
    m_dir.WriteFile("Titles/abcdefgh.pcx.tmp012345", "half");
    m_dir.WriteFile("Titles/notes.tmp012345", "not ours");
    MoveOldScreenshots(m_dirs, {"abcdefgh"});
    EXPECT_FALSE(Has("Titles/abcdefgh.pcx.tmp012345"));
    EXPECT_TRUE(Has("Titles/notes.tmp012345"));
    EXPECT_EQ(Read("Titles/abcdefgh.pcx"), "old abcdef01.pcx");
}

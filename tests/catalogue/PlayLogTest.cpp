#include "catalogue/PlayLog.h"

#include <filesystem>
#include <random>

#include <gtest/gtest.h>

#include "base/FileError.h"
#include "support/TempDir.h"

namespace {

constexpr int32_t kMaxCount()
{
    return 2147483647;
}

TDateTime At(const char* text)
{
    return ParseDateTime(text).value();
}

std::vector<std::string> FilesIn(const std::filesystem::path& dir)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    return names;
}

} // namespace

TEST(PlayLog, ChangesReachTheFileAtOnceAndReadBack)
{
    TTempDir dir;
    const std::string path = dir.Dir() + kPlayLogFileName;
    {
        TPlayLog log = TPlayLog::Open(path);
        EXPECT_TRUE(log.LoadError().empty());
        EXPECT_FALSE(std::filesystem::exists(path));
        log.SetFavourite("rtype", true);
        ASSERT_TRUE(std::filesystem::exists(path));
        log.RecordPlay("Pacman", 185, At("2026-12-01 20:15:07"));
        log.RecordPlay("pacman", 60, At("2026-12-02"));
    }
    EXPECT_EQ(dir.ReadFile(kPlayLogFileName), "[rtype]\r\nFavourite=1\r\nPlayCount=0\r\nPlaySeconds=0\r\n"
                                              "LastPlayed=\r\n\r\n"
                                              "[Pacman]\r\nFavourite=0\r\nPlayCount=2\r\nPlaySeconds=245\r\n"
                                              "LastPlayed=2026-12-02\r\n\r\n");
    const TPlayLog again = TPlayLog::Open(path);
    EXPECT_TRUE(again.Record("RTYPE").Favourite);
    EXPECT_EQ(again.Record("rtype").PlayCount, 0);
    EXPECT_FALSE(again.Record("rtype").LastPlayed.has_value());
    const TPlayRecord pacman = again.Record("PACMAN");
    EXPECT_FALSE(pacman.Favourite);
    EXPECT_EQ(pacman.PlayCount, 2);
    EXPECT_EQ(pacman.PlaySeconds, 245);
    EXPECT_EQ(pacman.LastPlayed, At("2026-12-02"));
    EXPECT_EQ(again.Find("galaga"), nullptr);
    EXPECT_EQ(again.Record("galaga").PlayCount, 0);
    // The write replaced the file whole: nothing but the file itself is left in the folder.
    EXPECT_EQ(FilesIn(dir.Path()), std::vector<std::string>{kPlayLogFileName});
}

TEST(PlayLog, SectionsOfOtherGamesAndUnknownKeysStayAsTheyWere)
{
    const std::string before = "[gone]\r\nFavourite=1\r\nPlayCount=7\r\nComment=mine\r\n\r\n"
                               "[kept]\r\nPlayCount=3\r\n\r\n";
    TPlayLog log = TPlayLog::FromBytes(before);
    log.SetFavourite("kept", true);
    EXPECT_EQ(log.ToBytes(), "[gone]\r\nFavourite=1\r\nPlayCount=7\r\nComment=mine\r\n\r\n"
                             "[kept]\r\nPlayCount=3\r\nFavourite=1\r\nPlaySeconds=0\r\nLastPlayed=\r\n\r\n");
    EXPECT_EQ(TPlayLog::FromBytes(log.ToBytes()).Record("gone").PlayCount, 7);
}

TEST(PlayLog, HandEditedValuesReadWhatIsValidAndDefaultTheRest)
{
    struct TCase
    {
        const char* Value;
        int32_t Count;
    };
    const TCase counts[] = {{"12", 12},
                            {"-5", 0},
                            {"99999999999", 0},
                            {"$FFFFFFFF", 0},
                            {"2147483647", kMaxCount()},
                            {"0x10", 16},
                            {"12abc", 0},
                            {"", 0},
                            {"\x01\xff\x80", 0}};
    for (const TCase& c : counts) {
        const TPlayLog log =
            TPlayLog::FromBytes(std::string("[g]\nPlayCount=") + c.Value + "\nPlaySeconds=" + c.Value + "\n");
        EXPECT_EQ(log.Record("g").PlayCount, c.Count) << c.Value;
        EXPECT_EQ(log.Record("g").PlaySeconds, c.Count) << c.Value;
    }
    const TPlayLog billion = TPlayLog::FromBytes("[g]\nPlaySeconds=1000000000\n");
    EXPECT_EQ(billion.Record("g").PlaySeconds, 1000000000);

    for (const char* date :
         {"2026-13-01", "2026-02-30", "yesterday", "2026-12-01 25:00:00", "2026-12-01 1:2:3", "\xff\xfe"}) {
        const TPlayLog log = TPlayLog::FromBytes(std::string("[g]\nLastPlayed=") + date + "\nFavourite=1\n");
        EXPECT_FALSE(log.Record("g").LastPlayed.has_value()) << date;
        EXPECT_TRUE(log.Record("g").Favourite) << date;
    }
    EXPECT_FALSE(TPlayLog::FromBytes("[g]\nFavourite=yes\n").Record("g").Favourite);
    EXPECT_TRUE(TPlayLog::FromBytes("[g]\nFavourite=2\n").Record("g").Favourite);
}

TEST(PlayLog, ADamagedGameIsWrittenBackInAFormTheNextReadAccepts)
{
    TPlayLog log = TPlayLog::FromBytes("[g]\nPlayCount=-3\nPlaySeconds=junk\nLastPlayed=2026-99-99\n");
    log.RecordPlay("g", 30, At("2026-12-03 10:00:00"));
    const TPlayLog again = TPlayLog::FromBytes(log.ToBytes());
    EXPECT_EQ(again.Record("g").PlayCount, 1);
    EXPECT_EQ(again.Record("g").PlaySeconds, 30);
    EXPECT_EQ(again.Record("g").LastPlayed, At("2026-12-03 10:00:00"));
}

TEST(PlayLog, DuplicateSectionsReadAndWriteTheFirstAndKeepTheSecond)
{
    TPlayLog log = TPlayLog::FromBytes("[g]\nPlayCount=4\n[G]\nPlayCount=9\nFavourite=1\n");
    EXPECT_EQ(log.Record("g").PlayCount, 4);
    EXPECT_FALSE(log.Record("g").Favourite);
    log.RecordPlay("g", 1, At("2026-12-03"));
    EXPECT_EQ(log.ToBytes(),
              "[g]\r\nPlayCount=5\r\nFavourite=0\r\nPlaySeconds=1\r\nLastPlayed=2026-12-03\r\n\r\n"
              "[G]\r\nPlayCount=9\r\nFavourite=1\r\n\r\n");
}

TEST(PlayLog, CountsAndTimesStopAtTheLargestValueInsteadOfWrapping)
{
    TPlayLog log = TPlayLog::FromBytes("[g]\nPlayCount=2147483647\nPlaySeconds=2147483000\n");
    log.RecordPlay("g", 5000, At("2026-12-03"));
    log.RecordPlay("g", int64_t(1) << 40, At("2026-12-03"));
    const TPlayLog again = TPlayLog::FromBytes(log.ToBytes());
    EXPECT_EQ(again.Record("g").PlayCount, kMaxCount());
    EXPECT_EQ(again.Record("g").PlaySeconds, kMaxCount());
}

TEST(PlayLog, AClockThatWentBackwardsAddsNoTime)
{
    TPlayLog log;
    log.RecordPlay("g", 100, At("2026-12-03 12:00:00"));
    log.RecordPlay("g", -3600, At("2026-12-03 11:00:00"));
    EXPECT_EQ(log.Record("g").PlayCount, 2);
    EXPECT_EQ(log.Record("g").PlaySeconds, 100);
    EXPECT_EQ(log.Record("g").LastPlayed, At("2026-12-03 11:00:00"));
}

TEST(PlayLog, ADateTheFileCouldNotHoldKeepsTheLastOne)
{
    TPlayLog log;
    log.RecordPlay("g", 1, At("2026-12-03"));
    log.RecordPlay("g", 1, TDateTime::FromDays(-800000)); // before the year 0
    EXPECT_EQ(log.Record("g").LastPlayed, At("2026-12-03"));
    EXPECT_EQ(TPlayLog::FromBytes(log.ToBytes()).Record("g").LastPlayed, At("2026-12-03"));
}

TEST(PlayLog, NamesThatAreNoFileNamesGetNoRecord)
{
    TPlayLog log = TPlayLog::FromBytes("[a/b]\nPlayCount=3\n[..]\nPlayCount=3\n");
    EXPECT_EQ(log.Record("a/b").PlayCount, 0);
    for (const char* name : {"", ".", "..", "a/b", "Playlog/View"}) {
        log.SetFavourite(name, true);
        log.RecordPlay(name, 10, At("2026-12-03"));
        EXPECT_EQ(log.Find(name), nullptr) << name;
    }
    EXPECT_FALSE(log.ViewChoices().FavouritesOnly);
    EXPECT_TRUE(log.Records().empty());
}

TEST(PlayLog, ViewChoicesRoundTripAndAreWrittenOnlyWhenChanged)
{
    TTempDir dir;
    const std::string path = dir.Dir() + kPlayLogFileName;
    TPlayLog log = TPlayLog::Open(path);
    EXPECT_EQ(log.ViewChoices(), TPlayViewChoices{});
    log.SetViewChoices(TPlayViewChoices{});
    EXPECT_FALSE(std::filesystem::exists(path));
    log.SetViewChoices({true, true, TPlayColumn::LastPlayed});
    const TPlayLog again = TPlayLog::Open(path);
    EXPECT_EQ(again.ViewChoices(), (TPlayViewChoices{true, true, TPlayColumn::LastPlayed}));
    EXPECT_TRUE(again.Records().empty());

    for (const char* sort : {"0", "2", "6", "-7", "x"}) {
        const TPlayLog odd = TPlayLog::FromBytes(std::string("[Playlog/View]\nPlaySort=") + sort + "\n");
        EXPECT_EQ(odd.ViewChoices().SortColumn, TPlayColumn::None) << sort;
    }
}

TEST(PlayLog, AFileThatCannotBeReadIsNeverReplaced)
{
    TTempDir dir;
    const std::string path = dir.Dir() + kPlayLogFileName;
    std::filesystem::create_directory(path);
    TPlayLog log = TPlayLog::Open(path);
    EXPECT_NE(log.LoadError().find(path), std::string::npos);
    EXPECT_TRUE(log.ReadOnly());
    EXPECT_NO_THROW(log.SetFavourite("g", true));
    EXPECT_NO_THROW(log.RecordPlay("g", 5, At("2026-12-03")));
    EXPECT_TRUE(log.Record("g").Favourite);
    EXPECT_TRUE(std::filesystem::is_directory(path));
    EXPECT_EQ(FilesIn(dir.Path()).size(), 1u);
}

TEST(PlayLog, AFailedWriteIsReportedAndTheChangeIsKept)
{
    TTempDir dir;
    TPlayLog log = TPlayLog::Open(dir.Dir() + "missing/" + kPlayLogFileName);
    EXPECT_THROW(log.SetFavourite("g", true), TFileError);
    EXPECT_TRUE(log.Record("g").Favourite);
    std::filesystem::create_directory(dir.Path() / "missing");
    log.RecordPlay("g", 5, At("2026-12-03"));
    const TPlayLog again = TPlayLog::Open(dir.Dir() + "missing/" + kPlayLogFileName);
    EXPECT_TRUE(again.Record("g").Favourite);
    EXPECT_EQ(again.Record("g").PlayCount, 1);
}

TEST(PlayLog, ArbitraryBytesReadSafelyAndWhatIsWrittenReadsBack)
{
    std::mt19937 random(20261208);
    const char letters[] = "[]=;\r\n\0\xff\x80gG0123456789-$xPlayCountSecondsFavouriteLastPlayed :";
    const std::string alphabet(letters, sizeof letters - 1);
    for (int round = 0; round < 300; ++round) {
        std::string bytes;
        const size_t length = random() % 400;
        for (size_t i = 0; i < length; ++i)
            bytes += alphabet[random() % alphabet.size()];
        TPlayLog log = TPlayLog::FromBytes(bytes);
        const TPlayRecord before = log.Record("g");
        log.RecordPlay("g", 7, At("2026-12-03 08:09:10"));
        const TPlayRecord after = TPlayLog::FromBytes(log.ToBytes()).Record("g");
        EXPECT_EQ(after.PlayCount, std::min<int64_t>(int64_t(before.PlayCount) + 1, kMaxCount()));
        EXPECT_EQ(after.PlaySeconds, std::min<int64_t>(int64_t(before.PlaySeconds) + 7, kMaxCount()));
        EXPECT_EQ(after.LastPlayed, At("2026-12-03 08:09:10"));
        EXPECT_EQ(after.Favourite, before.Favourite);
    }
}

TEST(PlayLog, NowIsALocalDateTimeThatReadsBack)
{
    const TDateTime now = LocalDateTimeNow();
    EXPECT_EQ(ParseDateTime(FormatDateTime(now)), now);
    EXPECT_GT(now.Seconds, At("2026-01-01").Seconds);
}

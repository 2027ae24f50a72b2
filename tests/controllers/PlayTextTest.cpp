#include "controllers/PlayText.h"

#include <gtest/gtest.h>

namespace {

TDateTime At(const char* text)
{
    return ParseDateTime(text).value();
}

TPlayRecord Played(int32_t count, int32_t seconds, const char* last)
{
    TPlayRecord record;
    record.PlayCount = count;
    record.PlaySeconds = seconds;
    if (last)
        record.LastPlayed = At(last);
    return record;
}

} // namespace

TEST(PlayText, TimesReadInSecondsMinutesOrHours)
{
    struct TCase
    {
        int32_t Seconds;
        int32_t Count;
        const char* Text;
    };
    const TCase cases[] = {{0, 0, ""},
                           {0, 1, "0 s"},
                           {59, 1, "59 s"},
                           {60, 1, "1 min"},
                           {3599, 2, "59 min"},
                           {3600, 2, "1 h 00 min"},
                           {11100, 12, "3 h 05 min"},
                           {1000000000, 5, "277777 h 46 min"},
                           {2147483647, 5, "596523 h 14 min"}};
    for (const TCase& c : cases)
        EXPECT_EQ(PlayTimeText(c.Seconds, c.Count), c.Text) << c.Seconds;
}

TEST(PlayText, TheSummaryCountsTimesAndDates)
{
    EXPECT_EQ(PlaySummary(Played(12, 11100, "2026-12-01 21:30:00")),
              "Played 12 times, 3 h 05 min, last 2026-12-01");
    EXPECT_EQ(PlaySummary(Played(1, 40, "2026-12-01")), "Played 1 time, 40 s, last 2026-12-01");
    EXPECT_EQ(PlaySummary(Played(3, 200, nullptr)), "Played 3 times, 3 min");
    EXPECT_EQ(PlaySummary(TPlayRecord{}), "Never played");
    EXPECT_EQ(GameToolTip("A Long Name (Set 2)", Played(2, 120, "2026-11-30")),
              "A Long Name (Set 2)\nPlayed 2 times, 2 min, last 2026-11-30");
    EXPECT_EQ(GameToolTip("X", TPlayRecord{}), "X\nNever played");
}

TEST(PlayText, RecentlyMeansWithinThirtyDaysOrLater)
{
    const TDateTime now = At("2026-12-08 12:00:00");
    EXPECT_TRUE(RecentlyPlayed(Played(1, 1, "2026-12-08 11:59:59"), now));
    EXPECT_TRUE(RecentlyPlayed(Played(1, 1, "2026-11-08 12:00:00"), now));
    EXPECT_FALSE(RecentlyPlayed(Played(1, 1, "2026-11-08 11:59:59"), now));
    EXPECT_TRUE(RecentlyPlayed(Played(1, 1, "2027-01-01"), now));
    EXPECT_FALSE(RecentlyPlayed(Played(4, 100, nullptr), now));
}

// Date-time texts of the settings files and file modification times.
#include "base/DateTimeText.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "support/TempDir.h"

namespace {

TEST(DateTimeText, KnownDays)
{
    EXPECT_EQ(FormatDateTime(TDateTime{0}), "1899-12-30");
    EXPECT_EQ(FormatDateTime(kNeverDateTime), "1900-01-09");
    EXPECT_EQ(FormatDateTime(TDateTime::FromDays(25569)), "1970-01-01");
    EXPECT_EQ(FormatDateTime(TDateTime{TDateTime::FromDays(45351).Seconds + 3661}), "2024-02-29 01:01:01");
    EXPECT_EQ(FormatDateTime(TDateTime{-1}), "1899-12-29 23:59:59");
    // The extremes of the count still write their time of day, without overflow.
    EXPECT_TRUE(FormatDateTime(TDateTime{INT64_MIN}).ends_with(" 08:29:52"));
    EXPECT_TRUE(FormatDateTime(TDateTime{INT64_MAX}).ends_with(" 15:30:07"));
}

TEST(DateTimeText, ReadsBackToTheSecond)
{
    for (int64_t seconds : {int64_t{0}, int64_t{1}, int64_t{86399}, int64_t{86400}, int64_t{-86401},
                            int64_t{3913056000}, int64_t{3913056000 + 45296}, int64_t{6000000000}}) {
        const auto back = ParseDateTime(FormatDateTime(TDateTime{seconds}));
        ASSERT_TRUE(back) << seconds;
        EXPECT_EQ(back->Seconds, seconds);
    }
}

TEST(DateTimeText, RejectsMalformedTexts)
{
    for (const char* text :
         {"", "2024-02-30", "2023-02-29", "2024-13-01", "2024-00-10", "2024-1-01", "2024-01-01 24:00:00",
          "2024-01-01 10:60:00", "2024-01-01 10:00:60", "2024-01-01 10:00", "2024-01-01T10:00:00",
          "2024-01-01 10:00:00 ", "24-01-01", "abcd-ef-gh", "2024-01-01x"})
        EXPECT_FALSE(ParseDateTime(text)) << text;
    EXPECT_TRUE(ParseDateTime("2000-02-29"));
    EXPECT_TRUE(ParseDateTime("1900-03-01 00:00:00"));
}

TEST(DateTimeText, FileTimesAreLocalWholeSeconds)
{
    TTempDir dir;
    const std::string path = dir.WriteFile("f", "x");
    // 2021-06-15 12:34:56 local time, set through the C library's local-time conversion.
    std::tm local{};
    local.tm_year = 121;
    local.tm_mon = 5;
    local.tm_mday = 15;
    local.tm_hour = 12;
    local.tm_min = 34;
    local.tm_sec = 56;
    local.tm_isdst = -1;
    const std::time_t when = std::mktime(&local);
    const auto fileTime =
        std::filesystem::file_time_type::clock::from_sys(std::chrono::system_clock::from_time_t(when));
    std::filesystem::last_write_time(path, fileTime + std::chrono::milliseconds(700));
    const auto read = FileModificationTime(path);
    ASSERT_TRUE(read);
    EXPECT_EQ(FormatDateTime(*read), "2021-06-15 12:34:56");
    EXPECT_FALSE(FileModificationTime(dir.Dir() + "absent"));
    EXPECT_FALSE(FileModificationTime(dir.Dir()));
}

} // namespace

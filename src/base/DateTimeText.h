#pragma once
// Date-times as the settings files store them: "yyyy-MM-dd hh:mm:ss" in local time, the date alone at
// midnight.

#include <cstdint>
#include <optional>
#include <string>

// Whole seconds since 1899-12-30 00:00 local time (day 0 of the stored form); exact, so equality is safe.
struct TDateTime
{
    int64_t Seconds = 0;
    static constexpr TDateTime FromDays(int64_t days) { return TDateTime{days * 86400}; }
    friend bool operator==(TDateTime, TDateTime) = default;
};

// 10.0 days, 9 January 1900: never equal to a real file time.
inline constexpr TDateTime kNeverDateTime = TDateTime::FromDays(10);

std::string FormatDateTime(TDateTime value);
std::optional<TDateTime> ParseDateTime(const std::string& text);
// A moment given in seconds since 1970-01-01 UTC, in local time; nothing when the system cannot convert it.
std::optional<TDateTime> LocalDateTimeOf(int64_t unixSeconds);
// Last modification time of a regular file in local time, whole seconds; nothing when it does not exist.
std::optional<TDateTime> FileModificationTime(const std::string& path);

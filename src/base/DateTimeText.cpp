#include "base/DateTimeText.h"

#include <cstdio>
#include <ctime>
#include <sys/stat.h>

namespace {

constexpr int64_t kSecondsPerDay = 86400;
// Days from 1970-01-01 back to day 0, 1899-12-30.
constexpr int64_t kDay0FromUnixEpoch = -25569;

int64_t FloorDiv(int64_t a, int64_t b)
{
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

// Days since 1970-01-01 of a proleptic Gregorian date (Howard Hinnant's civil algorithms).
int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d)
{
    y -= m <= 2 ? 1 : 0;
    const int64_t era = FloorDiv(y, 400);
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int64_t& y, int64_t& m, int64_t& d)
{
    z += 719468;
    const int64_t era = FloorDiv(z, 146097);
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y = yoe + era * 400 + (m <= 2 ? 1 : 0);
}

int DaysInMonth(int64_t y, int64_t m)
{
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return m == 2 && leap ? 29 : kDays[m - 1];
}

// Reads exactly count digits at pos.
bool Digits(const std::string& text, size_t pos, size_t count, int64_t& value)
{
    if (pos + count > text.size())
        return false;
    value = 0;
    for (size_t i = pos; i < pos + count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

} // namespace

std::string FormatDateTime(TDateTime value)
{
    const int64_t days = FloorDiv(value.Seconds, kSecondsPerDay);
    // The remainder itself: days * kSecondsPerDay overflows for the earliest second counts.
    const int64_t rest = value.Seconds % kSecondsPerDay;
    const int64_t secs = rest < 0 ? rest + kSecondsPerDay : rest;
    int64_t y = 0, m = 0, d = 0;
    CivilFromDays(days + kDay0FromUnixEpoch, y, m, d);
    char buffer[128];
    if (secs == 0)
        std::snprintf(buffer, sizeof buffer, "%04lld-%02lld-%02lld", static_cast<long long>(y),
                      static_cast<long long>(m), static_cast<long long>(d));
    else
        std::snprintf(buffer, sizeof buffer, "%04lld-%02lld-%02lld %02lld:%02lld:%02lld",
                      static_cast<long long>(y), static_cast<long long>(m), static_cast<long long>(d),
                      static_cast<long long>(secs / 3600), static_cast<long long>(secs / 60 % 60),
                      static_cast<long long>(secs % 60));
    return buffer;
}

std::optional<TDateTime> ParseDateTime(const std::string& text)
{
    int64_t y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    if (!Digits(text, 0, 4, y) || text.size() < 10 || text[4] != '-' || !Digits(text, 5, 2, mo) ||
        text[7] != '-' || !Digits(text, 8, 2, d))
        return std::nullopt;
    if (text.size() != 10) {
        if (text.size() != 19 || text[10] != ' ' || !Digits(text, 11, 2, h) || text[13] != ':' ||
            !Digits(text, 14, 2, mi) || text[16] != ':' || !Digits(text, 17, 2, s))
            return std::nullopt;
    }
    if (mo < 1 || mo > 12 || d < 1 || d > DaysInMonth(y, mo) || h > 23 || mi > 59 || s > 59)
        return std::nullopt;
    const int64_t days = DaysFromCivil(y, mo, d) - kDay0FromUnixEpoch;
    return TDateTime{days * kSecondsPerDay + h * 3600 + mi * 60 + s};
}

std::optional<TDateTime> FileModificationTime(const std::string& path)
{
    struct stat info
    {
    };
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    return LocalDateTimeOf(info.st_mtime);
}

std::optional<TDateTime> LocalDateTimeOf(int64_t unixSeconds)
{
    const auto when = static_cast<std::time_t>(unixSeconds);
    std::tm local{};
    if (!::localtime_r(&when, &local))
        return std::nullopt;
    const int64_t days =
        DaysFromCivil(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) - kDay0FromUnixEpoch;
    return TDateTime{days * kSecondsPerDay + local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec};
}

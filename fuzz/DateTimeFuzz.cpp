// Any bytes as a stored date-time: what parses writes back as the same text (a midnight as the date
// alone); any second count within the years the form holds writes as text that parses to it.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "base/DateTimeText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (const std::optional<TDateTime> value = ParseDateTime(text)) {
        const std::string written = FormatDateTime(*value);
        if (written != text && written + " 00:00:00" != text)
            std::abort();
    }
    if (size >= sizeof(int64_t)) {
        int64_t seconds = 0;
        std::memcpy(&seconds, data, sizeof seconds);
        // 0000-01-01 to 9999-12-31 23:59:59, counted from day 0 (1899-12-30).
        constexpr int64_t kFirst = -693959LL * 86400, kLast = 2958466LL * 86400 - 1;
        const uint64_t span = uint64_t(kLast - kFirst) + 1;
        const TDateTime value{kFirst + int64_t(uint64_t(seconds) % span)};
        if (ParseDateTime(FormatDateTime(value)) != value)
            std::abort();
        // Far outside them it must still write something without overflowing.
        (void)FormatDateTime(TDateTime{seconds});
    }
    return 0;
}

// Any bytes as the play log: its values read as sane records, and a run recorded on each of them is
// read back the same from what the log would write.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "base/AsciiText.h"
#include "catalogue/PlayLog.h"

namespace {

bool Same(const TPlayRecord& a, const TPlayRecord& b)
{
    return a.Favourite == b.Favourite && a.PlayCount == b.PlayCount && a.PlaySeconds == b.PlaySeconds &&
           a.LastPlayed == b.LastPlayed;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TPlayLog log = TPlayLog::FromBytes(std::string(reinterpret_cast<const char*>(data), size));
    std::string names;
    for (const auto& [name, record] : log.Records()) {
        if (record.PlayCount < 0 || record.PlaySeconds < 0 || name != LowerAscii(name))
            std::abort();
        names = name;
    }
    // Some names are different spellings of one game; recording on each must still read back.
    const TPlayRecord before = log.Record(names);
    log.RecordPlay(names, 61, TDateTime::FromDays(45000));
    log.SetFavourite(names, !before.Favourite);
    const TPlayLog again = TPlayLog::FromBytes(log.ToBytes());
    if (again.Records().size() != log.Records().size() || !(again.ViewChoices() == log.ViewChoices()))
        std::abort();
    for (const auto& [name, record] : log.Records())
        if (!Same(again.Record(name), record))
            std::abort();
    return 0;
}

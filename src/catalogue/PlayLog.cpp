#include "catalogue/PlayLog.h"

#include <atomic>
#include <ctime>
#include <limits>

#include "base/AsciiText.h"
#include "base/FileError.h"
#include "base/PlainFileName.h"

namespace {

// A separator can never be part of a game's zip name, so this section never meets a game's.
constexpr const char* kViewSection = "Playlog/View";
constexpr int32_t kMaxValue = std::numeric_limits<int32_t>::max();

int32_t NonNegative(int value)
{
    return value < 0 ? 0 : value;
}

int32_t SaturatingAdd(int32_t value, int64_t add)
{
    const int64_t sum = int64_t(value) + (add < 0 ? 0 : add);
    return sum > kMaxValue ? kMaxValue : static_cast<int32_t>(sum);
}

TPlayRecord ReadRecord(const TSettingsFile& file, const std::string& section)
{
    TPlayRecord record;
    record.Favourite = file.ReadBool(section, "Favourite", false);
    record.PlayCount = NonNegative(file.ReadInteger(section, "PlayCount", 0));
    record.PlaySeconds = NonNegative(file.ReadInteger(section, "PlaySeconds", 0));
    record.LastPlayed = ParseDateTime(file.ReadString(section, "LastPlayed", std::string()));
    return record;
}

TPlayColumn PlayColumnOf(int value)
{
    switch (value) {
    case int(TPlayColumn::Played):
    case int(TPlayColumn::Time):
    case int(TPlayColumn::LastPlayed):
        return TPlayColumn(value);
    default:
        return TPlayColumn::None;
    }
}

} // namespace

TPlayLog::TPlayLog() : m_file(TSettingsFile::FromBytes(std::string())) {}

TPlayLog::TPlayLog(TSettingsFile file) : m_file(std::move(file))
{
    ReadAll();
}

TPlayLog TPlayLog::FromBytes(const std::string& bytes, const std::string& path)
{
    return TPlayLog(TSettingsFile::FromBytes(bytes, path));
}

TPlayLog TPlayLog::Open(const std::string& path)
{
    try {
        return TPlayLog(TSettingsFile::Open(path));
    } catch (const TFileError& error) {
        TPlayLog log;
        log.m_loadError = error.what();
        log.m_readOnly = true;
        return log;
    }
}

void TPlayLog::ReadAll()
{
    for (const std::string& name : m_file.SectionNames()) {
        if (!IsPlainFileName(name))
            continue;
        // A repeated section is read as its first occurrence, which is also the one writes change.
        m_records.try_emplace(LowerAscii(name), ReadRecord(m_file, name));
    }
    m_view.FavouritesOnly = m_file.ReadBool(kViewSection, "FavouritesFilter", false);
    m_view.RecentlyPlayed = m_file.ReadBool(kViewSection, "RecentFilter", false);
    m_view.SortColumn = PlayColumnOf(m_file.ReadInteger(kViewSection, "PlaySort", -1));
    m_view.FullScreen = m_file.ReadBool(kViewSection, "FullScreen", false);
}

const TPlayRecord* TPlayLog::Find(const std::string& zipName) const
{
    const auto it = m_records.find(LowerAscii(zipName));
    return it == m_records.end() ? nullptr : &it->second;
}

uint64_t TPlayLog::NextRevision()
{
    static std::atomic<uint64_t> last{0};
    return ++last;
}

TPlayRecord TPlayLog::Record(const std::string& zipName) const
{
    const TPlayRecord* record = Find(zipName);
    return record ? *record : TPlayRecord{};
}

void TPlayLog::SetFavourite(const std::string& zipName, bool favourite)
{
    if (!IsPlainFileName(zipName))
        return;
    TPlayRecord& record = m_records[LowerAscii(zipName)];
    if (record.Favourite == favourite)
        return;
    record.Favourite = favourite;
    m_revision = NextRevision();
    WriteRecord(zipName, record);
    Save();
}

void TPlayLog::RecordPlay(const std::string& zipName, int64_t runSeconds, TDateTime endedAt)
{
    if (!IsPlainFileName(zipName))
        return;
    TPlayRecord& record = m_records[LowerAscii(zipName)];
    record.PlayCount = SaturatingAdd(record.PlayCount, 1);
    record.PlaySeconds = SaturatingAdd(record.PlaySeconds, runSeconds);
    // A date the file could not read back would lose the game's last-played date at the next start.
    if (ParseDateTime(FormatDateTime(endedAt)) == endedAt)
        record.LastPlayed = endedAt;
    m_revision = NextRevision();
    WriteRecord(zipName, record);
    Save();
}

void TPlayLog::SetViewChoices(const TPlayViewChoices& choices)
{
    if (choices == m_view)
        return;
    m_view = choices;
    m_file.WriteBool(kViewSection, "FavouritesFilter", choices.FavouritesOnly);
    m_file.WriteBool(kViewSection, "RecentFilter", choices.RecentlyPlayed);
    m_file.WriteInteger(kViewSection, "PlaySort", int(choices.SortColumn));
    m_file.WriteBool(kViewSection, "FullScreen", choices.FullScreen);
    Save();
}

// All four keys every time, so a hand-damaged value of the game is replaced by the one in use.
void TPlayLog::WriteRecord(const std::string& zipName, const TPlayRecord& record)
{
    m_file.WriteBool(zipName, "Favourite", record.Favourite);
    m_file.WriteInteger(zipName, "PlayCount", record.PlayCount);
    m_file.WriteInteger(zipName, "PlaySeconds", record.PlaySeconds);
    m_file.WriteString(zipName, "LastPlayed", record.LastPlayed ? FormatDateTime(*record.LastPlayed) : "");
}

void TPlayLog::Save() const
{
    if (m_readOnly || m_file.Path().empty())
        return;
    m_file.UpdateFile();
}

TDateTime LocalDateTimeNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (!::localtime_r(&now, &local))
        return TDateTime{};
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return ParseDateTime(text).value_or(TDateTime{});
}

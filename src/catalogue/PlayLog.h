#pragma once
// Our own per-game state (favourite, play count and time, last played) and our own view choices, kept in
// "Playlog.ini" beside the main settings file so that the system's files stay exactly as they are.

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>

#include "base/DateTimeText.h"
#include "base/SettingsFile.h"

inline constexpr const char* kPlayLogFileName = "Playlog.ini";

struct TPlayRecord
{
    bool Favourite = false;
    int32_t PlayCount = 0;
    int32_t PlaySeconds = 0;
    std::optional<TDateTime> LastPlayed;
};

// The play columns of the list, numbered after the system's three (Name, Zipname, Zipdate).
enum class TPlayColumn { None = -1, Played = 3, Time = 4, LastPlayed = 5 };

struct TPlayViewChoices
{
    bool FavouritesOnly = false;
    bool RecentlyPlayed = false;
    // A play column the list is sorted by instead of the system's sort column.
    TPlayColumn SortColumn = TPlayColumn::None;
    bool FullScreen = false;
    friend bool operator==(const TPlayViewChoices&, const TPlayViewChoices&) = default;
};

class TPlayLog
{
public:
    // An empty log that writes nowhere.
    TPlayLog();
    // Reads the file; a missing one is empty. A file that cannot be read leaves the log empty and
    // read-only, so the file is never replaced by less than it held; LoadError() then says why.
    static TPlayLog Open(const std::string& path);
    static TPlayLog FromBytes(const std::string& bytes, const std::string& path = std::string());

    // Letter case of the zip name does not matter, as in the catalogue. Absent games read as never played.
    TPlayRecord Record(const std::string& zipName) const;
    const TPlayRecord* Find(const std::string& zipName) const;
    // Every game with a record, keyed by its lower-cased zip name.
    const std::unordered_map<std::string, TPlayRecord>& Records() const { return m_records; }
    // Changes with every change of the records and differs between logs: what is worked out from them
    // (a sort's keys) stays valid while it is unchanged.
    uint64_t Revision() const { return m_revision; }

    // These change the log and then replace the file atomically; they throw TFileError when the file
    // cannot be written (the change is kept in memory and goes out with the next write). A zip name that
    // is no plain file name (empty, a separator, "." or "..") gets no record.
    void SetFavourite(const std::string& zipName, bool favourite);
    // One run: count + 1, seconds added (a negative duration counts as none), last played := endedAt.
    // Count and time stop at the largest value the file can hold instead of wrapping.
    void RecordPlay(const std::string& zipName, int64_t runSeconds, TDateTime endedAt);

    const TPlayViewChoices& ViewChoices() const { return m_view; }
    // Writes only when the choices changed.
    void SetViewChoices(const TPlayViewChoices& choices);

    const std::string& LoadError() const { return m_loadError; }
    bool ReadOnly() const { return m_readOnly; }
    // The text the file would hold now.
    std::string ToBytes() const { return m_file.ToBytes(); }

private:
    explicit TPlayLog(TSettingsFile file);
    void ReadAll();
    void WriteRecord(const std::string& zipName, const TPlayRecord& record);
    void Save() const;

    TSettingsFile m_file;
    std::unordered_map<std::string, TPlayRecord> m_records;
    TPlayViewChoices m_view;
    std::string m_loadError;
    bool m_readOnly = false;
    uint64_t m_revision = NextRevision();

    static uint64_t NextRevision();
};

// The local date and time now, whole seconds.
TDateTime LocalDateTimeNow();

#pragma once
// How the play log reads on screen: the list's play columns, the entry's tooltip, the recent filter.

#include <string>

#include "base/DateTimeText.h"
#include "catalogue/PlayLog.h"

// The "Recently played" filter's reach.
inline constexpr int64_t kRecentDays = 30;

// "45 s", "12 min", "3 h 05 min"; empty for a game never played.
std::string PlayTimeText(int32_t seconds, int32_t playCount);
// "Played 12 times, 3 h 05 min, last 2026-12-01", or "Never played".
std::string PlaySummary(const TPlayRecord& record);
// The tooltip of a game's entry: the full display name, then the summary on a line of its own.
std::string GameToolTip(const std::string& displayName, const TPlayRecord& record);
// Played within the last kRecentDays days before now; a date after now (the clock was set back) counts.
bool RecentlyPlayed(const TPlayRecord& record, TDateTime now);

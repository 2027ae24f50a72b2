#include "controllers/PlayText.h"

#include <cstdio>

std::string PlayTimeText(int32_t seconds, int32_t playCount)
{
    if (playCount <= 0 && seconds <= 0)
        return {};
    if (seconds < 60)
        return std::to_string(seconds < 0 ? 0 : seconds) + " s";
    if (seconds < 3600)
        return std::to_string(seconds / 60) + " min";
    char text[32];
    std::snprintf(text, sizeof text, "%d h %02d min", seconds / 3600, seconds / 60 % 60);
    return text;
}

std::string PlaySummary(const TPlayRecord& record)
{
    if (record.PlayCount <= 0 && !record.LastPlayed)
        return "Never played";
    std::string text =
        "Played " + std::to_string(record.PlayCount) + (record.PlayCount == 1 ? " time" : " times");
    text += ", " + PlayTimeText(record.PlaySeconds, record.PlayCount);
    if (record.LastPlayed)
        text += ", last " + FormatDateTime(*record.LastPlayed).substr(0, 10);
    return text;
}

std::string GameToolTip(const std::string& displayName, const TPlayRecord& record)
{
    return displayName + "\n" + PlaySummary(record);
}

bool RecentlyPlayed(const TPlayRecord& record, TDateTime now)
{
    return record.LastPlayed && record.LastPlayed->Seconds >= now.Seconds - kRecentDays * 86400;
}

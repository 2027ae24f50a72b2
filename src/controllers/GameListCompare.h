#pragma once
// The order of the game list: by name, zip name or zip date, ignoring ASCII case, optionally descending.

#include <string>

#include "catalogue/GameObject.h"

// The list's columns, numbered as the settings file stores the sort column. The play columns after the
// system's three are ours: the play log keeps them, and they sort by it.
enum class TListColumn { Name = 0, ZipName = 1, ZipDate = 2, Played = 3, Time = 4, LastPlayed = 5 };
// The system's columns.
inline constexpr int kListColumnCount = 3;

// A list entry as the compare sees it; the zip date is read once, when the entry is made.
struct TGameListEntry
{
    TGameObject* Game = nullptr;
    double DateKey = 0; // seconds of the zip date; kNoZipDate when it has none
};

// Games without a zip date sort after every dated one in ascending order.
inline constexpr double kNoZipDate = 1.7e308;

TGameListEntry MakeGameListEntry(TGameObject& game);

// Upper-cases only a..z, then compares unsigned bytes; a prefix comes first.
int CompareTextNoCase(const std::string& a, const std::string& b);

// Negative when a comes first; an unknown column compares everything as equal.
int GameListCompare(const TGameListEntry& a, const TGameListEntry& b, int column, bool descending);

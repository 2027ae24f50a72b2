#pragma once
// The order of the game list: by name, zip name or zip date, ignoring ASCII case, optionally descending.

#include <cstdint>
#include <string>
#include <vector>

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
    int Index = -1;     // its game's place among the games the list's text ranks are made over
};

// Games without a zip date sort after every dated one in ascending order.
inline constexpr double kNoZipDate = 1.7e308;

TGameListEntry MakeGameListEntry(TGameObject& game);

// Upper-cases only a..z, then compares unsigned bytes; a prefix comes first.
int CompareTextNoCase(const std::string& a, const std::string& b);

// Negative when a comes first; an unknown column compares everything as equal.
int GameListCompare(const TGameListEntry& a, const TGameListEntry& b, TListColumn column, bool descending);

// Positions into entries in list order for column: the order a stable sort with GameListCompare gives
// (equal entries keep their earlier order, descending included), computed from keys gathered once into
// one block instead of following every entry to its record at each comparison.
std::vector<int> GameListOrder(const std::vector<TGameListEntry>& entries, TListColumn column,
                               bool descending);

// For each entry, the place of its text for column (Name or ZipName) among the distinct texts of entries,
// in ascending order: equal texts share a rank, so a stable order by rank is the stable order by text.
std::vector<uint32_t> GameListTextRanks(const std::vector<TGameListEntry>& entries, TListColumn column);
// Positions into ranks, smallest first (largest first when descending); equal ranks keep their order.
std::vector<int> OrderByRanks(const std::vector<uint32_t>& ranks, bool descending);

// Positions into keys, smallest first (largest first when descending); equal keys go by ties, smallest
// first in both directions, then keep their earlier order.
std::vector<int> OrderByKeys(const std::vector<int64_t>& keys, bool descending,
                             const std::vector<uint32_t>& ties = {});

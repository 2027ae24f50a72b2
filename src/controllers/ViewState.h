#pragma once
// The main window's view choices as one record: the menus show it, the commands change it, and the main
// settings file keeps it between runs.

#include <optional>

#include "app/MainSettings.h"
#include "controllers/GameListCompare.h"
#include "controllers/GameListFilter.h"
#include "controllers/GameSound.h"

// The list's view styles, numbered as the View menu's items.
enum class TListStyle { LargeIcons = 0, SmallIcons = 1, List = 2, Details = 3 };

struct TViewState
{
    // Empty when no item of its group is checked: a hand-edited settings file can clear all of them, and
    // the file written back must say so again.
    std::optional<TGameFilter> Filter = TGameFilter::All;
    TListStyle ListStyle = TListStyle::LargeIcons;
    TListColumn SortColumn = TListColumn::Name;
    bool Descending = false;
    std::optional<TSoundMode> Sound = TSoundMode::Music;
    bool HotTracking = true;
    bool TabSheet = true;
    bool StatusBar = true;

    // With no sound item checked nothing plays.
    TSoundMode EffectiveSound() const { return Sound.value_or(TSoundMode::None); }
};

// Takes the stored view values as the menu items take them: a true radio value checks its item and so
// clears the others of its group, a false one clears only its own item; each true style value selects its
// style, so the last one wins and none keeps the current style. A sort column outside the list's columns
// sorts by name.
void ApplyViewSettings(const TMainSettingsRecord& record, TViewState& state);

// Writes the check marks and the sort column into the record; the rest of the record stays as it is.
void CollectViewSettings(const TViewState& state, TMainSettingsRecord& record);

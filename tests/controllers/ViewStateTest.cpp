// The view state taken from and written into the main settings record, without a window.
#include <gtest/gtest.h>

#include "controllers/ViewState.h"

namespace {
TMainSettingsRecord Collected(const TViewState& state)
{
    TMainSettingsRecord record;
    CollectViewSettings(state, record);
    return record;
}
} // namespace

TEST(ViewState, DefaultsMatchTheDefaultRecord)
{
    TViewState applied;
    applied.Filter = TGameFilter::Installed;
    applied.Sound = TSoundMode::None;
    applied.HotTracking = false;
    ApplyViewSettings(TMainSettingsRecord{}, applied);
    const TMainSettingsRecord back = Collected(applied);
    const TMainSettingsRecord defaults;
    EXPECT_EQ(applied.Filter, TGameFilter::All);
    EXPECT_EQ(applied.Sound, TSoundMode::Music);
    EXPECT_TRUE(applied.HotTracking);
    EXPECT_EQ(back.All, defaults.All);
    EXPECT_EQ(back.Installed, defaults.Installed);
    EXPECT_EQ(back.Large, defaults.Large);
    EXPECT_EQ(back.Music, defaults.Music);
    EXPECT_EQ(back.Sort, defaults.Sort);
    // A fresh state writes what a fresh file holds.
    const TMainSettingsRecord fresh = Collected(TViewState{});
    EXPECT_EQ(fresh.All, defaults.All);
    EXPECT_EQ(fresh.Music, defaults.Music);
    EXPECT_EQ(fresh.HotTracking && fresh.StatBar && fresh.TabSheet, true);
}

TEST(ViewState, RadioValuesActLikeTheirMenuItems)
{
    struct TRow
    {
        bool Installed, UnInstalled, All;
        std::optional<TGameFilter> Before, After;
    };
    const TRow rows[] = {
        {true, false, false, TGameFilter::All, TGameFilter::Installed},
        {false, true, false, TGameFilter::All, TGameFilter::Uninstalled},
        // The last true value wins.
        {true, false, true, TGameFilter::Uninstalled, TGameFilter::All},
        {true, true, false, TGameFilter::All, TGameFilter::Uninstalled},
        // A false value clears only its own item: with all three false nothing stays checked.
        {false, false, false, TGameFilter::All, std::nullopt},
        {false, false, false, TGameFilter::Installed, std::nullopt},
    };
    for (const TRow& row : rows) {
        TMainSettingsRecord record;
        record.Installed = row.Installed, record.UnInstalled = row.UnInstalled, record.All = row.All;
        TViewState state;
        state.Filter = row.Before;
        ApplyViewSettings(record, state);
        EXPECT_EQ(state.Filter, row.After) << row.Installed << row.UnInstalled << row.All;
    }
}

TEST(ViewState, NoCheckedItemIsWrittenBackAsNone)
{
    TMainSettingsRecord record;
    record.All = false;
    record.Music = false;
    TViewState state;
    ApplyViewSettings(record, state);
    EXPECT_FALSE(state.Filter.has_value());
    EXPECT_FALSE(state.Sound.has_value());
    EXPECT_EQ(state.EffectiveSound(), TSoundMode::None);
    const TMainSettingsRecord back = Collected(state);
    EXPECT_FALSE(back.Installed || back.UnInstalled || back.All);
    EXPECT_FALSE(back.Music || back.Samples || back.None);
}

TEST(ViewState, TheLastTrueStyleWinsAndNoneKeepsTheStyle)
{
    TMainSettingsRecord record;
    record.Large = true, record.Small = true, record.List = true, record.Details = false;
    TViewState state;
    ApplyViewSettings(record, state);
    EXPECT_EQ(state.ListStyle, TListStyle::List);
    record.Large = record.Small = record.List = false;
    ApplyViewSettings(record, state);
    EXPECT_EQ(state.ListStyle, TListStyle::List);
    const TMainSettingsRecord back = Collected(state);
    EXPECT_TRUE(back.List);
    EXPECT_FALSE(back.Large || back.Small || back.Details);
}

TEST(ViewState, EveryValueRoundTrips)
{
    TViewState state;
    state.Filter = TGameFilter::Uninstalled;
    state.ListStyle = TListStyle::Details;
    state.SortColumn = TListColumn::ZipDate;
    state.Sound = TSoundMode::Samples;
    state.HotTracking = false;
    state.TabSheet = false;
    state.StatusBar = false;
    TViewState again;
    ApplyViewSettings(Collected(state), again);
    EXPECT_EQ(again.Filter, state.Filter);
    EXPECT_EQ(again.ListStyle, state.ListStyle);
    EXPECT_EQ(again.SortColumn, state.SortColumn);
    EXPECT_EQ(again.Sound, state.Sound);
    EXPECT_EQ(again.HotTracking, state.HotTracking);
    EXPECT_EQ(again.TabSheet, state.TabSheet);
    EXPECT_EQ(again.StatusBar, state.StatusBar);
    EXPECT_EQ(Collected(state).Sort, 2);
}

TEST(ViewState, ASortColumnOutsideTheListSortsByName)
{
    for (int32_t stored : {-1, 3, 1000}) {
        TMainSettingsRecord record;
        record.Sort = stored;
        TViewState state;
        state.SortColumn = TListColumn::ZipName;
        ApplyViewSettings(record, state);
        EXPECT_EQ(state.SortColumn, TListColumn::Name) << stored;
    }
}

TEST(ViewState, CollectLeavesTheOtherValuesAlone)
{
    TMainSettingsRecord record;
    record.Width = 777;
    record.FontType = "Courier";
    record.LGLPos = 9;
    CollectViewSettings(TViewState{}, record);
    EXPECT_EQ(record.Width, 777);
    EXPECT_EQ(record.FontType, "Courier");
    EXPECT_EQ(record.LGLPos, 9);
}

TEST(ViewState, APlayColumnIsStoredAsTheNameSort)
{
    for (TListColumn column : {TListColumn::Played, TListColumn::Time, TListColumn::LastPlayed}) {
        TViewState state;
        state.SortColumn = column;
        EXPECT_EQ(Collected(state).Sort, 0);
    }
}

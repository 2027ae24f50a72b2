#include "controllers/ViewState.h"

namespace {
template <typename TChoice> void ApplyRadio(std::optional<TChoice>& group, TChoice item, bool value)
{
    if (value) {
        group = item;
    } else if (group == item) {
        group.reset();
    }
}

TListColumn SortColumnOf(int32_t stored)
{
    if (stored < 0 || stored >= kListColumnCount) {
        return TListColumn::Name;
    }
    return static_cast<TListColumn>(stored);
}
} // namespace

void ApplyViewSettings(const TMainSettingsRecord& record, TViewState& state)
{
    ApplyRadio(state.Filter, TGameFilter::Installed, record.Installed);
    ApplyRadio(state.Filter, TGameFilter::Uninstalled, record.UnInstalled);
    ApplyRadio(state.Filter, TGameFilter::All, record.All);
    const std::pair<bool, TListStyle> styles[] = {{record.Large, TListStyle::LargeIcons},
                                                  {record.Small, TListStyle::SmallIcons},
                                                  {record.List, TListStyle::List},
                                                  {record.Details, TListStyle::Details}};
    for (const auto& [chosen, style] : styles) {
        if (chosen) {
            state.ListStyle = style;
        }
    }
    state.SortColumn = SortColumnOf(record.Sort);
    state.HotTracking = record.HotTracking;
    state.StatusBar = record.StatBar;
    state.TabSheet = record.TabSheet;
    ApplyRadio(state.Sound, TSoundMode::Music, record.Music);
    ApplyRadio(state.Sound, TSoundMode::Samples, record.Samples);
    ApplyRadio(state.Sound, TSoundMode::None, record.None);
}

void CollectViewSettings(const TViewState& state, TMainSettingsRecord& record)
{
    record.Installed = state.Filter == TGameFilter::Installed;
    record.UnInstalled = state.Filter == TGameFilter::Uninstalled;
    record.All = state.Filter == TGameFilter::All;
    record.Large = state.ListStyle == TListStyle::LargeIcons;
    record.Small = state.ListStyle == TListStyle::SmallIcons;
    record.List = state.ListStyle == TListStyle::List;
    record.Details = state.ListStyle == TListStyle::Details;
    // A play column is ours: the system's file keeps the name sort that its menu item applies first.
    const auto column = static_cast<int32_t>(state.SortColumn);
    record.Sort = column < kListColumnCount ? column : 0;
    record.HotTracking = state.HotTracking;
    record.StatBar = state.StatusBar;
    record.TabSheet = state.TabSheet;
    record.Music = state.Sound == TSoundMode::Music;
    record.Samples = state.Sound == TSoundMode::Samples;
    record.None = state.Sound == TSoundMode::None;
}

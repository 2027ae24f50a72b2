// Speed of the game list at 100,000 games: the model's fill and sorts alone, the start's fill then sort, and
// the window's whole fill and selection update, offscreen.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <string>

#include <QApplication>

#include "BenchCatalogue.h"
#include "QtBenchmarkMain.h"
#include "app/Startup.h"
#include "catalogue/PlayLog.h"
#include "platform/Dialogs.h"
#include "platform/Media.h"
#include "platform/Processes.h"
#include "platform/Services.h"
#include "platform/Shell.h"
#include "ui/GameListModel.h"
#include "ui/GameListView.h"
#include "ui/Main1.h"

namespace {
class TSilentDialogs : public TDialogs
{
public:
    TMsgButton ShowMessage(const TMessage& message) override { return message.Buttons.front(); }
    void Beep() override {}
    std::optional<std::string> OpenFile(const TOpenFileRequest&) override { return {}; }
    std::optional<TFontChoice> ChooseFont(const TFontChoice&) override { return {}; }
    std::optional<uint32_t> ChooseColour(uint32_t) override { return {}; }
};

class TNoProcesses : public TProcesses
{
public:
    TStartResult Start(const TProcessStart&) override { return {nullptr, 2}; }
    bool ProcessPendingEvents() override { return true; }
};

class TNoShell : public TShell
{
public:
    bool OpenWithShell(const std::string&) override { return false; }
    std::optional<std::string> FindAssociatedProgram(const std::string&) override { return std::nullopt; }
    std::string WebBrowserCommand(const std::string&) override { return {}; }
    bool RunProgram(const std::string&, const std::string&) override { return false; }
};

class TNoMedia : public TMedia
{
public:
    bool Open(const std::string&) override { return false; }
    bool Play() override { return false; }
    bool IsPlaying() override { return false; }
    void Stop() override {}
};

// The model over its own catalogue, without a window; every 50th game has been played.
struct TBenchModel
{
    TGameObjectList Catalogue;
    TBenchCatalogue Scattered{Catalogue};
    TGameListFilter Filter;
    TPlayLog PlayLog;
    TGameListModel Model{6};

    TBenchModel()
    {
        for (int i = 0; i < Catalogue.Count(); i += 50)
            PlayLog.RecordPlay(Catalogue.At(i).ZipName, i % 7 * 60, TDateTime{int64_t(1600000000) + i});
        Model.SetPlayLog(&PlayLog);
    }
};

TBenchModel& Model()
{
    static TBenchModel bench;
    return bench;
}

// A window over such a catalogue.
struct TBenchWindow
{
    TSilentDialogs Dialogs;
    TNoProcesses Processes;
    TNoShell Shell;
    TNoMedia Media;
    TStartup Startup{Dialogs, Processes};
    TBenchCatalogue Scattered{Startup.Catalogue()};
    std::unique_ptr<TMain1> Window;

    TBenchWindow()
    {
        TPlatformServices services;
        services.Dialogs = &Dialogs;
        services.Shell = &Shell;
        services.Processes = &Processes;
        services.Media = &Media;
        Window = std::make_unique<TMain1>(services, Startup);
        Window->resize(800, 600);
        Window->show();
    }
};

TBenchWindow& Window()
{
    static TBenchWindow bench;
    return bench;
}

void BM_ModelFill(benchmark::State& state)
{
    TBenchModel& bench = Model();
    for (auto _ : state) {
        bench.Model.Fill(bench.Catalogue, bench.Filter);
    }
    state.counters["games"] = bench.Model.Count();
}
BENCHMARK(BM_ModelFill)->Unit(benchmark::kMillisecond);

void BM_ModelFillInstalledOnly(benchmark::State& state)
{
    TBenchModel& bench = Model();
    TGameListFilter installed;
    installed.SetInstallFilter(TGameFilter::Installed);
    for (auto _ : state) {
        bench.Model.Fill(bench.Catalogue, installed);
    }
    state.counters["games"] = bench.Model.Count();
}
BENCHMARK(BM_ModelFillInstalledOnly)->Unit(benchmark::kMillisecond);

// Each sort starts from the catalogue order, as after a fill.
void BM_ModelSort(benchmark::State& state, TListColumn column, bool descending)
{
    TBenchModel& bench = Model();
    for (auto _ : state) {
        state.PauseTiming();
        bench.Model.Fill(bench.Catalogue, bench.Filter);
        state.ResumeTiming();
        bench.Model.Sort(column, descending);
    }
}
BENCHMARK_CAPTURE(BM_ModelSort, name, TListColumn::Name, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ModelSort, name_descending, TListColumn::Name, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ModelSort, zip_name, TListColumn::ZipName, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ModelSort, zip_date, TListColumn::ZipDate, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ModelSort, played, TListColumn::Played, true)->Unit(benchmark::kMillisecond);

// The first sort by a name after an import ranks every game of the catalogue once; later sorts and refills
// reuse the ranks.
void BM_CatalogueNameRanks(benchmark::State& state)
{
    TBenchModel& bench = Model();
    std::vector<TGameListEntry> entries;
    for (int i = 0; i < bench.Catalogue.Count(); ++i)
        entries.push_back({&bench.Catalogue.At(i)});
    for (auto _ : state) {
        benchmark::DoNotOptimize(GameListTextRanks(entries, TListColumn::Name));
    }
}
BENCHMARK(BM_CatalogueNameRanks)->Unit(benchmark::kMillisecond);

// A sort of a list sorted already by another column, as a menu choice does (name first, then the column).
void BM_ModelResort(benchmark::State& state, TListColumn column)
{
    TBenchModel& bench = Model();
    bench.Model.Fill(bench.Catalogue, bench.Filter);
    for (auto _ : state) {
        bench.Model.Sort(TListColumn::Name, false);
        bench.Model.Sort(column, false);
    }
}
BENCHMARK_CAPTURE(BM_ModelResort, zip_name, TListColumn::ZipName)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ModelResort, zip_date, TListColumn::ZipDate)->Unit(benchmark::kMillisecond);

// A header click on the column the list is sorted by already: the order flips.
void BM_ModelFlip(benchmark::State& state, TListColumn column)
{
    TBenchModel& bench = Model();
    bench.Model.Fill(bench.Catalogue, bench.Filter);
    bool descending = false;
    bench.Model.Sort(column, descending);
    for (auto _ : state) {
        descending = !descending;
        bench.Model.Sort(column, descending);
    }
}
BENCHMARK_CAPTURE(BM_ModelFlip, name, TListColumn::Name)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ModelFlip, played, TListColumn::Played)->Unit(benchmark::kMillisecond);

// What the start does: a fill, then the stored sort.
void BM_ModelFillThenSortByName(benchmark::State& state)
{
    TBenchModel& bench = Model();
    for (auto _ : state) {
        bench.Model.Fill(bench.Catalogue, bench.Filter);
        bench.Model.Sort(TListColumn::Name, false);
    }
}
BENCHMARK(BM_ModelFillThenSortByName)->Unit(benchmark::kMillisecond);

// The first search after a fill gathers every name into one block.
void BM_ModelFirstSearch(benchmark::State& state)
{
    TBenchModel& bench = Model();
    for (auto _ : state) {
        state.PauseTiming();
        bench.Model.Fill(bench.Catalogue, bench.Filter);
        bench.Model.Sort(TListColumn::Name, false);
        state.ResumeTiming();
        bench.Model.SetSearch("s");
        benchmark::DoNotOptimize(bench.Model.Count());
        state.PauseTiming();
        bench.Model.SetSearch("");
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ModelFirstSearch)->Unit(benchmark::kMillisecond);

void BM_WindowFillGameList(benchmark::State& state)
{
    TBenchWindow& bench = Window();
    for (auto _ : state) {
        bench.Window->FillGameList();
    }
}
BENCHMARK(BM_WindowFillGameList)->Unit(benchmark::kMillisecond);

// The switch from icons to Details, painted: the dates of the rows on screen are read, no others.
void BM_WindowSwitchToDetails(benchmark::State& state)
{
    TBenchWindow& bench = Window();
    bench.Window->FillGameList();
    for (auto _ : state) {
        state.PauseTiming();
        bench.Window->MenuIconsViewClick(TListStyle::LargeIcons);
        QApplication::processEvents();
        state.ResumeTiming();
        bench.Window->MenuIconsViewClick(TListStyle::Details);
        bench.Window->repaint();
    }
    uint32_t round = 0;
    for (int i = 0; i < bench.Startup.Catalogue().Count(); ++i)
        round = std::max(round, bench.Startup.Catalogue().At(i).ZipDateRound);
    int read = 0;
    for (int i = 0; i < bench.Startup.Catalogue().Count(); ++i)
        read += bench.Startup.Catalogue().At(i).ZipDateRound == round ? 1 : 0;
    state.counters["dates_read"] = read;
    bench.Window->MenuIconsViewClick(TListStyle::LargeIcons);
}
BENCHMARK(BM_WindowSwitchToDetails)->Unit(benchmark::kMillisecond);

void BM_WindowSortByName(benchmark::State& state)
{
    TBenchWindow& bench = Window();
    bench.Window->FillGameList();
    TListColumn column = TListColumn::Name;
    for (auto _ : state) {
        column = column == TListColumn::Name ? TListColumn::ZipName : TListColumn::Name;
        bench.Window->SortOn(column);
    }
}
BENCHMARK(BM_WindowSortByName)->Unit(benchmark::kMillisecond);

void BM_WindowUpdateSelection(benchmark::State& state)
{
    TBenchWindow& bench = Window();
    bench.Window->FillGameList();
    int row = 0;
    for (auto _ : state) {
        row = (row + 7919) % bench.Window->Model().Count();
        bench.Window->GameList().SelectRow(row);
    }
}
BENCHMARK(BM_WindowUpdateSelection)->Unit(benchmark::kMicrosecond);
} // namespace

int main(int argc, char** argv)
{
    return RunQtBenchmarks(argc, argv);
}

// The close after a session of searches and sorts, in each list style: the window's part of it (the list let
// go, the pages released, the window destroyed); there is no settings file to write here.
void BM_WindowCloseAfterSearchesAndSorts(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto bench = std::make_unique<TBenchWindow>();
        bench->Window->FillGameList();
        bench->Window->MenuIconsViewClick(TListStyle(state.range(0)));
        for (int i = 0; i < 20; ++i) {
            bench->Window->SearchChanged(QString::fromLatin1(i % 2 ? "super" : "pac man 1"));
            bench->Window->SortOn(i % 3 ? TListColumn::ZipName : TListColumn::Name);
            QApplication::processEvents();
        }
        bench->Window->SearchChanged(QString());
        QApplication::processEvents();
        state.ResumeTiming();
        bench->Window->FormClose();
        bench->Window.reset();
        QApplication::processEvents();
        state.PauseTiming();
        bench.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_WindowCloseAfterSearchesAndSorts)
    ->Arg(int(TListStyle::LargeIcons))
    ->Arg(int(TListStyle::Details))
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

// Speed of the game list with 30,000 games: filling, sorting and the selection update, offscreen.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include <QApplication>

#include "app/Startup.h"
#include "base/DateTimeText.h"
#include "platform/Dialogs.h"
#include "platform/Media.h"
#include "platform/Processes.h"
#include "platform/Services.h"
#include "platform/Shell.h"
#include "ui/GameListModel.h"
#include "ui/GameListView.h"
#include "ui/Main1.h"

namespace {
constexpr int kGames = 30000;

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

// A window whose catalogue holds kGames records with mixed names, states and dates.
struct TBenchWindow
{
    TSilentDialogs Dialogs;
    TNoProcesses Processes;
    TNoShell Shell;
    TNoMedia Media;
    TStartup Startup{Dialogs, Processes};
    std::unique_ptr<TMain1> Window;

    TBenchWindow()
    {
        for (int i = 0; i < kGames; ++i) {
            auto game = std::make_unique<TGameObject>();
            const unsigned mix = unsigned(i) * 2654435761u;
            game->ZipName = "zip" + std::to_string(mix % 100000);
            game->GameName = (mix & 1 ? "The " : "") + std::string(1, char('A' + mix % 26)) + "ame " +
                             std::to_string(mix % 7919);
            game->InstallState = int(mix % 3);
            if (mix % 5) {
                game->ZipDate = FormatDateTime(TDateTime::FromDays(36000 + int(mix % 9000)));
            }
            Startup.Catalogue().AddGame(std::move(game));
        }
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

TBenchWindow& Bench()
{
    static TBenchWindow bench;
    return bench;
}

void BM_FillGameList(benchmark::State& state)
{
    TBenchWindow& bench = Bench();
    for (auto _ : state) {
        bench.Window->FillGameList();
    }
}
BENCHMARK(BM_FillGameList)->Unit(benchmark::kMillisecond);

void BM_SortByZipDate(benchmark::State& state)
{
    TBenchWindow& bench = Bench();
    bench.Window->FillGameList();
    TListColumn column = TListColumn::Name;
    for (auto _ : state) {
        column = column == TListColumn::ZipDate ? TListColumn::ZipName : TListColumn::ZipDate;
        bench.Window->SortOn(column);
    }
}
BENCHMARK(BM_SortByZipDate)->Unit(benchmark::kMillisecond);

void BM_SortByName(benchmark::State& state)
{
    TBenchWindow& bench = Bench();
    bench.Window->FillGameList();
    TListColumn column = TListColumn::Name;
    for (auto _ : state) {
        column = column == TListColumn::Name ? TListColumn::ZipName : TListColumn::Name;
        bench.Window->SortOn(column);
    }
}
BENCHMARK(BM_SortByName)->Unit(benchmark::kMillisecond);

void BM_UpdateSelection(benchmark::State& state)
{
    TBenchWindow& bench = Bench();
    bench.Window->FillGameList();
    int row = 0;
    for (auto _ : state) {
        row = (row + 7919) % bench.Window->Model().Count();
        bench.Window->GameList().SelectRow(row);
    }
}
BENCHMARK(BM_UpdateSelection)->Unit(benchmark::kMicrosecond);
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

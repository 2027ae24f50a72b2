// Search as you type at 100,000 games: the word rule alone, and the list model following each keystroke.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include <QApplication>

#include "QtBenchmarkMain.h"
#include "catalogue/GameObject.h"
#include "controllers/GameSearch.h"
#include "ui/GameListModel.h"

namespace {
constexpr int kGames = 100000;

std::vector<std::unique_ptr<TGameObject>> MakeGames()
{
    static const char* const kWords[] = {"Super",  "Pac",   "Man",    "Street", "Fighter", "Turbo",
                                         "Dragon", "Ninja", "Raiden", "Gals",   "Panic",   "Bomber",
                                         "Metal",  "Slug",  "Final",  "Fight"};
    std::vector<std::unique_ptr<TGameObject>> games;
    games.reserve(kGames);
    for (int i = 0; i < kGames; ++i) {
        auto game = std::make_unique<TGameObject>();
        const unsigned mix = unsigned(i) * 2654435761u;
        game->GameName = std::string(kWords[mix % 16]) + " " + kWords[(mix >> 4) % 16] + " " +
                         kWords[(mix >> 8) % 16] + " (Set " + std::to_string(mix % 97) + ")";
        game->ZipName = "zip" + std::to_string(mix % 1000003);
        games.push_back(std::move(game));
    }
    return games;
}

void BM_SearchWords(benchmark::State& state, const char* typed)
{
    const auto games = MakeGames();
    const TGameSearch search(typed);
    int shown = 0;
    for (auto _ : state) {
        shown = 0;
        for (const auto& game : games)
            shown += search.Matches(game->GameName, game->ZipName) ? 1 : 0;
        benchmark::DoNotOptimize(shown);
    }
    state.counters["shown"] = shown;
}

BENCHMARK_CAPTURE(BM_SearchWords, one_letter, "s")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SearchWords, two_words, "fight street")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SearchWords, no_match, "galaxian")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SearchWords, non_ascii, "caf\xc3\xa9")->Unit(benchmark::kMillisecond);

// One keystroke at a time, as a player types "street f" and erases it again; each step is one search of the
// whole sorted list.
void BM_ModelKeystroke(benchmark::State& state)
{
    auto games = MakeGames();
    TGameListModel model(6);
    std::vector<TGameListEntry> entries;
    entries.reserve(games.size());
    for (auto& game : games)
        entries.push_back(MakeGameListEntry(*game));
    model.SetEntries(std::move(entries));
    model.Sort(TListColumn::Name, false);
    const std::string typed = "street f";
    std::vector<std::string> steps;
    for (size_t i = 1; i <= typed.size(); ++i)
        steps.push_back(typed.substr(0, i));
    for (size_t i = typed.size(); i-- > 0;)
        steps.push_back(typed.substr(0, i));
    size_t step = 0;
    for (auto _ : state) {
        model.SetSearch(steps[step]);
        step = (step + 1) % steps.size();
        benchmark::DoNotOptimize(model.Count());
    }
}
BENCHMARK(BM_ModelKeystroke)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return RunQtBenchmarks(argc, argv);
}

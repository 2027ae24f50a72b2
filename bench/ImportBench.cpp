// Import of a large catalogue: 30,000 or 100,000 listed names against a readme of as many lines in shuffled
// order.

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "catalogue/SupportedGames.h"

namespace fs = std::filesystem;

namespace {

std::string NameOf(int i)
{
    std::string name = "game" + std::to_string(i);
    if (i % 3 == 0) {
        std::transform(name.begin(), name.end(), name.begin(), [](char c) { return char(std::toupper(c)); });
    }
    return name;
}

struct TInputs
{
    std::string Listing;
    std::string Readme;
};

TInputs MakeInputs(int games)
{
    TInputs made;
    made.Listing = "Korb arcade emulator\r\nSupported games:\r\n";
    std::vector<int> order;
    for (int i = 0; i < games; ++i) {
        made.Listing += NameOf(i) + (i % 10 == 9 ? "\r\n" : " ");
        order.push_back(i);
    }
    std::shuffle(order.begin(), order.end(), std::mt19937(7));
    made.Readme = "Korb readme\r\n\r\nGame                               Internal name\r\n";
    for (int i : order) {
        made.Readme += "THE GREAT ARCADE GAME NUMBER " + std::to_string(i) + " II          game" +
                       std::to_string(i) + "\r\n";
    }
    return made;
}

const TInputs& Inputs(int games)
{
    static TInputs inputs;
    static int made = 0;
    if (made != games) {
        inputs = MakeInputs(games);
        made = games;
    }
    return inputs;
}

void BM_ImportFromBytes(benchmark::State& state)
{
    const TInputs& inputs = Inputs(static_cast<int>(state.range(0)));
    TGameObjectList catalogue;
    for (auto _ : state) {
        TImportResult result = ImportCatalogueFromBytes(catalogue, inputs.Listing, inputs.Readme);
        benchmark::DoNotOptimize(result);
    }
    if (catalogue.Count() != state.range(0)) {
        state.SkipWithError("not every game was imported");
    }
}
BENCHMARK(BM_ImportFromBytes)->Arg(30000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ImportFromFiles(benchmark::State& state)
{
    const TInputs& inputs = Inputs(static_cast<int>(state.range(0)));
    fs::path dir = fs::temp_directory_path() / ("vantorkorb-importbench-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    std::ofstream((dir / "listinfo.txt").string(), std::ios::binary) << inputs.Listing;
    std::ofstream((dir / "Readme.txt").string(), std::ios::binary) << inputs.Readme;
    TGameObjectList catalogue;
    for (auto _ : state) {
        TImportResult result =
            ImportCatalogue(catalogue, (dir / "listinfo.txt").string(), (dir / "Readme.txt").string());
        benchmark::DoNotOptimize(result);
    }
    if (catalogue.Count() != state.range(0)) {
        state.SkipWithError("not every game was imported");
    }
    fs::remove_all(dir);
}
BENCHMARK(BM_ImportFromFiles)->Arg(30000)->Arg(100000)->Unit(benchmark::kMillisecond);
} // namespace

BENCHMARK_MAIN();

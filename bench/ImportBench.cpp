// Import of a large catalogue: 30,000 listed names against a 30,000-line readme in shuffled order.

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
constexpr int kGames = 30000;

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

const TInputs& Inputs()
{
    static const TInputs inputs = [] {
        TInputs made;
        made.Listing = "Korb arcade emulator\r\nSupported games:\r\n";
        std::vector<int> order;
        for (int i = 0; i < kGames; ++i) {
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
    }();
    return inputs;
}

void BM_ImportFromBytes(benchmark::State& state)
{
    const TInputs& inputs = Inputs();
    TGameObjectList catalogue;
    for (auto _ : state) {
        TImportResult result = ImportCatalogueFromBytes(catalogue, inputs.Listing, inputs.Readme);
        benchmark::DoNotOptimize(result);
    }
    if (catalogue.Count() != kGames) {
        state.SkipWithError("not every game was imported");
    }
}
BENCHMARK(BM_ImportFromBytes)->Unit(benchmark::kMillisecond);

void BM_ImportFromFiles(benchmark::State& state)
{
    const TInputs& inputs = Inputs();
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
    if (catalogue.Count() != kGames) {
        state.SkipWithError("not every game was imported");
    }
    fs::remove_all(dir);
}
BENCHMARK(BM_ImportFromFiles)->Unit(benchmark::kMillisecond);
} // namespace

BENCHMARK_MAIN();

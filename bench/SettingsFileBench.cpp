// Loading a main settings file with one section per catalogue game and reading every game's entry.
#include <string>

#include <benchmark/benchmark.h>

#include "base/SettingsFile.h"

namespace {

constexpr int kGames = 30000;

std::string GameName(int i)
{
    return "Game" + std::to_string(i);
}

std::string ManySections()
{
    std::string bytes = "[VantorKorb]\r\nVersion=0.33.8\r\n\r\n";
    for (int i = 0; i < kGames; ++i)
        bytes += "[" + GameName(i) + "]\r\nCurScrShot=" + std::to_string(i % 5) + "\r\n\r\n";
    return bytes;
}

void BM_LoadAndReadEveryGame(benchmark::State& state)
{
    const std::string bytes = ManySections();
    std::vector<std::string> names;
    for (int i = 0; i < kGames; ++i)
        names.push_back(GameName(i));
    for (auto _ : state) {
        const TSettingsFile file = TSettingsFile::FromBytes(bytes);
        long sum = 0;
        for (const std::string& name : names)
            sum += file.ReadInteger(name, "CurScrShot", 0);
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_LoadAndReadEveryGame)->Unit(benchmark::kMillisecond);

void BM_WriteEveryGame(benchmark::State& state)
{
    std::vector<std::string> names;
    for (int i = 0; i < kGames; ++i)
        names.push_back(GameName(i));
    for (auto _ : state) {
        TSettingsFile file = TSettingsFile::FromBytes(std::string());
        for (const std::string& name : names)
            file.WriteInteger(name, "CurScrShot", 3);
        benchmark::DoNotOptimize(file.ToBytes());
    }
}
BENCHMARK(BM_WriteEveryGame)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

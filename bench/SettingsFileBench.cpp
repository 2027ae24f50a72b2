// The main settings file of a 100,000-game catalogue: parsing it, reading every game's entry, the start's
// read of the whole record and the close's save.
#include <filesystem>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>
#include <unistd.h>

#include "app/MainSettings.h"
#include "base/SettingsFile.h"

namespace {

constexpr int kGames = 100000;

std::string GameName(int i)
{
    std::string digits = std::to_string(i);
    return "g" + std::string(6 - digits.size(), '0') + digits;
}

std::vector<std::string> GameNames()
{
    std::vector<std::string> names;
    names.reserve(kGames);
    for (int i = 0; i < kGames; ++i)
        names.push_back(GameName(i));
    return names;
}

// What a close of a 100,000-game catalogue leaves behind (about 2.7 MB).
const TMainSettingsRecord& SavedRecord()
{
    static const TMainSettingsRecord record = [] {
        TMainSettingsRecord r;
        r.ZipRomPath[0] = "/home/player/roms/";
        for (const std::string& name : GameNames())
            r.CurScrShots.emplace_back(name, static_cast<int32_t>(name.back() - '0') % 5);
        return r;
    }();
    return record;
}

// A file of its own in the temporary folder, removed at the end.
class TBenchFile
{
public:
    TBenchFile()
        : m_path((std::filesystem::temp_directory_path() /
                  ("vantorkorb-settingsbench-" + std::to_string(::getpid()) + ".ini"))
                     .string())
    {
    }
    ~TBenchFile() { std::filesystem::remove(m_path); }
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

std::string SavedBytes()
{
    TBenchFile file;
    SaveMainSettingsFile(file.Path(), SavedRecord());
    return TSettingsFile::Open(file.Path()).ToBytes();
}

void BM_Parse100k(benchmark::State& state)
{
    const std::string bytes = SavedBytes();
    for (auto _ : state) {
        const TSettingsFile file = TSettingsFile::FromBytes(bytes);
        benchmark::DoNotOptimize(&file);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes.size()));
}
BENCHMARK(BM_Parse100k)->Unit(benchmark::kMillisecond);

void BM_ParseAndReadEveryGame100k(benchmark::State& state)
{
    const std::string bytes = SavedBytes();
    const std::vector<std::string> names = GameNames();
    for (auto _ : state) {
        const TSettingsFile file = TSettingsFile::FromBytes(bytes);
        long sum = 0;
        for (const std::string& name : names)
            sum += file.ReadInteger(name, "CurScrShot", 0);
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_ParseAndReadEveryGame100k)->Unit(benchmark::kMillisecond);

void BM_ReadMainSettingsFile100k(benchmark::State& state)
{
    TBenchFile file;
    SaveMainSettingsFile(file.Path(), SavedRecord());
    for (auto _ : state) {
        const TMainSettingsRecord record = ReadMainSettingsFile(file.Path());
        benchmark::DoNotOptimize(record.CurScrShots.data());
    }
}
BENCHMARK(BM_ReadMainSettingsFile100k)->Unit(benchmark::kMillisecond);

void BM_SaveMainSettingsFile100k(benchmark::State& state)
{
    TBenchFile file;
    const TMainSettingsRecord& record = SavedRecord();
    for (auto _ : state)
        SaveMainSettingsFile(file.Path(), record);
}
BENCHMARK(BM_SaveMainSettingsFile100k)->Unit(benchmark::kMillisecond);

void BM_WriteEveryGame100k(benchmark::State& state)
{
    const std::vector<std::string> names = GameNames();
    for (auto _ : state) {
        TSettingsFile file = TSettingsFile::FromBytes(std::string());
        for (const std::string& name : names)
            file.WriteInteger(name, "CurScrShot", 3);
        benchmark::DoNotOptimize(file.ToBytes());
    }
}
BENCHMARK(BM_WriteEveryGame100k)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

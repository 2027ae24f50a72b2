// Installed detection of 30,000 games over "ziproms/", "roms/" and three extra zipped rom paths, and of
// 100,000 games with a third of them in "ziproms/" (with and without an extra path), dates alone included.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include <benchmark/benchmark.h>

#include "catalogue/InstalledGames.h"

namespace fs = std::filesystem;

namespace {
constexpr int kGames = 30000;

// Every fifth game is missing; the others are spread over the five places, some in another letter case.
std::string PlaceOf(int i, const TZipRomPaths& extra)
{
    std::string zip = "game" + std::to_string(i);
    std::string upper = "GAME" + std::to_string(i) + ".ZIP";
    switch (i % 5) {
    case 0:
        return i % 2 ? "ziproms/" + upper : "ziproms/" + zip + ".zip";
    case 1:
        return "roms/" + zip + "/";
    case 2:
        return extra[0] + zip + ".zip";
    case 3:
        return (i % 2 ? extra[1] : extra[2]) + (i % 3 ? upper : zip + ".zip");
    default:
        return {};
    }
}

class TEmulatorFolder
{
public:
    TEmulatorFolder()
        : m_root(fs::temp_directory_path() / ("vantorkorb-detectbench-" + std::to_string(::getpid())))
    {
        fs::create_directories(m_root / "ziproms");
        fs::create_directories(m_root / "roms");
        for (int i = 0; i < 3; ++i) {
            Paths[static_cast<size_t>(i)] = (m_root / ("extra" + std::to_string(i))).string() + "/";
            fs::create_directories(Paths[static_cast<size_t>(i)]);
        }
        // Unrelated files make the folders as large as a real collection's.
        for (int i = 0; i < kGames; ++i) {
            std::string place = PlaceOf(i, Paths);
            fs::path path = place.empty() || place[0] == '/' ? fs::path(place) : m_root / place;
            if (place.empty()) {
                std::ofstream((m_root / "ziproms" / ("other" + std::to_string(i) + ".zip")).string()) << "PK";
            } else if (place.back() == '/') {
                fs::create_directories(path);
            } else {
                std::ofstream(path.string()) << "PK";
            }
        }
        for (int i = 0; i < kGames; ++i) {
            auto game = std::make_unique<TGameObject>();
            game->ZipName = "game" + std::to_string(i);
            Catalogue.AddGame(std::move(game));
        }
        m_saved = fs::current_path();
        fs::current_path(m_root);
    }

    ~TEmulatorFolder()
    {
        fs::current_path(m_saved);
        fs::remove_all(m_root);
    }

    TGameObjectList Catalogue;
    TZipRomPaths Paths;

private:
    fs::path m_root;
    fs::path m_saved;
};

void BM_UpdateInstallStates(benchmark::State& state)
{
    TEmulatorFolder folder;
    UpdateInstallStates(folder.Catalogue, folder.Paths); // warms the file-system cache
    for (auto _ : state) {
        UpdateInstallStates(folder.Catalogue, folder.Paths);
    }
    int counts[3] = {0, 0, 0};
    for (int i = 0; i < folder.Catalogue.Count(); ++i) {
        ++counts[folder.Catalogue.At(i).InstallState];
    }
    if (counts[0] != kGames / 5 || counts[1] != 2 * kGames / 5 || counts[2] != 2 * kGames / 5) {
        state.SkipWithError("unexpected install states");
    }
    state.counters["installed"] = counts[1];
    state.counters["extra_path"] = counts[2];
}
BENCHMARK(BM_UpdateInstallStates)->Unit(benchmark::kMillisecond);

constexpr int kLargeGames = 100000;

// A large collection as users keep one: every third game zipped in "ziproms/", a few unpacked in "roms/",
// and optionally every seventh of the rest on an extra path, a tenth of those in capitals.
class TLargeFolder
{
public:
    explicit TLargeFolder(bool withExtraPath)
        : m_root(fs::temp_directory_path() / ("vantorkorb-detectbench100k-" + std::to_string(::getpid())))
    {
        fs::create_directories(m_root / "ziproms");
        fs::create_directories(m_root / "roms");
        if (withExtraPath) {
            Paths[1] = (m_root / "extra").string() + "/";
            fs::create_directories(Paths[1]);
        }
        for (int i = 0; i < kLargeGames; ++i) {
            const std::string zip = ZipName(i);
            if (i % 3 == 0) {
                std::ofstream((m_root / "ziproms" / (zip + ".zip")).string()) << "PK";
                ++Installed;
            } else if (i % 5000 == 1) {
                fs::create_directories(m_root / "roms" / zip);
                ++Installed;
            } else if (withExtraPath && i % 7 == 0) {
                std::string name = i % 10 == 0 ? "G" + zip.substr(1) + ".ZIP" : zip + ".zip";
                std::ofstream(Paths[1] + name) << "PK";
                ++OnExtraPath;
            }
            auto game = std::make_unique<TGameObject>();
            game->ZipName = zip;
            Catalogue.AddGame(std::move(game));
        }
        m_saved = fs::current_path();
        fs::current_path(m_root);
    }

    ~TLargeFolder()
    {
        fs::current_path(m_saved);
        fs::remove_all(m_root);
    }

    static std::string ZipName(int i)
    {
        char name[16];
        std::snprintf(name, sizeof name, "g%06d", i);
        return name;
    }

    TGameObjectList Catalogue;
    TZipRomPaths Paths;
    int Installed = 0;
    int OnExtraPath = 0;

private:
    fs::path m_root;
    fs::path m_saved;
};

// Without dates the detection must leave every record undated, as the folder was made.
void CheckLarge(benchmark::State& state, const TLargeFolder& folder, bool dates = true)
{
    int counts[3] = {0, 0, 0};
    int dated = 0;
    for (int i = 0; i < folder.Catalogue.Count(); ++i) {
        ++counts[folder.Catalogue.At(i).InstallState];
        dated += folder.Catalogue.At(i).ZipDate.empty() ? 0 : 1;
    }
    if (counts[1] != folder.Installed || counts[2] != folder.OnExtraPath ||
        dated != (dates ? kLargeGames / 3 + 1 + folder.OnExtraPath : 0)) {
        state.SkipWithError("unexpected install states or dates");
    }
    state.counters["installed"] = counts[1];
    state.counters["extra_path"] = counts[2];
    state.counters["dated"] = dated;
}

void BM_UpdateInstallStates100k(benchmark::State& state)
{
    TLargeFolder folder(state.range(0) != 0);
    UpdateInstallStates(folder.Catalogue, folder.Paths);
    for (auto _ : state) {
        UpdateInstallStates(folder.Catalogue, folder.Paths);
    }
    CheckLarge(state, folder);
}
BENCHMARK(BM_UpdateInstallStates100k)->ArgName("extra_path")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The detection of a start whose list shows no date: no archive is opened for its time.
void BM_UpdateInstallStatesWithoutDates100k(benchmark::State& state)
{
    TLargeFolder folder(state.range(0) != 0);
    UpdateInstallStates(folder.Catalogue, folder.Paths, TZipDateRead::Skip);
    for (auto _ : state) {
        UpdateInstallStates(folder.Catalogue, folder.Paths, TZipDateRead::Skip);
    }
    CheckLarge(state, folder, false);
}
BENCHMARK(BM_UpdateInstallStatesWithoutDates100k)
    ->ArgName("extra_path")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);

void BM_UpdateZipDates100k(benchmark::State& state)
{
    TLargeFolder folder(false);
    UpdateInstallStates(folder.Catalogue, folder.Paths);
    for (auto _ : state) {
        UpdateZipDates(folder.Catalogue, folder.Paths);
    }
    CheckLarge(state, folder);
}
BENCHMARK(BM_UpdateZipDates100k)->Unit(benchmark::kMillisecond);
} // namespace

BENCHMARK_MAIN();

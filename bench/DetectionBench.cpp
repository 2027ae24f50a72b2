// Installed detection of 30,000 games over "ziproms/", "roms/" and three extra zipped rom paths.

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
            Catalogue.AddGame(std::make_unique<TGameObject>());
            Catalogue.At(i).ZipName = "game" + std::to_string(i);
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
} // namespace

BENCHMARK_MAIN();

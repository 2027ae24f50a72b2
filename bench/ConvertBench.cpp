// The screenshot converter on a folder of 1,000 game-play shots of 640x480 in 256 colours, as
// "Convert all to PNG" meets it: decode, write the PNG, read it back, delete the source. Files per second.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <benchmark/benchmark.h>

#include "ConvertTool.h"
#include "PcxEncoder.h"

namespace {

namespace fs = std::filesystem;

const fs::path kFolder = fs::temp_directory_path() / "vantorkorb-convert-bench";
constexpr int kShots = 1000;

// A screen of a game: bands of colour, sprites and some noise, so runs are of mixed length.
std::string MakeShot(int seed)
{
    TIndexedPicture picture;
    picture.Width = 640;
    picture.Height = 480;
    picture.Pixels.resize(static_cast<size_t>(picture.Width) * picture.Height);
    unsigned state = static_cast<unsigned>(seed) * 2654435761u + 1;
    for (int y = 0; y < picture.Height; ++y) {
        for (int x = 0; x < picture.Width; ++x) {
            state = state * 1103515245u + 12345u;
            const bool sprite = ((x / 24 + y / 24 + seed) % 7) == 0;
            const int value = sprite ? static_cast<int>((state >> 16) % 256) : (y / 8 + seed) % 64;
            picture.Pixels[static_cast<size_t>(y) * picture.Width + x] = static_cast<uint8_t>(value);
        }
    }
    for (int i = 0; i < 768; ++i)
        picture.Palette[static_cast<size_t>(i)] = static_cast<uint8_t>((i * 37 + seed) % 256);
    return EncodePcx256(picture);
}

void FillFolder(const std::vector<std::string>& shots)
{
    fs::remove_all(kFolder / "Gameplay");
    fs::create_directories(kFolder / "Gameplay");
    for (int i = 0; i < kShots; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "game%02d.%03d.pcx", i / 100, i % 100 + 1);
        std::ofstream(kFolder / "Gameplay" / name, std::ios::binary)
            << shots[static_cast<size_t>(i) % shots.size()];
    }
}

void BM_ConvertFolder(benchmark::State& state)
{
    std::vector<std::string> shots;
    for (int seed = 0; seed < 16; ++seed)
        shots.push_back(MakeShot(seed));
    std::FILE* quiet = std::fopen("/dev/null", "w");
    const std::string pattern = (kFolder / "Gameplay").string() + "/*.*";
    for (auto _ : state) {
        state.PauseTiming();
        FillFolder(shots);
        state.ResumeTiming();
        const int status = RunConverter({"-v.", "-out", "png", "-D", pattern}, quiet, quiet);
        if (status != 0)
            state.SkipWithError("the converter reported a failure");
    }
    std::fclose(quiet);
    fs::remove_all(kFolder);
    state.SetItemsProcessed(state.iterations() * kShots);
    state.counters["files_per_second"] =
        benchmark::Counter(static_cast<double>(state.iterations() * kShots), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ConvertFolder)->Unit(benchmark::kSecond)->Iterations(2)->UseRealTime();

} // namespace

BENCHMARK_MAIN();

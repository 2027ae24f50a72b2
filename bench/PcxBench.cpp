// PCX decoding speed: dithered 256-colour photos decoded into a QImage, next to Pillow on the same files
// timed in the same run (the counter "vs_pillow" is our time over Pillow's), and large pictures decoded
// reduced as the screenshot viewer shows them.

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include <sys/resource.h>

#include <benchmark/benchmark.h>

#include "images/Pcxctrl.h"
#include "images/PictureFormats.h"

namespace {

const std::filesystem::path kFolder = std::filesystem::temp_directory_path() / "vantorkorb-pcx-bench";

// A synthetic photo (smooth gradients, a fractal and grain) reduced to 256 colours with dithering, so the
// run-length data is mostly short literal stretches as in real screenshots of photos.
const char* kMakeScript = R"(
import random, sys
from PIL import Image, ImageChops
random.seed(3)
for w, h in ((640, 480), (1024, 768)):
    r = Image.linear_gradient('L').resize((w, h))
    g = Image.radial_gradient('L').resize((w, h))
    b = Image.effect_mandelbrot((w, h), (-2.0, -1.2, 0.8, 1.2), 60)
    grain = Image.effect_noise((w, h), 24)
    photo = Image.merge('RGB', (ImageChops.add(r, grain, 1, -64), g, ImageChops.add(b, grain, 1, -64)))
    photo.convert('P', palette=Image.ADAPTIVE, colors=256, dither=Image.FLOYDSTEINBERG).save(
        '%s/photo%dx%d.pcx' % (sys.argv[1], w, h))
# Large pictures of flat areas, as a drawing program would save them.
from PIL import ImageDraw
for side in (6000, 10000):
    im = Image.new('P', (side, side), 0)
    d = ImageDraw.Draw(im)
    for i in range(30):
        d.rectangle([i * side // 97, i * side // 53, side - i * side // 71, side - i * side // 89], fill=i * 7 + 1)
    im.save('%s/flat%d.pcx' % (sys.argv[1], side))
)";

// Prints "<name> <seconds per open and load>" for each file.
const char* kPillowTiming = R"(
import sys, time, timeit
from PIL import Image
for name in sys.argv[2:]:
    path = sys.argv[1] + '/' + name
    n = 200
    t = min(timeit.repeat(lambda: Image.open(path).load(), number=n, repeat=5, timer=time.process_time)) / n
    print(name, t)
)";

// Pillow's processor seconds per decode of each photo, measured once before the benchmarks run.
std::map<std::string, double>& PillowSeconds()
{
    static std::map<std::string, double> seconds;
    return seconds;
}

std::string ReadAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::string WriteScript(const char* name, const char* text)
{
    const std::filesystem::path path = kFolder / name;
    std::ofstream(path) << text;
    return path.string();
}

void DecodePhoto(benchmark::State& state, const std::string& name)
{
    const std::string bytes = ReadAll(kFolder / name);
    if (bytes.empty()) {
        state.SkipWithError("the photo could not be made (Pillow missing?)");
        return;
    }
    const std::clock_t start = std::clock();
    for (auto _ : state) {
        TPCXBitmap bitmap;
        if (!bitmap.LoadFromBytes(bytes))
            state.SkipWithError(bitmap.Error().c_str());
        benchmark::DoNotOptimize(bitmap.Image().constBits());
    }
    // Processor time on both sides, so that other work on the machine weighs on neither.
    const double elapsed = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * bytes.size());
    const double pillow = PillowSeconds()[name];
    if (pillow > 0 && state.iterations() > 0)
        state.counters["vs_pillow"] = elapsed / static_cast<double>(state.iterations()) / pillow;
}

// A large picture as the viewer asks for it: reduced to at most kMaxShownSide a side.
void DecodeLarge(benchmark::State& state, const std::string& name)
{
    const std::string bytes = ReadAll(kFolder / name);
    if (bytes.empty()) {
        state.SkipWithError("the picture could not be made (Pillow missing?)");
        return;
    }
    for (auto _ : state) {
        const TPictureResult result = DecodePicture("pcx", bytes, kMaxShownSide);
        if (!result.Ok())
            state.SkipWithError(result.Error.c_str());
        benchmark::DoNotOptimize(result.Image.constBits());
    }
    // The whole process's peak so far: the benchmarks before this one hold far less.
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_rss_mb"] = static_cast<double>(usage.ru_maxrss) / 1024;
}

void BM_PcxFlat6000Reduced(benchmark::State& state)
{
    DecodeLarge(state, "flat6000.pcx");
}

void BM_PcxFlat10000Reduced(benchmark::State& state)
{
    DecodeLarge(state, "flat10000.pcx");
}

void BM_PcxPhoto640x480(benchmark::State& state)
{
    DecodePhoto(state, "photo640x480.pcx");
}

void BM_PcxPhoto1024x768(benchmark::State& state)
{
    DecodePhoto(state, "photo1024x768.pcx");
}

// The BMP the same decoding builds, and QImage reading that BMP.
void BM_PcxPhoto640x480BitmapOnly(benchmark::State& state)
{
    const std::string bytes = ReadAll(kFolder / "photo640x480.pcx");
    for (auto _ : state) {
        TPcxInStream input(bytes);
        TPCXBitmap bitmap;
        benchmark::DoNotOptimize(bitmap.DecodeToBitmapStream(input));
    }
}

void BM_PcxPhoto640x480QImageOnly(benchmark::State& state)
{
    const std::string bytes = ReadAll(kFolder / "photo640x480.pcx");
    TPcxInStream input(bytes);
    const std::optional<QByteArray> bmp = TPCXBitmap().DecodeToBitmapStream(input);
    for (auto _ : state) {
        QImage image;
        benchmark::DoNotOptimize(image.loadFromData(*bmp, "BMP"));
    }
}

BENCHMARK(BM_PcxPhoto640x480)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PcxPhoto640x480BitmapOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PcxPhoto640x480QImageOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PcxPhoto1024x768)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PcxFlat6000Reduced)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PcxFlat10000Reduced)->Unit(benchmark::kMillisecond);

void MeasurePillow(const std::string& folder)
{
    const std::string command = "/usr/bin/python3 '" + WriteScript("time.py", kPillowTiming) + "' " + folder +
                                " photo640x480.pcx photo1024x768.pcx";
    std::FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return;
    char name[64];
    double seconds = 0;
    while (std::fscanf(pipe, "%63s %lf", name, &seconds) == 2) {
        PillowSeconds()[name] = seconds;
        std::printf("Pillow open+load %-18s %.3f ms\n", name, seconds * 1000);
    }
    pclose(pipe);
}

} // namespace

int main(int argc, char** argv)
{
    std::filesystem::create_directories(kFolder);
    const std::string folder = "'" + kFolder.string() + "'";
    if (std::system(("/usr/bin/python3 '" + WriteScript("make.py", kMakeScript) + "' " + folder).c_str()) !=
        0)
        std::fprintf(stderr, "making the photos with Pillow failed\n");
    MeasurePillow(folder);
    std::fflush(stdout);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(kFolder);
    return 0;
}

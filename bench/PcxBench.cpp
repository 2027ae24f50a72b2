// PCX decoding speed: dithered 256-colour photos decoded into a QImage, next to Pillow on the same files.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <benchmark/benchmark.h>

#include "images/Pcxctrl.h"

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
)";

const char* kPillowTiming = R"(
import sys, timeit
from PIL import Image
for name in sys.argv[2:]:
    path = sys.argv[1] + '/' + name
    n = 200
    t = min(timeit.repeat(lambda: Image.open(path).load(), number=n, repeat=5)) / n
    print('Pillow open+load %-18s %.3f ms' % (name, t * 1000))
)";

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
    for (auto _ : state) {
        TPCXBitmap bitmap;
        if (!bitmap.LoadFromBytes(bytes))
            state.SkipWithError(bitmap.Error().c_str());
        benchmark::DoNotOptimize(bitmap.Image().constBits());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * bytes.size());
}

void BM_PcxPhoto640x480(benchmark::State& state)
{
    DecodePhoto(state, "photo640x480.pcx");
}

void BM_PcxPhoto1024x768(benchmark::State& state)
{
    DecodePhoto(state, "photo1024x768.pcx");
}

// The two halves of the work: the run-length decoding into the BMP, and QImage reading that BMP.
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

} // namespace

int main(int argc, char** argv)
{
    std::filesystem::create_directories(kFolder);
    const std::string folder = "'" + kFolder.string() + "'";
    if (std::system(("/usr/bin/python3 '" + WriteScript("make.py", kMakeScript) + "' " + folder).c_str()) !=
        0)
        std::fprintf(stderr, "making the photos with Pillow failed\n");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::fflush(stdout);
    std::system(("/usr/bin/python3 '" + WriteScript("time.py", kPillowTiming) + "' " + folder +
                 " photo640x480.pcx photo1024x768.pcx")
                    .c_str());
    std::filesystem::remove_all(kFolder);
    return 0;
}

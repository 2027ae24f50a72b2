// PNG speed: a 640x480 RGBA file loaded and drawn onto its 24-bit canvas, next to a bare libpng decode of
// the same file in the same run (the counter "vs_bare" is the ratio), and a 16384 x 16384 RGBA file shown
// reduced as the screenshot viewer shows it.

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <sys/resource.h>

#include <benchmark/benchmark.h>
#include <png.h>

#include "images/PngImage.h"
#include "images/ScreenshotLoad.h"

namespace {

const std::filesystem::path kFolder = std::filesystem::temp_directory_path() / "vantorkorb-png-bench";
const std::string kPhoto = (kFolder / "photo640x480.png").string();
const std::string kLarge = (kFolder / "large16384.png").string();

// A photo-like RGBA picture whose alpha varies smoothly, so every blending case occurs.
const char* kMakeScript = R"(
import sys
from PIL import Image, ImageChops
w, h = 640, 480
r = Image.linear_gradient('L').resize((w, h))
g = Image.radial_gradient('L').resize((w, h))
b = Image.effect_mandelbrot((w, h), (-2.0, -1.2, 0.8, 1.2), 60)
grain = Image.effect_noise((w, h), 24)
a = Image.linear_gradient('L').rotate(90).resize((w, h))
Image.merge('RGBA', (ImageChops.add(r, grain, 1, -64), g, b, a)).save(sys.argv[1])
)";

// 16384 x 16384 RGBA in bands, written row by row so that making it needs little memory.
const char* kMakeLargeScript = R"(
import struct, sys, zlib
def chunk(kind, data):
    return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data) & 0xFFFFFFFF)
side = 16384
bands = [b''.join(bytes((cx * 16, b * 16, (cx + b) * 8 % 256, 200)) * 1024 for cx in range(16)) for b in range(16)]
z = zlib.compressobj(6)
idat = [z.compress(b'\0' + bands[y // 1024]) for y in range(side)]
idat.append(z.flush())
with open(sys.argv[1], 'wb') as f:
    f.write(b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', side, side, 8, 6, 0, 0, 0)))
    f.write(chunk(b'IDAT', b''.join(idat)) + chunk(b'IEND', b''))
)";

// Seconds per bare decode, from the benchmark that runs first.
double g_bareSeconds = 0;

// Processor seconds, so that other work on the machine weighs on neither side.
double SecondsPerIteration(const benchmark::State& state, std::clock_t start)
{
    const double elapsed = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
    return state.iterations() > 0 ? elapsed / static_cast<double>(state.iterations()) : 0;
}

// libpng alone: rows into one buffer, no transformation.
bool BareDecode(const std::string& path, std::vector<png_byte>& pixels)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    std::vector<png_bytep> rows;
    bool ok = false;
    if (!setjmp(png_jmpbuf(png))) {
        png_init_io(png, file);
        png_read_info(png, info);
        png_read_update_info(png, info);
        const png_size_t rowBytes = png_get_rowbytes(png, info);
        const png_uint_32 height = png_get_image_height(png, info);
        pixels.resize(rowBytes * height);
        rows.resize(height);
        for (png_uint_32 y = 0; y < height; ++y)
            rows[y] = pixels.data() + rowBytes * y;
        png_read_image(png, rows.data());
        ok = true;
    }
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(file);
    return ok;
}

void BM_PngBareLibpng640x480(benchmark::State& state)
{
    std::vector<png_byte> pixels;
    const std::clock_t start = std::clock();
    for (auto _ : state) {
        if (!BareDecode(kPhoto, pixels))
            state.SkipWithError("libpng could not read the photo");
        benchmark::DoNotOptimize(pixels.data());
    }
    g_bareSeconds = SecondsPerIteration(state, start);
}

void BM_PngLoadAndDraw640x480(benchmark::State& state)
{
    const std::clock_t start = std::clock();
    for (auto _ : state) {
        TPngGraphic png;
        try {
            png.LoadFromFile(kPhoto);
        } catch (const TPngError& e) {
            state.SkipWithError(e.what());
            break;
        }
        QImage canvas = DrawOnNewCanvas24(png);
        benchmark::DoNotOptimize(canvas.constBits());
    }
    if (g_bareSeconds > 0)
        state.counters["vs_bare"] = SecondsPerIteration(state, start) / g_bareSeconds;
}

// Qt's own reader of the same file, libpng below it too; "vs_qt" of the load above is against this.
double g_qtSeconds = 0;

void BM_PngQtReader640x480(benchmark::State& state)
{
    const std::clock_t start = std::clock();
    for (auto _ : state) {
        QImage image(QString::fromStdString(kPhoto), "PNG");
        if (image.isNull())
            state.SkipWithError("Qt could not read the photo");
        benchmark::DoNotOptimize(image.constBits());
    }
    g_qtSeconds = SecondsPerIteration(state, start);
}

// The load the screenshot viewer does, decoded and over white on its 24-bit canvas.
void BM_PngLoadAndDrawVsQt640x480(benchmark::State& state)
{
    const std::clock_t start = std::clock();
    for (auto _ : state) {
        TPngGraphic png;
        png.LoadFromFile(kPhoto);
        QImage canvas = DrawOnNewCanvas24(png);
        benchmark::DoNotOptimize(canvas.constBits());
    }
    if (g_qtSeconds > 0)
        state.counters["vs_qt"] = SecondsPerIteration(state, start) / g_qtSeconds;
}

// The two halves of the work: the decode with its transformations, and the drawing.
void BM_PngLoadOnly640x480(benchmark::State& state)
{
    for (auto _ : state) {
        TPngGraphic png;
        png.LoadFromFile(kPhoto);
        benchmark::DoNotOptimize(png.Image());
    }
}

void BM_PngDrawOnly640x480(benchmark::State& state)
{
    TPngGraphic png;
    png.LoadFromFile(kPhoto);
    for (auto _ : state) {
        QImage canvas = DrawOnNewCanvas24(png);
        benchmark::DoNotOptimize(canvas.constBits());
    }
}

void BM_PngLarge16384Shown(benchmark::State& state)
{
    for (auto _ : state) {
        const TPictureResult result = LoadScreenshotFile(kLarge);
        if (!result.Ok())
            state.SkipWithError(result.Error.c_str());
        benchmark::DoNotOptimize(result.Image.constBits());
    }
    // The whole process's peak so far: the benchmarks before this one hold far less.
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_rss_mb"] = static_cast<double>(usage.ru_maxrss) / 1024;
}

BENCHMARK(BM_PngBareLibpng640x480)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PngLoadAndDraw640x480)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PngQtReader640x480)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PngLoadAndDrawVsQt640x480)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PngLoadOnly640x480)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PngDrawOnly640x480)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PngLarge16384Shown)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    std::filesystem::create_directories(kFolder);
    const std::string script = (kFolder / "make.py").string();
    std::ofstream(script) << kMakeScript;
    if (std::system(("/usr/bin/python3 '" + script + "' '" + kPhoto + "'").c_str()) != 0)
        std::fprintf(stderr, "making the photo with Pillow failed\n");
    const std::string largeScript = (kFolder / "make-large.py").string();
    std::ofstream(largeScript) << kMakeLargeScript;
    if (std::system(("/usr/bin/python3 '" + largeScript + "' '" + kLarge + "'").c_str()) != 0)
        std::fprintf(stderr, "making the large picture failed\n");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(kFolder);
    return 0;
}

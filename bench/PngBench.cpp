// PNG speed: a 640x480 RGBA file loaded and drawn onto its 24-bit canvas, next to a bare libpng decode.

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>
#include <png.h>

#include "images/PngImage.h"

namespace {

const std::filesystem::path kFolder = std::filesystem::temp_directory_path() / "vantorkorb-png-bench";
const std::string kPhoto = (kFolder / "photo640x480.png").string();

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
    for (auto _ : state) {
        if (!BareDecode(kPhoto, pixels))
            state.SkipWithError("libpng could not read the photo");
        benchmark::DoNotOptimize(pixels.data());
    }
}

void BM_PngLoadAndDraw640x480(benchmark::State& state)
{
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
}

BENCHMARK(BM_PngBareLibpng640x480)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PngLoadAndDraw640x480)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    std::filesystem::create_directories(kFolder);
    const std::string script = (kFolder / "make.py").string();
    std::ofstream(script) << kMakeScript;
    if (std::system(("/usr/bin/python3 '" + script + "' '" + kPhoto + "'").c_str()) != 0)
        std::fprintf(stderr, "making the photo with Pillow failed\n");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(kFolder);
    return 0;
}

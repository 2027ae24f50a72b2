#include "PngWrite.h"

#include <cstring>
#include <vector>

#include <png.h>

#include "images/PngImage.h"

namespace {

struct TPngWriteJob
{
    const QImage* Pixels = nullptr;
    std::vector<png_bytep> Rows;
    char Message[256] = {};
};

void OnPngError(png_structp png, png_const_charp message)
{
    auto* job = static_cast<TPngWriteJob*>(png_get_error_ptr(png));
    std::snprintf(job->Message, sizeof job->Message, "%s", message);
    png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}

// Only plain data lives in this frame, so libpng's long jump skips no destructor.
bool RunWrite(png_structp png, png_infop info, std::FILE* file, TPngWriteJob& job)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_init_io(png, file);
    const bool alpha = job.Pixels->format() == QImage::Format_RGBA8888;
    png_set_IHDR(png, info, static_cast<png_uint_32>(job.Pixels->width()),
                 static_cast<png_uint_32>(job.Pixels->height()), 8,
                 alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, 6);
    png_write_info(png, info);
    png_write_image(png, job.Rows.data());
    png_write_end(png, info);
    return true;
}

} // namespace

QImage PngPixels(const QImage& picture)
{
    return picture.convertToFormat(picture.hasAlphaChannel() ? QImage::Format_RGBA8888
                                                             : QImage::Format_RGB888);
}

bool WritePngFile(std::FILE* file, const QImage& picture, std::string& error)
{
    const QImage pixels = PngPixels(picture);
    if (pixels.isNull()) {
        error = "out of memory";
        return false;
    }
    TPngWriteJob job;
    job.Pixels = &pixels;
    job.Rows.resize(static_cast<size_t>(pixels.height()));
    for (int y = 0; y < pixels.height(); ++y)
        job.Rows[static_cast<size_t>(y)] = const_cast<png_bytep>(pixels.constScanLine(y));
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &job, OnPngError, OnPngWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    bool ok = png && info && RunWrite(png, info, file, job);
    png_destroy_write_struct(png ? &png : nullptr, info ? &info : nullptr);
    ok = ok && std::fflush(file) == 0 && !std::ferror(file);
    if (!ok)
        error = job.Message[0] ? job.Message : "cannot write the file";
    return ok;
}

bool PngHoldsPixels(const std::string& bytes, const QImage& pixels)
{
    TPngGraphic graphic;
    try {
        graphic.LoadFromBytes(bytes);
    } catch (const TPngError&) {
        return false;
    }
    const TPngImage* image = graphic.Image();
    const bool alpha = pixels.format() == QImage::Format_RGBA8888;
    if (!image || image->Width != pixels.width() || image->Height != pixels.height() ||
        image->BitDepth != 8 || image->BytesPerPixel != (alpha ? 4 : 3))
        return false;
    for (int y = 0; y < image->Height; ++y) {
        const std::uint8_t* read = image->Row(y);
        const std::uint8_t* want = pixels.constScanLine(y);
        for (size_t i = 0; i < image->RowBytes(); ++i) {
            // The reader hands alpha inverted: 0 is opaque.
            const bool isAlpha = alpha && i % 4 == 3;
            if (read[i] != (isAlpha ? 255 - want[i] : want[i]))
                return false;
        }
    }
    return true;
}

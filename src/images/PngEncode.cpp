#include "images/PngEncode.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

#include <png.h>

#include "images/PngCallbacks.h"
#include "images/PngImage.h"

namespace {

// Below this share of pixels equal to their left neighbour a picture is taken for a photo.
constexpr double kFlatShare = 0.5;
// Measured on 640x480 screens (bench/convert-vs-pillow.py): flat game screens shrink by a quarter from level
// 3 to 6 for 2 ms more; dithered photos shrink by 1.5% from level 1 to 2 for a fifth more time, and by
// nothing more above.
constexpr int kFlatLevel = 6;
constexpr int kPhotoLevel = 1;

struct TPngWriteJob
{
    std::string* Out = nullptr;
    bool OutOfMemory = false;
    char Message[256] = {};
};

void OnPngWriteError(png_structp png, png_const_charp message)
{
    auto* job = static_cast<TPngWriteJob*>(png_get_error_ptr(png));
    std::snprintf(job->Message, sizeof job->Message, "%s", message);
    png_longjmp(png, 1);
}

void AppendToString(png_structp png, png_bytep data, png_size_t count)
{
    auto* job = static_cast<TPngWriteJob*>(png_get_io_ptr(png));
    try {
        job->Out->append(reinterpret_cast<const char*>(data), count);
    } catch (const std::bad_alloc&) {
        job->OutOfMemory = true;
    }
    // Outside the handler: libpng's long jump must not leave a catch block.
    if (job->OutOfMemory)
        png_error(png, "out of memory");
}

void FlushNothing(png_structp) {}

int HighestIndex(const QImage& picture)
{
    // QImage's accessors are calls: asked once, not per pixel.
    const int width = picture.width(), height = picture.height();
    uchar highest = 0;
    for (int y = 0; y < height; ++y) {
        const uchar* row = picture.constScanLine(y);
        for (int x = 0; x < width; ++x)
            highest = std::max(highest, row[x]);
    }
    return highest;
}

int BitsFor(int colours)
{
    return colours <= 2 ? 1 : colours <= 4 ? 2 : colours <= 16 ? 4 : 8;
}

// Fewest bits per index that hold the table; 0 when the picture cannot be a palette PNG. A full table
// holds any index, so only a shorter one needs the pixels scanned.
int PaletteBits(const QImage& picture)
{
    if (picture.format() != QImage::Format_Indexed8)
        return 0;
    const QList<QRgb> table = picture.colorTable();
    if (table.isEmpty() || table.size() > 256)
        return 0;
    for (const QRgb colour : table)
        if (qAlpha(colour) != 255)
            return 0;
    const int colours = static_cast<int>(table.size());
    return colours == 256 || HighestIndex(picture) < colours ? BitsFor(colours) : 0;
}

struct TPngLayout
{
    int ColorType = PNG_COLOR_TYPE_RGB;
    int BitDepth = 8;
    int Level = kFlatLevel;
    std::vector<png_color> Palette;
};

// Only plain data lives in this frame, so libpng's long jump skips no destructor.
bool RunWrite(png_structp png, png_infop info, const QImage& pixels, const TPngLayout& layout,
              png_bytepp rows)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_IHDR(png, info, static_cast<png_uint_32>(pixels.width()),
                 static_cast<png_uint_32>(pixels.height()), layout.BitDepth, layout.ColorType,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (layout.ColorType == PNG_COLOR_TYPE_PALETTE) {
        png_set_PLTE(png, info, layout.Palette.data(), static_cast<int>(layout.Palette.size()));
        // Differences of indices mean nothing; filtering would only cost time and size.
        png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    }
    png_set_compression_level(png, layout.Level);
    png_write_info(png, info);
    if (layout.BitDepth < 8)
        png_set_packing(png);
    png_write_image(png, rows);
    png_write_end(png, info);
    return true;
}

} // namespace

int PngCompressionLevel(const QImage& picture)
{
    const int pixelBytes = picture.depth() / 8;
    const int width = picture.width(), height = picture.height();
    if (pixelBytes <= 0 || width < 2)
        return kFlatLevel;
    // Every eighth line tells enough.
    std::size_t same = 0, all = 0;
    for (int y = 0; y < height; y += 8) {
        const uchar* row = picture.constScanLine(y);
        for (int x = 1; x < width; ++x) {
            const uchar* pixel = row + std::size_t(x) * pixelBytes;
            bool equal = true;
            for (int i = 0; i < pixelBytes; ++i)
                equal = equal && pixel[i] == pixel[i - pixelBytes];
            same += equal;
        }
        all += static_cast<std::size_t>(width - 1);
    }
    return static_cast<double>(same) >= kFlatShare * static_cast<double>(all) ? kFlatLevel : kPhotoLevel;
}

bool EncodePng(const QImage& picture, std::string& png, std::string& error)
{
    TPngLayout layout;
    layout.BitDepth = PaletteBits(picture);
    QImage pixels = picture;
    if (layout.BitDepth > 0) {
        layout.ColorType = PNG_COLOR_TYPE_PALETTE;
        for (const QRgb colour : picture.colorTable())
            layout.Palette.push_back({static_cast<png_byte>(qRed(colour)),
                                      static_cast<png_byte>(qGreen(colour)),
                                      static_cast<png_byte>(qBlue(colour))});
    } else {
        const bool alpha = picture.hasAlphaChannel();
        pixels = picture.convertToFormat(alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
        layout.ColorType = alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB;
        layout.BitDepth = 8;
    }
    if (pixels.isNull()) {
        error = "out of memory";
        return false;
    }
    layout.Level = PngCompressionLevel(pixels);
    std::vector<png_bytep> rows(static_cast<std::size_t>(pixels.height()));
    for (int y = 0; y < pixels.height(); ++y)
        rows[static_cast<std::size_t>(y)] = const_cast<png_bytep>(pixels.constScanLine(y));
    png.clear();
    // Seldom more than half the pixel bytes: most pictures never grow the buffer.
    png.reserve(static_cast<std::size_t>(pixels.sizeInBytes()) / 2 + 4096);
    TPngWriteJob job;
    job.Out = &png;
    png_structp writer =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, &job, OnPngWriteError, png_callbacks::OnPngWarning);
    png_infop info = writer ? png_create_info_struct(writer) : nullptr;
    if (writer)
        png_set_write_fn(writer, &job, AppendToString, FlushNothing);
    const bool ok = writer && info && RunWrite(writer, info, pixels, layout, rows.data());
    png_destroy_write_struct(writer ? &writer : nullptr, info ? &info : nullptr);
    if (!ok)
        error = job.Message[0] ? job.Message : "cannot make the PNG";
    return ok;
}

bool PngHoldsPixels(const std::string& png, const QImage& picture)
{
    TPngGraphic graphic;
    try {
        graphic.LoadFromBytes(png);
    } catch (const TPngError&) {
        return false;
    }
    const TPngImage* image = graphic.Image();
    // The same choice as the encoder's: a picture that cannot be a palette PNG is held as RGB or RGBA.
    const bool indexed = PaletteBits(picture) > 0;
    const bool alpha = !indexed && picture.hasAlphaChannel();
    const QImage pixels =
        indexed ? picture : picture.convertToFormat(alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
    if (!image || pixels.isNull() || image->Width != pixels.width() || image->Height != pixels.height() ||
        image->BitDepth != 8 || image->BytesPerPixel != (alpha ? 4 : 3))
        return false;
    // The encoder made sure every index is in the table. Colours packed as the reader's bytes read.
    std::uint32_t rgb[256] = {};
    const QList<QRgb> table = pixels.colorTable();
    for (int i = 0; indexed && i < table.size(); ++i)
        rgb[i] = qRed(table[i]) | qGreen(table[i]) << 8 | std::uint32_t(qBlue(table[i])) << 16;
    const int width = image->Width;
    const size_t rowBytes = image->RowBytes();
    for (int y = 0; y < image->Height; ++y) {
        const std::uint8_t* read = image->Row(y);
        const std::uint8_t* want = pixels.constScanLine(y);
        if (indexed) {
            std::uint32_t differ = 0;
            for (int x = 0; x < width; ++x, read += 3)
                differ |= (read[0] | read[1] << 8 | std::uint32_t(read[2]) << 16) ^ rgb[want[x]];
            if (differ != 0)
                return false;
            continue;
        }
        for (size_t i = 0; i < rowBytes; ++i) {
            // The reader hands alpha inverted: 0 is opaque.
            const bool isAlpha = alpha && i % 4 == 3;
            if (read[i] != (isAlpha ? 255 - want[i] : want[i]))
                return false;
        }
    }
    return true;
}

// Decoding a PNG file or bytes through libpng, whole or reduced.
#include "images/PngImage.h"

#include <cstdlib>
#include <cstring>
#include <utility>

#include <png.h>

#include "base/FileKinds.h"
#include "images/PictureFormats.h"
#include "images/PngCallbacks.h"

using png_callbacks::OnPngError;
using png_callbacks::OnPngWarning;

namespace {

// Beyond this many decoded bytes a file is refused instead of allocated for.
constexpr std::size_t kMaxPngDataBytes = std::size_t{1} << 30;

struct TMemorySource
{
    const std::uint8_t* Data;
    std::size_t Size;
    std::size_t Position;
};

void ReadFromMemory(png_structp png, png_bytep target, png_size_t count)
{
    auto* source = static_cast<TMemorySource*>(png_get_io_ptr(png));
    if (count > source->Size - source->Position)
        png_error(png, "read past the end");
    std::memcpy(target, source->Data + source->Position, count);
    source->Position += count;
}

} // namespace

// The decoded state of one read, moved into the image only when the whole read succeeded.
struct TPngReadJob
{
    int MaxSide = 0;
    int BitDepth = 0;
    int ColorType = 0;
    int Width = 0;
    int Height = 0;
    int FullWidth = 0;
    int FullHeight = 0;
    int Factor = 1;
    int BytesPerPixel = 0;
    std::uint8_t* Data = nullptr;
    std::uint8_t** RowPointers = nullptr;
    std::uint8_t* Scratch = nullptr;

    ~TPngReadJob()
    {
        std::free(Data);
        std::free(RowPointers);
        std::free(Scratch);
    }

    void TakeHeader(png_structp png, png_infop info)
    {
        png_uint_32 width = 0, height = 0;
        png_get_IHDR(png, info, &width, &height, &BitDepth, &ColorType, nullptr, nullptr, nullptr);
        FullWidth = static_cast<int>(width);
        FullHeight = static_cast<int>(height);
        Factor = ReductionFactor(FullWidth, FullHeight, MaxSide);
        Width = (FullWidth + Factor - 1) / Factor;
        Height = (FullHeight + Factor - 1) / Factor;
    }

    void SetTransformations(png_structp png, png_infop info)
    {
        // The checksum of the whole decompressed data checks again what each chunk's CRC of the compressed
        // bytes has checked already; leaving it out is the largest saving on a large file. A reduced picture
        // inverts alpha and swaps 16-bit samples in the pixels it keeps only.
        png_set_option(png, PNG_IGNORE_ADLER32, PNG_OPTION_ON);
        if (Factor == 1)
            png_set_invert_alpha(png);
        if (ColorType == PNG_COLOR_TYPE_PALETTE && BitDepth <= 8)
            png_set_expand(png);
        if (ColorType == PNG_COLOR_TYPE_GRAY && BitDepth < 8)
            png_set_expand(png);
        if (png_get_valid(png, info, PNG_INFO_tRNS))
            png_set_expand(png);
        if (BitDepth < 8)
            png_set_packing(png);
        if (BitDepth == 16 && Factor == 1)
            png_set_swap(png);
        // A reduced picture takes its pixels from the seven passes itself.
        if (Factor == 1)
            png_set_interlace_handling(png);
    }

    bool Allocate(std::size_t fullRowBytes)
    {
        if (FullWidth <= 0 || Height <= 0 || fullRowBytes == 0 || fullRowBytes % FullWidth != 0)
            return false;
        BytesPerPixel = static_cast<int>(fullRowBytes / FullWidth);
        const std::size_t rowBytes = static_cast<std::size_t>(Width) * BytesPerPixel;
        if (rowBytes > kMaxPngDataBytes / static_cast<std::size_t>(Height))
            return false;
        Data = static_cast<std::uint8_t*>(std::malloc(rowBytes * Height));
        RowPointers = static_cast<std::uint8_t**>(std::malloc(sizeof(std::uint8_t*) * Height));
        if (Factor > 1)
            Scratch = static_cast<std::uint8_t*>(std::malloc(fullRowBytes));
        if (!Data || !RowPointers || (Factor > 1 && !Scratch))
            return false;
        for (int y = 0; y < Height; ++y)
            RowPointers[y] = Data + rowBytes * y;
        return true;
    }

    // Keeps the pixels of a decoded row (of a pass, or of the whole picture for pass -1) that fall on
    // every Factor-th column of every Factor-th line.
    void KeepSampledPixels(int pass, int passRow)
    {
        const int y = pass < 0 ? passRow : static_cast<int>(PNG_ROW_FROM_PASS_ROW(passRow, pass));
        if (y % Factor != 0)
            return;
        std::uint8_t* target = RowPointers[y / Factor];
        const auto pixel = static_cast<std::size_t>(BytesPerPixel);
        if (pass < 0) {
            for (int x = 0; x < FullWidth; x += Factor, target += pixel)
                KeepPixel(Scratch + std::size_t(x) * pixel, target);
            return;
        }
        const int columns = static_cast<int>(PNG_PASS_COLS(FullWidth, pass));
        for (int column = 0; column < columns; ++column) {
            const int x = static_cast<int>(PNG_COL_FROM_PASS_COL(column, pass));
            if (x % Factor == 0)
                KeepPixel(Scratch + std::size_t(column) * pixel, target + std::size_t(x / Factor) * pixel);
        }
    }

    // One pixel as the whole decode lays it out: 16-bit samples little-endian, alpha inverted.
    void KeepPixel(const std::uint8_t* source, std::uint8_t* target) const
    {
        std::memcpy(target, source, static_cast<std::size_t>(BytesPerPixel));
        const int sampleBytes = BitDepth == 16 ? 2 : 1;
        if (sampleBytes == 2)
            for (int i = 0; i < BytesPerPixel; i += 2)
                std::swap(target[i], target[i + 1]);
        if (ColorType & PNG_COLOR_MASK_ALPHA)
            for (int i = BytesPerPixel - sampleBytes; i < BytesPerPixel; ++i)
                target[i] = static_cast<std::uint8_t>(~target[i]);
    }

    // Every row is still decompressed, but only one at a time is held at full width.
    void ReadReduced(png_structp png, png_infop info)
    {
        if (png_get_interlace_type(png, info) == PNG_INTERLACE_NONE) {
            for (int y = 0; y < FullHeight; ++y) {
                png_read_row(png, Scratch, nullptr);
                KeepSampledPixels(-1, y);
            }
            return;
        }
        for (int pass = 0; pass < 7; ++pass) {
            // libpng skips empty passes too.
            const int rows = static_cast<int>(PNG_PASS_ROWS(FullHeight, pass));
            if (rows == 0 || PNG_PASS_COLS(FullWidth, pass) == 0)
                continue;
            for (int row = 0; row < rows; ++row) {
                png_read_row(png, Scratch, nullptr);
                KeepSampledPixels(pass, row);
            }
        }
    }

    // Only plain data lives in this frame, so libpng's long jump skips no destructor.
    bool Run(png_structp png, png_infop info)
    {
        if (setjmp(png_jmpbuf(png)))
            return false;
        png_set_user_limits(png, kMaxPictureSide, kMaxPictureSide);
        png_read_info(png, info);
        TakeHeader(png, info);
        SetTransformations(png, info);
        png_read_update_info(png, info);
        TakeHeader(png, info);
        if (!Allocate(png_get_rowbytes(png, info)))
            return false;
        if (Factor == 1)
            png_read_image(png, RowPointers);
        else
            ReadReduced(png, info);
        return true;
    }
};

namespace {

// Reads through an attached source; false on any libpng error. The structures are always destroyed.
template <typename TAttach> bool ReadPng(TPngReadJob& job, TAttach attach, bool& created)
{
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnPngError, OnPngWarning);
    created = png != nullptr;
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    bool ok = false;
    if (info) {
        attach(png);
        ok = job.Run(png, info);
    }
    png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
    return ok;
}

} // namespace

void TPngImage::Adopt(TPngReadJob& job)
{
    FreeData();
    BitDepth = job.BitDepth;
    ColorType = job.ColorType;
    Width = job.Width;
    Height = job.Height;
    m_fullSize = QSize(job.FullWidth, job.FullHeight);
    BytesPerPixel = job.BytesPerPixel;
    m_data = job.Data;
    m_rowPointers = job.RowPointers;
    job.Data = nullptr;
    job.RowPointers = nullptr;
}

void TPngImage::LoadFromFile(const std::string& name, int maxSide)
{
    // A pipe or a device in place of the file would block or never end.
    std::FILE* file = IsRegularFile(name) ? std::fopen(name.c_str(), "rb") : nullptr;
    if (!file)
        throw TPngError("Error Opening File " + name + "!");
    TPngReadJob job;
    job.MaxSide = maxSide;
    bool created = false;
    const bool ok = ReadPng(
        job, [file](png_structp png) { png_init_io(png, file); }, created);
    std::fclose(file);
    if (!created)
        return;
    if (!ok)
        throw TPngError("Error Reading File!");
    Adopt(job);
}

void TPngImage::LoadFromBytes(const std::string& bytes, int maxSide)
{
    TMemorySource source{reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), 0};
    TPngReadJob job;
    job.MaxSide = maxSide;
    bool created = false;
    const bool ok = ReadPng(
        job, [&source](png_structp png) { png_set_read_fn(png, &source, ReadFromMemory); }, created);
    if (!created)
        return;
    if (!ok)
        throw TPngError("Error Reading File!");
    Adopt(job);
}

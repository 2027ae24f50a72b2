#include "images/PngImage.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

#include <png.h>

#include <QPainter>

#include "base/AtomicFile.h"
#include "images/PictureFormats.h"

namespace {

// Beyond this many decoded bytes a file is refused instead of allocated for.
constexpr std::size_t kMaxPngDataBytes = std::size_t{1} << 30;

[[noreturn]] void OnPngError(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

// Damaged ancillary chunks only warn; the picture still decodes and stderr stays quiet.
void OnPngWarning(png_structp, png_const_charp) {}

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
        // A reduced picture inverts alpha and swaps 16-bit samples in the pixels it keeps only, and leaves
        // out the checksum of the whole decompressed data, the largest costs of a large file.
        if (Factor > 1)
            png_set_option(png, PNG_IGNORE_ADLER32, PNG_OPTION_ON);
        else
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

TPngImage* TPngImage::AddRef()
{
    ++m_refCount;
    return this;
}

void TPngImage::Release()
{
    if (--m_refCount <= 0)
        delete this;
}

TPngImage::~TPngImage()
{
    FreeData();
}

void TPngImage::FreeData()
{
    std::free(m_data);
    std::free(m_rowPointers);
    m_data = nullptr;
    m_rowPointers = nullptr;
}

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
    std::FILE* file = std::fopen(name.c_str(), "rb");
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

namespace {

struct TWriteJob
{
    const TPngImage& Image;
    std::uint8_t** Rows;

    bool Run(png_structp png, png_infop info, std::FILE* file)
    {
        if (setjmp(png_jmpbuf(png)))
            return false;
        png_init_io(png, file);
        png_set_IHDR(png, info, static_cast<png_uint_32>(Image.Width), static_cast<png_uint_32>(Image.Height),
                     Image.BitDepth, Image.ColorType, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                     PNG_FILTER_TYPE_DEFAULT);
        if (!Rows)
            return true;
        png_write_info(png, info);
        // The rows hold alpha inverted and 16-bit samples swapped; the file gets them the right way round.
        if (Image.ColorType & PNG_COLOR_MASK_ALPHA)
            png_set_invert_alpha(png);
        if (Image.BitDepth == 16)
            png_set_swap(png);
        png_write_image(png, Rows);
        png_write_end(png, info);
        return true;
    }
};

} // namespace

void TPngImage::SaveToFile(const std::string& name) const
{
    // A failed save leaves the old file whole.
    TAtomicFile out(name);
    std::FILE* file = out.Stream();
    if (!file)
        throw TPngError("Error Opening File " + name + "!");
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, OnPngError, OnPngWarning);
    if (!png)
        return;
    png_infop info = png_create_info_struct(png);
    TWriteJob job{*this, m_rowPointers};
    const bool ok = info && job.Run(png, info, file);
    png_destroy_write_struct(&png, info ? &info : nullptr);
    if (!ok || !out.Commit())
        throw TPngError("Error Writing File!");
}

namespace {

struct TPixelLayout
{
    int Channels = 0;
    int SampleBytes = 1;
};

TPixelLayout LayoutOf(const TPngImage& image)
{
    TPixelLayout layout;
    layout.SampleBytes = image.BitDepth == 16 ? 2 : 1;
    layout.Channels = image.BytesPerPixel / layout.SampleBytes;
    return layout;
}

// (t x background + (255 - t) x colour) / 255, truncated; the multiply and shift is exact for every
// value the sum can take.
inline std::uint8_t Mix(unsigned t, unsigned background, unsigned colour)
{
    return static_cast<std::uint8_t>(((t * background + (255 - t) * colour) * 32897u) >> 23);
}

inline void PutPixel(std::uint8_t* target, unsigned r, unsigned g, unsigned b, unsigned t)
{
    if (t == 0) {
        target[0] = static_cast<std::uint8_t>(b);
        target[1] = static_cast<std::uint8_t>(g);
        target[2] = static_cast<std::uint8_t>(r);
    } else if (t != 255) {
        target[0] = Mix(t, target[0], b);
        target[1] = Mix(t, target[1], g);
        target[2] = Mix(t, target[2], r);
    }
}

void DrawRow(const std::uint8_t* source, const TPixelLayout& layout, int count, std::uint8_t* target)
{
    if (layout.SampleBytes == 1 && layout.Channels == 3) {
        for (int x = 0; x < count; ++x, source += 3, target += 3) {
            target[0] = source[2];
            target[1] = source[1];
            target[2] = source[0];
        }
        return;
    }
    if (layout.SampleBytes == 1 && layout.Channels == 4) {
        // Mixing gives the colour itself at t = 0 and the background at t = 255, so no pixel needs a branch.
        for (int x = 0; x < count; ++x, source += 4, target += 3) {
            const unsigned t = source[3];
            target[0] = Mix(t, target[0], source[2]);
            target[1] = Mix(t, target[1], source[1]);
            target[2] = Mix(t, target[2], source[0]);
        }
        return;
    }
    // Grey, grey with alpha and 16-bit samples: the high byte of each little-endian sample counts.
    const int step = layout.SampleBytes;
    const int high = step - 1;
    for (int x = 0; x < count; ++x, source += step * layout.Channels, target += 3) {
        auto sample = [&](int i) -> unsigned { return source[i * step + high]; };
        if (layout.Channels <= 2)
            PutPixel(target, sample(0), sample(0), sample(0), layout.Channels == 2 ? sample(1) : 0);
        else
            PutPixel(target, sample(0), sample(1), sample(2), layout.Channels == 4 ? sample(3) : 0);
    }
}

// Blends the image straight into a 24-bit canvas, clipped to it.
void DrawOntoBgr888(const TPngImage& image, QImage& canvas, int left, int top)
{
    const QRect area = QRect(left, top, image.Width, image.Height).intersected(canvas.rect());
    if (area.isEmpty())
        return;
    const TPixelLayout layout = LayoutOf(image);
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const std::uint8_t* source =
            image.Row(y - top) + std::size_t(area.left() - left) * image.BytesPerPixel;
        DrawRow(source, layout, area.width(), canvas.scanLine(y) + std::size_t(area.left()) * 3);
    }
}

} // namespace

void TPngImage::Draw(QImage& canvas, int left, int top) const
{
    if (!m_data || canvas.isNull())
        return;
    if (canvas.format() == QImage::Format_BGR888) {
        DrawOntoBgr888(*this, canvas, left, top);
        return;
    }
    // Other canvases go through a 24-bit copy of the covered area, as a bitmap of that kind would.
    QImage offScreen = canvas.copy(left, top, Width, Height).convertToFormat(QImage::Format_BGR888);
    DrawOntoBgr888(*this, offScreen, 0, 0);
    QPainter painter(&canvas);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(left, top, offScreen);
}

TPngGraphic::TPngGraphic(const TPngGraphic& other) : Transparent(other.Transparent)
{
    if (other.m_image)
        m_image = other.m_image->AddRef();
}

TPngGraphic& TPngGraphic::operator=(const TPngGraphic& other)
{
    Assign(other);
    Transparent = other.Transparent;
    return *this;
}

TPngGraphic::~TPngGraphic()
{
    if (m_image)
        m_image->Release();
}

void TPngGraphic::Assign(const TPngGraphic& source)
{
    if (source.m_image)
        source.m_image->AddRef();
    if (m_image)
        m_image->Release();
    m_image = source.m_image;
}

void TPngGraphic::Draw(QImage& canvas, const QRect& rect) const
{
    if (m_image)
        m_image->Draw(canvas, rect.left(), rect.top());
}

void TPngGraphic::LoadFromFile(const std::string& name, int maxSide)
{
    if (!m_image)
        m_image = new TPngImage;
    m_image->LoadFromFile(name, maxSide);
}

void TPngGraphic::LoadFromBytes(const std::string& bytes, int maxSide)
{
    if (!m_image)
        m_image = new TPngImage;
    m_image->LoadFromBytes(bytes, maxSide);
}

void TPngGraphic::SaveToFile(const std::string& name) const
{
    if (m_image)
        m_image->SaveToFile(name);
}

void TPngGraphic::LoadFromClipboardFormat()
{
    throw TPngError("Cannot load a TPngGraphic from the Clipboard");
}

void TPngGraphic::LoadFromStream()
{
    throw TPngError("Cannot load a TPngGraphic from a Stream");
}

void TPngGraphic::SaveToClipboardFormat()
{
    throw TPngError("Cannot save a TPngGraphic to the Clipboard");
}

void TPngGraphic::SaveToStream()
{
    throw TPngError("Cannot save a TPngGraphic to a Stream");
}

void TPngGraphic::SetHeight(int)
{
    throw TPngError("Cannot set height on a TPngGraphic");
}

void TPngGraphic::SetWidth(int)
{
    throw TPngError("Cannot set width on a TPngGraphic");
}

QImage NewCanvas24(int width, int height)
{
    QImage canvas(width, height, QImage::Format_BGR888);
    // White is every byte 255, so one block fill does it.
    if (!canvas.isNull())
        std::memset(canvas.bits(), 0xFF, static_cast<std::size_t>(canvas.sizeInBytes()));
    return canvas;
}

namespace {

// Every colour mixed over white at every inverted alpha, looked up instead of computed per channel.
struct TOverWhite
{
    std::uint8_t Table[256][256];

    TOverWhite()
    {
        for (unsigned t = 0; t < 256; ++t)
            for (unsigned c = 0; c < 256; ++c)
                Table[t][c] = Mix(t, 255, c);
    }
};

// An 8-bit RGBA picture over white, each canvas byte written once: the same values as filling the canvas
// white and blending onto it.
QImage RgbaOverWhite(const TPngImage& image)
{
    static const TOverWhite overWhite;
    QImage canvas(image.Width, image.Height, QImage::Format_BGR888);
    if (canvas.isNull())
        return canvas;
    for (int y = 0; y < image.Height; ++y) {
        const std::uint8_t* source = image.Row(y);
        std::uint8_t* target = canvas.scanLine(y);
        for (int x = 0; x < image.Width; ++x, source += 4, target += 3) {
            const std::uint8_t* mix = overWhite.Table[source[3]];
            target[0] = mix[source[2]];
            target[1] = mix[source[1]];
            target[2] = mix[source[0]];
        }
    }
    return canvas;
}

} // namespace

QImage DrawOnNewCanvas24(const TPngGraphic& graphic)
{
    const TPngImage* image = graphic.Image();
    if (image && image->HasData() && image->BitDepth == 8 && image->BytesPerPixel == 4)
        return RgbaOverWhite(*image);
    QImage canvas = NewCanvas24(graphic.GetWidth(), graphic.GetHeight());
    graphic.Draw(canvas, canvas.rect());
    return canvas;
}

// The picture classes and writing their PNG file; decoding and drawing have files of their own.
#include "images/PngImage.h"

#include <cstdio>
#include <cstdlib>

#include <png.h>

#include "base/AtomicFile.h"
#include "images/PngCallbacks.h"

using png_callbacks::OnPngError;
using png_callbacks::OnPngWarning;

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

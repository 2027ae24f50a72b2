// Drawing a decoded PNG onto a 24-bit canvas, blending by its alpha.
#include "images/PngImage.h"

#include <cstdint>
#include <cstring>

#include <QPainter>

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

// The picture's pixels and the canvas never overlap; saying so lets the compiler move whole blocks.
void SwapRedAndBlue(const std::uint8_t* __restrict source, int count, std::uint8_t* __restrict target)
{
    for (int x = 0; x < count; ++x) {
        target[3 * x] = source[3 * x + 2];
        target[3 * x + 1] = source[3 * x + 1];
        target[3 * x + 2] = source[3 * x];
    }
}

void DrawRow(const std::uint8_t* source, const TPixelLayout& layout, int count, std::uint8_t* target)
{
    if (layout.SampleBytes == 1 && layout.Channels == 3) {
        SwapRedAndBlue(source, count, target);
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

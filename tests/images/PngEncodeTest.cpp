// The converter's PNG encoder: palette PNGs of the fewest bits, read back by plain libpng to the very same
// colours, and the proof that decides whether a source may go.

#include <gtest/gtest.h>
#include <png.h>

#include <QImage>

#include "images/PngEncode.h"

namespace {

// colours entries; pixel (x, y) takes index (x * 7 + y * 3) % colours, or noise when noisy.
QImage Indexed(int width, int height, int colours, bool noisy = false)
{
    QImage picture(width, height, QImage::Format_Indexed8);
    QList<QRgb> table;
    for (int i = 0; i < colours; ++i)
        table.push_back(qRgb(i * 13 % 256, 255 - i, i * 101 % 256));
    picture.setColorTable(table);
    unsigned state = 1;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            state = state * 1103515245u + 12345u;
            picture.scanLine(y)[x] = static_cast<uchar>((noisy ? state >> 16 : x * 7u + y * 3u) % colours);
        }
    return picture;
}

// Decoded by libpng's own simplified reader, not by the program's.
QImage LibpngRgba(const std::string& png)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, png.data(), png.size()))
        return {};
    image.format = PNG_FORMAT_RGBA;
    QImage pixels(static_cast<int>(image.width), static_cast<int>(image.height), QImage::Format_RGBA8888);
    if (!png_image_finish_read(&image, nullptr, pixels.bits(), static_cast<png_int_32>(pixels.bytesPerLine()),
                               nullptr))
        return {};
    return pixels;
}

} // namespace

TEST(PngEncode, RoundTripGivesTheSamePixelsInTheFewestBits)
{
    QImage translucent = Indexed(5, 3, 4);
    translucent.setColor(1, qRgba(1, 2, 3, 128));
    QImage outOfTable = Indexed(5, 3, 4);
    outOfTable.setColorCount(3);
    QImage rgba(6, 2, QImage::Format_ARGB32);
    rgba.fill(qRgba(10, 200, 30, 77));
    const struct
    {
        const char* Name;
        QImage Picture;
        int ColorType, BitDepth;
    } cases[] = {
        {"2 colours, width off a byte", Indexed(13, 5, 2), PNG_COLOR_TYPE_PALETTE, 1},
        {"4 colours", Indexed(13, 5, 4), PNG_COLOR_TYPE_PALETTE, 2},
        {"16 colours", Indexed(13, 5, 16), PNG_COLOR_TYPE_PALETTE, 4},
        {"256 colours of a game screen", Indexed(640, 480, 256), PNG_COLOR_TYPE_PALETTE, 8},
        {"256 colours of noise", Indexed(320, 200, 256, true), PNG_COLOR_TYPE_PALETTE, 8},
        {"a translucent colour", translucent, PNG_COLOR_TYPE_RGB_ALPHA, 8},
        {"an index past the table", outOfTable, PNG_COLOR_TYPE_RGB, 8},
        {"true colour with alpha", rgba, PNG_COLOR_TYPE_RGB_ALPHA, 8},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        std::string png, error;
        ASSERT_TRUE(EncodePng(c.Picture, png, error)) << error;
        ASSERT_GT(png.size(), 26u);
        EXPECT_EQ(png[24], c.BitDepth);
        EXPECT_EQ(png[25], c.ColorType);
        const QImage decoded = LibpngRgba(png);
        ASSERT_EQ(decoded.size(), c.Picture.size());
        const QImage expected = c.Picture.convertToFormat(QImage::Format_RGBA8888);
        for (int y = 0; y < decoded.height(); ++y)
            ASSERT_EQ(0, memcmp(decoded.constScanLine(y), expected.constScanLine(y), decoded.width() * 4u))
                << "line " << y;
        EXPECT_TRUE(PngHoldsPixels(png, c.Picture));
    }
}

// The converter deletes a source only when this proof holds, so it must fail for any difference.
TEST(PngEncode, ProofFailsForAnyDifference)
{
    const QImage picture = Indexed(64, 48, 256, true);
    std::string png, error;
    ASSERT_TRUE(EncodePng(picture, png, error)) << error;
    QImage onePixel = picture;
    onePixel.scanLine(47)[63] ^= 1;
    QImage oneColour = picture;
    oneColour.setColor(picture.constScanLine(0)[0], qRgb(1, 2, 3));
    const QImage smaller = picture.copy(0, 0, 64, 47);
    EXPECT_FALSE(PngHoldsPixels(png, onePixel));
    EXPECT_FALSE(PngHoldsPixels(png, oneColour));
    EXPECT_FALSE(PngHoldsPixels(png, smaller));
    EXPECT_FALSE(PngHoldsPixels(png.substr(0, png.size() / 2), picture));
}

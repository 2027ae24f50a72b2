// The PCX decoder on files built byte by byte: the BMP it makes, run-length decoding, planes, palettes.

#include <gtest/gtest.h>

#include <QBuffer>

#include "PictureTestTools.h"
#include "images/Pcxctrl.h"
#include "images/PictureFormats.h"

namespace {

std::vector<std::uint8_t> RampPalette()
{
    std::vector<std::uint8_t> rgb(768);
    for (int i = 0; i < 256; ++i) {
        rgb[3 * i] = static_cast<std::uint8_t>(i);
        rgb[3 * i + 1] = static_cast<std::uint8_t>(255 - i);
        rgb[3 * i + 2] = static_cast<std::uint8_t>(i / 2);
    }
    return rgb;
}

std::string FlatLines256(int width, int height, int bytesPerLine, std::uint8_t colour)
{
    std::vector<std::string> lines(height, std::string(bytesPerLine, static_cast<char>(colour)));
    return Pcx256File(width, lines, RampPalette());
}

std::string Bitmap(const std::string& pcx)
{
    TPcxInStream input(pcx);
    TPCXBitmap bitmap;
    std::optional<QByteArray> bmp = bitmap.DecodeToBitmapStream(input);
    return bmp ? bmp->toStdString() : std::string();
}

QImage Load(const std::string& pcx)
{
    TPCXBitmap bitmap;
    EXPECT_TRUE(bitmap.LoadFromBytes(pcx)) << bitmap.Error();
    return bitmap.Image();
}

std::string LoadError(const std::string& pcx)
{
    TPCXBitmap bitmap;
    EXPECT_FALSE(bitmap.LoadFromBytes(pcx));
    return bitmap.Error();
}

// A 16-colour file from its planar lines (each 4 x bytesPerLine bytes).
std::string Pcx16File(int width, int bytesPerLine, const std::vector<std::string>& lines)
{
    TPcxLayout layout;
    layout.BitsPerPixel = 1;
    layout.Planes = 4;
    layout.Width = width;
    layout.Height = static_cast<int>(lines.size());
    layout.BytesPerLine = bytesPerLine;
    for (int i = 0; i < 16; ++i)
        layout.HeaderPalette.insert(layout.HeaderPalette.end(), {std::uint8_t(i * 16), std::uint8_t(i), 7});
    std::string file = PcxHeader(layout);
    for (const std::string& line : lines)
        file += PcxEncodeLine(line);
    return file;
}

} // namespace

TEST(PcxBitmapLayout, TheWorkedExamplesGiveTheirBmpSizes)
{
    const std::string bmp256 = Bitmap(FlatLines256(320, 240, 320, 9));
    ASSERT_EQ(bmp256.size(), 320u * 240 + 1078);
    EXPECT_EQ(bmp256.substr(0, 2), "BM");
    EXPECT_EQ(Le32(bmp256, 2), 320u * 240 + 1078);
    EXPECT_EQ(Le32(bmp256, 6), 0u);
    EXPECT_EQ(Le32(bmp256, 10), 1078u);
    EXPECT_EQ(Le32(bmp256, 14), 40u);
    EXPECT_EQ(Le32(bmp256, 18), 320u);
    EXPECT_EQ(Le32(bmp256, 22), 240u);
    EXPECT_EQ(Le16(bmp256, 26), 1);
    EXPECT_EQ(Le16(bmp256, 28), 8);
    EXPECT_EQ(Le32(bmp256, 30), 0u);
    EXPECT_EQ(Le32(bmp256, 34), 320u * 240);
    EXPECT_EQ(Le32(bmp256, 38), 0u);
    EXPECT_EQ(Le32(bmp256, 42), 0u);
    EXPECT_EQ(Le32(bmp256, 46), 256u);
    EXPECT_EQ(Le32(bmp256, 50), 0u);

    const std::string bmp319 = Bitmap(FlatLines256(319, 4, 320, 9));
    ASSERT_EQ(bmp319.size(), 320u * 4 + 1078);
    EXPECT_EQ(Le32(bmp319, 18), 319u);
    EXPECT_EQ(Le32(bmp319, 34), 320u * 4);

    const std::string bmp16 =
        Bitmap(Pcx16File(640, 80, std::vector<std::string>(480, std::string(320, '\x55'))));
    ASSERT_EQ(bmp16.size(), 320u * 480 + 118);
    EXPECT_EQ(Le32(bmp16, 2), 320u * 480 + 118);
    EXPECT_EQ(Le32(bmp16, 10), 118u);
    EXPECT_EQ(Le32(bmp16, 18), 640u);
    EXPECT_EQ(Le16(bmp16, 28), 4);
    EXPECT_EQ(Le32(bmp16, 34), 320u * 480);
    EXPECT_EQ(Le32(bmp16, 46), 0u);
}

TEST(PcxBitmapLayout, RowsAreStoredBottomUpSoTheTopLineLandsLast)
{
    std::vector<std::string> lines = {std::string(4, '\x05'), std::string(4, '\x07'), std::string(4, '\x08')};
    const std::string bmp = Bitmap(Pcx256File(4, lines, RampPalette()));
    ASSERT_EQ(bmp.size(), 1078u + 12);
    EXPECT_EQ(bmp.substr(1078, 4), std::string(4, '\x08'));
    EXPECT_EQ(bmp.substr(1078 + 8, 4), std::string(4, '\x05'));
    const QImage image = Load(Pcx256File(4, lines, RampPalette()));
    EXPECT_EQ(image.pixelIndex(0, 0), 5);
    EXPECT_EQ(image.pixelIndex(3, 2), 8);
}

TEST(PcxBitmapLayout, PaletteTriplesBecomeBlueGreenRedZero)
{
    std::vector<std::uint8_t> rgb(768, 0);
    rgb[0] = 255;
    rgb[3 * 7] = 1, rgb[3 * 7 + 1] = 2, rgb[3 * 7 + 2] = 3;
    const std::string pcx = Pcx256File(2, {std::string("\x00\x07", 2)}, rgb);
    const std::string bmp = Bitmap(pcx);
    EXPECT_EQ(bmp.substr(54, 4), std::string("\x00\x00\xFF\x00", 4));
    EXPECT_EQ(bmp.substr(54 + 28, 4), std::string("\x03\x02\x01\x00", 4));
    const QImage image = Load(pcx);
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(1, 0), qRgb(1, 2, 3));
}

TEST(PcxBitmapLayout, WithoutThePaletteMarkerTheTableIsAGreyRamp)
{
    std::string pcx = Pcx256File(3, {std::string("\x00\x80\xFE", 3) + '\0'}, RampPalette());
    pcx[pcx.size() - 769] = 11;
    const QImage image = Load(pcx);
    EXPECT_EQ(image.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(1, 0), qRgb(0x80, 0x80, 0x80));
    EXPECT_EQ(image.pixel(2, 0), qRgb(0xFE, 0xFE, 0xFE));
}

TEST(PcxBitmapLayout, HeaderWindowOffsetsOnlyGiveTheSize)
{
    TPcxLayout layout;
    layout.Xmin = -7;
    layout.Ymin = 100;
    layout.Width = 5;
    layout.Height = 2;
    layout.BytesPerLine = 6;
    const std::string pcx =
        PcxHeader(layout) + PcxEncodeLine("abcdef") + PcxEncodeLine("ghijkl") + PcxPalette(RampPalette());
    const QImage image = Load(pcx);
    ASSERT_EQ(image.size(), QSize(5, 2));
    EXPECT_EQ(image.pixelIndex(0, 0), 'a');
    EXPECT_EQ(image.pixelIndex(4, 1), 'k');
}

TEST(PcxBitmapLayout, PaddedBytesPerLineDoNotShearThePicture)
{
    // Bytes per line 12 for a width of 5: the BMP rows must still be the reader's 8 bytes long.
    std::vector<std::string> lines;
    for (int y = 0; y < 3; ++y)
        lines.push_back(std::string(5, static_cast<char>(10 * y + 1)) + std::string(7, '\x63'));
    const QImage image = Load(Pcx256File(5, lines, RampPalette()));
    ASSERT_EQ(image.size(), QSize(5, 3));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            ASSERT_EQ(image.pixelIndex(x, y), 10 * y + 1) << x << "," << y;
}

TEST(PcxBitmapLayout, ShortBytesPerLineLeaveTheRestOfTheRowColourZero)
{
    const QImage image = Load(Pcx256File(6, {"\x01\x02", "\x03\x04"}, RampPalette()));
    ASSERT_EQ(image.size(), QSize(6, 2));
    EXPECT_EQ(image.pixelIndex(1, 0), 2);
    EXPECT_EQ(image.pixelIndex(2, 0), 0);
    EXPECT_EQ(image.pixelIndex(5, 1), 0);
    EXPECT_EQ(image.pixelIndex(1, 1), 4);
}

TEST(PcxRunLength, C0RunWritesNothingAndFFRunWritesSixtyThreeBytes)
{
    std::string data = std::string("\xC0\x2A\x01", 3) + std::string("\xFF\x09", 2) + "\x02";
    TPcxLayout layout;
    layout.Width = 65;
    layout.BytesPerLine = 65;
    const QImage image = Load(PcxHeader(layout) + data + PcxPalette(RampPalette()));
    ASSERT_EQ(image.width(), 65);
    EXPECT_EQ(image.pixelIndex(0, 0), 1);
    for (int x = 1; x <= 63; ++x)
        ASSERT_EQ(image.pixelIndex(x, 0), 9) << x;
    EXPECT_EQ(image.pixelIndex(64, 0), 2);
}

TEST(PcxRunLength, ARunThatOvershootsTheLineEndsItAndTheNextLineStartsAfterIt)
{
    TPcxLayout layout;
    layout.Width = 4;
    layout.Height = 2;
    layout.BytesPerLine = 4;
    // Ten bytes of 3 for a line of four; the next code byte begins line two.
    const std::string data = std::string("\xCA\x03", 2) + "\x04\x05\x06\x07";
    const QImage image = Load(PcxHeader(layout) + data + PcxPalette(RampPalette()));
    EXPECT_EQ(image.pixelIndex(3, 0), 3);
    EXPECT_EQ(image.pixelIndex(0, 1), 4);
    EXPECT_EQ(image.pixelIndex(3, 1), 7);
}

TEST(PcxRunLength, RunsSplitAcrossReadBlocksDecodeWhole)
{
    // 1023 literal bytes fill the first block but one: the run's code ends it, its value starts the next.
    for (int literals : {1022, 1023, 1024}) {
        std::string line;
        for (int i = 0; i < literals; ++i)
            line += static_cast<char>(i % 0xC0);
        TPcxLayout layout;
        layout.Width = literals + 5;
        layout.BytesPerLine = literals + 5;
        layout.Height = 2;
        const std::string data = line + "\xC5\xEE" + line + "\xC5\xDD";
        const QImage image = Load(PcxHeader(layout) + data + PcxPalette(RampPalette()));
        ASSERT_EQ(image.width(), literals + 5);
        for (int x = 0; x < literals; ++x)
            ASSERT_EQ(image.pixelIndex(x, 1), x % 0xC0) << literals << " " << x;
        for (int x = literals; x < literals + 5; ++x) {
            ASSERT_EQ(image.pixelIndex(x, 0), 0xEE) << literals << " " << x;
            ASSERT_EQ(image.pixelIndex(x, 1), 0xDD) << literals << " " << x;
        }
    }
}

TEST(PcxPlanes, APlaneColumnOf80_00_80_00GivesFirstByte50)
{
    const std::string planes("\x80\x00\x80\x00", 4);
    std::uint8_t packed[4] = {};
    TDecoder16::PlanarToPacked(reinterpret_cast<const std::uint8_t*>(planes.data()), 1, packed);
    EXPECT_EQ(packed[0], 0x50);
    EXPECT_EQ(packed[1], 0x00);
    const QImage image = Load(Pcx16File(8, 2, {std::string("\x80\x00\x00\x00\x80\x00\x00\x00", 8)}));
    EXPECT_EQ(image.pixelIndex(0, 0), 5);
    EXPECT_EQ(image.pixelIndex(1, 0), 0);
    EXPECT_EQ(image.pixel(0, 0), qRgb(80, 5, 7));
}

TEST(PcxPlanes, EachPlaneGivesOneBitOfTheColourIndexLeftPixelFirst)
{
    // Pixel x has colour x (0..15): plane k holds bit k of x, most significant bit leftmost.
    std::string planes[4];
    for (int k = 0; k < 4; ++k) {
        for (int column = 0; column < 2; ++column) {
            int byte = 0;
            for (int j = 0; j < 8; ++j)
                if (((column * 8 + j) >> k) & 1)
                    byte |= 0x80 >> j;
            planes[k] += static_cast<char>(byte);
        }
    }
    const std::string line = planes[0] + planes[1] + planes[2] + planes[3];
    const QImage image = Load(Pcx16File(16, 2, {line, line}));
    ASSERT_EQ(image.size(), QSize(16, 2));
    for (int x = 0; x < 16; ++x)
        ASSERT_EQ(image.pixelIndex(x, 1), x);
}

TEST(PcxPlanes, WidthsThatAreNotMultiplesOfSixteenShowRight)
{
    // Width 20 with the usual even bytes per line 4: the packed line is longer than the BMP row.
    std::string line;
    for (int k = 0; k < 4; ++k)
        line += std::string(k == 1 ? "\xFF\x00\xF0\x00" : "\x00\x00\x00\x00", 4);
    const QImage image = Load(Pcx16File(20, 4, {line, line, line}));
    ASSERT_EQ(image.size(), QSize(20, 3));
    for (int x = 0; x < 20; ++x)
        ASSERT_EQ(image.pixelIndex(x, 2), x < 8 || (x >= 16 && x < 20) ? 2 : 0) << x;
}

TEST(PcxRefused, KindsOtherThan256And16ColoursAreNotDecoded)
{
    for (auto [bits, planes] : {std::pair{8, 3}, {8, 4}, {1, 1}, {4, 1}, {2, 1}, {1, 3}}) {
        TPcxLayout layout;
        layout.BitsPerPixel = bits;
        layout.Planes = planes;
        layout.Width = 4;
        layout.BytesPerLine = 4;
        const std::string pcx = PcxHeader(layout) + std::string(64, '\x01') + PcxPalette(RampPalette());
        TPcxInStream input(pcx);
        TPCXBitmap bitmap;
        EXPECT_FALSE(bitmap.DecodeToBitmapStream(input)) << bits << "x" << planes;
        EXPECT_FALSE(LoadError(pcx).empty());
        EXPECT_FALSE(DecodePicture("pcx", pcx).Ok());
    }
}

TEST(PcxRefused, ANonPcxFileFailsUnlessABitmapFollowsTheHeaderBytes)
{
    std::string notPcx = FlatLines256(4, 4, 4, 1);
    notPcx[0] = 9;
    EXPECT_EQ(LoadError(notPcx), "Not a PCX file of 16 or 256 colours");
    EXPECT_FALSE(LoadError(std::string(70, '\x0A')).empty());
    EXPECT_FALSE(LoadError("").empty());

    // The plain bitmap reader gets what follows the 70 bytes read.
    QImage small(3, 2, QImage::Format_RGB888);
    small.fill(QColor(10, 20, 30));
    QByteArray bmp;
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(small.save(&buffer, "BMP"));
    const QImage fallback = Load(std::string(70, 'x') + bmp.toStdString());
    EXPECT_EQ(fallback.size(), QSize(3, 2));
    EXPECT_EQ(fallback.pixel(2, 1), qRgb(10, 20, 30));
}

TEST(PcxRefused, SizesThatGiveNoPictureOrAHugeOneAreRefused)
{
    auto withField = [](int at, int value) {
        std::string pcx = FlatLines256(4, 2, 4, 1);
        pcx[at] = static_cast<char>(value & 0xFF);
        pcx[at + 1] = static_cast<char>((value >> 8) & 0xFF);
        return pcx;
    };
    EXPECT_EQ(LoadError(withField(8, 0xFFFF)), "The PCX header gives no picture size"); // Xmax -1
    EXPECT_EQ(LoadError(withField(10, 0x8000)), "The PCX header gives no picture size");
    EXPECT_EQ(LoadError(withField(66, 0)), "The PCX header gives no picture size");
    EXPECT_EQ(LoadError(withField(66, -4)), "The PCX header gives no picture size");
    EXPECT_EQ(LoadError(withField(8, 0x7FFF)), "The PCX picture is too large");
    std::string window = withField(4, -0x8000);
    EXPECT_EQ(LoadError(window), "The PCX picture is too large");
    // Within the side limit but far more than the data could ever fill.
    EXPECT_EQ(LoadError(withField(10, 16000)), "The PCX file ends too early");
}

TEST(PcxRefused, TruncationAnywhereFailsOrStillGivesThePictureSize)
{
    std::vector<std::string> lines;
    for (int y = 0; y < 23; ++y) {
        std::string line;
        for (int x = 0; x < 38; ++x)
            line += static_cast<char>((x * 37 + y * 101) % 256 & (x % 5 ? 0xFF : 0x03));
        lines.push_back(line);
    }
    const std::string whole = Pcx256File(37, lines, RampPalette());
    const std::size_t dataEnd = whole.size() - 769;
    for (std::size_t cut = 0; cut < whole.size(); ++cut) {
        TPCXBitmap bitmap;
        const bool ok = bitmap.LoadFromBytes(whole.substr(0, cut));
        if (cut < dataEnd) {
            ASSERT_FALSE(ok) << cut;
        } else if (ok) {
            ASSERT_EQ(bitmap.Image().size(), QSize(37, 23)) << cut;
        }
        if (!ok) {
            ASSERT_FALSE(bitmap.Error().empty());
        }
    }
    // Pixel data complete, the palette block cut off after its marker.
    TPCXBitmap markerOnly;
    EXPECT_TRUE(markerOnly.LoadFromBytes(whole.substr(0, dataEnd + 1)));
}

TEST(PcxRefused, A16ColourFileCutShortFails)
{
    const std::string line(16, '\x33');
    const std::string whole = Pcx16File(30, 4, std::vector<std::string>(10, line));
    for (std::size_t cut = 0; cut < whole.size(); ++cut) {
        TPCXBitmap bitmap;
        ASSERT_FALSE(bitmap.LoadFromBytes(whole.substr(0, cut))) << cut;
    }
    EXPECT_TRUE(TPCXBitmap().LoadFromBytes(whole));
}

TEST(PcxRefused, TheEarlyEndBoundAcceptsTheTightestValidCoding)
{
    // Every line a 63-run and a literal: 64 bytes in 3, with no palette behind to pad the file.
    TPcxLayout layout;
    layout.Width = 64;
    layout.BytesPerLine = 64;
    layout.Height = 900;
    std::string pcx = PcxHeader(layout);
    for (int y = 0; y < layout.Height; ++y)
        pcx += std::string("\xFF\x05", 2) + static_cast<char>(y % 0xC0);
    const QImage image = Load(pcx);
    ASSERT_EQ(image.size(), QSize(64, 900));
    EXPECT_EQ(image.pixelIndex(62, 899), 5);
    EXPECT_EQ(image.pixelIndex(63, 899), 899 % 0xC0);
    // One byte less can no longer hold the picture.
    EXPECT_EQ(LoadError(pcx.substr(0, pcx.size() - 1)), "The PCX file ends too early");
}

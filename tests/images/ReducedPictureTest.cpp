// Pictures decoded reduced: every format keeps exactly the pixels of the whole decode that it promises
// (JPEG as libjpeg scales, which Pillow's draft mode also uses), and nothing reduced exceeds its bound.

#include <gtest/gtest.h>

#include <QBuffer>

#include "PictureTestTools.h"
#include "images/JpegImage.h"
#include "images/Pcxctrl.h"
#include "images/PictureFormats.h"
#include "images/PngImage.h"
#include "support/TempDir.h"

namespace {

// PNG files of every layout that takes its own reading path, at sizes no reduction divides evenly.
const char* kPngScript = R"(
import random, sys
from PIL import Image
folder = sys.argv[1]
random.seed(11)
w, h = 67, 41
rgba = Image.new('RGBA', (w, h))
rgba.putdata([(random.randrange(256), (x * 5) % 256, (y * 9) % 256, random.choice((0, 90, 255)))
              for y in range(h) for x in range(w)])
rgba.save(folder + '/rgba.png')
rgba.save(folder + '/rgba-interlaced.png', interlace=1)
rgba.convert('RGB').save(folder + '/rgb-interlaced.png', interlace=1)
rgba.convert('L').save(folder + '/grey.png')
rgba.convert('L').save(folder + '/grey-interlaced.png', interlace=1)
p = rgba.convert('RGB').convert('P', palette=Image.ADAPTIVE, colors=16)
p.save(folder + '/palette-transparent.png', transparency=3)
p.save(folder + '/palette-interlaced.png', interlace=1, bits=4)
rgba.convert('L').convert('I').point(lambda v: v * 257).save(folder + '/grey16.png')
)";

// A photo-like JPEG and Pillow's libjpeg-scaled decodes of it at 1/2, 1/4 and 1/8.
const char* kJpegScript = R"(
import sys
from PIL import Image
folder = sys.argv[1]
w, h = 203, 117
im = Image.new('RGB', (w, h))
im.putdata([((x * 3) % 256, (y * 5 + x) % 256, (x * y) % 256) for y in range(h) for x in range(w)])
for name, mode in (('rgb', 'RGB'), ('grey', 'L')):
    im.convert(mode).save(folder + '/' + name + '.jpg', quality=90)
    for d in (2, 4, 8):
        scaled = Image.open(folder + '/' + name + '.jpg')
        scaled.draft(mode, (w // d, h // d))
        scaled.convert('RGB').save('%s/%s-%d.ppm' % (folder, name, d))
)";

// The whole picture's pixel at every factor-th column and line.
QImage Sampled(const QImage& whole, int factor)
{
    const int width = (whole.width() + factor - 1) / factor;
    const int height = (whole.height() + factor - 1) / factor;
    QImage sampled(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            sampled.setPixel(x, y, whole.pixel(x * factor, y * factor));
    return sampled;
}

void ExpectReducedMatchesSampled(const std::string& extension, const std::string& bytes,
                                 const std::string& what)
{
    const TPictureResult whole = DecodePicture(extension, bytes);
    ASSERT_TRUE(whole.Ok()) << what << ": " << whole.Error;
    for (int factor : {2, 3, 4, 7}) {
        const int maxSide = (std::max(whole.Image.width(), whole.Image.height()) + factor - 1) / factor;
        const TPictureResult reduced = DecodePicture(extension, bytes, maxSide);
        ASSERT_TRUE(reduced.Ok()) << what << " / " << factor << ": " << reduced.Error;
        EXPECT_EQ(reduced.FullSize, whole.Image.size()) << what;
        EXPECT_LE(std::max(reduced.Image.width(), reduced.Image.height()), maxSide) << what;
        EXPECT_EQ(CompareRgb(reduced.Image, Sampled(whole.Image, factor)), "") << what << " / " << factor;
    }
}

std::vector<std::uint8_t> ShadedPalette()
{
    std::vector<std::uint8_t> rgb(768);
    for (int i = 0; i < 768; ++i)
        rgb[i] = static_cast<std::uint8_t>(i * 7 + i / 3);
    return rgb;
}

} // namespace

TEST(Reduction, TheFactorIsTheSmallestThatFitsBothSides)
{
    EXPECT_EQ(ReductionFactor(16384, 16384, kWholePicture), 1);
    EXPECT_EQ(ReductionFactor(4096, 100, 4096), 1);
    EXPECT_EQ(ReductionFactor(4097, 100, 4096), 2);
    EXPECT_EQ(ReductionFactor(100, 8192, 4096), 2);
    EXPECT_EQ(ReductionFactor(100, 8193, 4096), 3);
    EXPECT_EQ(ReductionFactor(10000, 10000, 4096), 3);
    EXPECT_EQ(ReductionFactor(16384, 1, 4096), 4);
    for (int side : {4097, 6000, 8192, 10000, 13364, 16384}) {
        const int factor = ReductionFactor(side, side, kMaxShownSide);
        EXPECT_LE((side + factor - 1) / factor, kMaxShownSide) << side;
        EXPECT_GT((side + factor - 2) / (factor - 1), kMaxShownSide) << side;
    }
}

TEST(Reduction, PcxFilesOfBothKindsKeepEveryNthPixelOfTheWholeDecode)
{
    std::vector<std::string> lines;
    for (int y = 0; y < 53; ++y) {
        std::string line;
        for (int x = 0; x < 72; ++x)
            line += static_cast<char>((x * 37 + y * 11) % 251 & (x % 9 ? 0xFF : 0xF3));
        lines.push_back(line);
    }
    ExpectReducedMatchesSampled("pcx", Pcx256File(71, lines, ShadedPalette()), "256 colours");

    TPcxLayout layout;
    layout.BitsPerPixel = 1;
    layout.Planes = 4;
    layout.Width = 45;
    layout.Height = 29;
    layout.BytesPerLine = 6;
    for (int i = 0; i < 48; ++i)
        layout.HeaderPalette.push_back(static_cast<std::uint8_t>(i * 5));
    std::string pcx16 = PcxHeader(layout);
    for (int y = 0; y < layout.Height; ++y) {
        std::string planes;
        for (int i = 0; i < 24; ++i)
            planes += static_cast<char>((i * 73 + y * 29) % 256);
        pcx16 += PcxEncodeLine(planes);
    }
    ExpectReducedMatchesSampled("pcx", pcx16, "16 colours");
}

TEST(Reduction, PngFilesOfEveryLayoutKeepEveryNthPixelOfTheWholeDecode)
{
    ASSERT_EQ(MissingTool("pillow"), "");
    TTempDir dir;
    ASSERT_TRUE(RunShellCached("/usr/bin/python3 " + Quoted(dir.WriteFile("make.py", kPngScript)) + " " +
                                   Quoted(dir.Path().string()),
                               dir.Dir()));
    for (const char* name : {"rgba", "rgba-interlaced", "rgb-interlaced", "grey", "grey-interlaced",
                             "palette-transparent", "palette-interlaced", "grey16"})
        ExpectReducedMatchesSampled("png", ReadBytes(dir.Dir() + name + ".png"), name);
}

TEST(Reduction, JpegFilesScaleAsLibjpegScalesThem)
{
    ASSERT_EQ(MissingTool("pillow"), "");
    TTempDir dir;
    ASSERT_TRUE(RunShellCached("/usr/bin/python3 " + Quoted(dir.WriteFile("make.py", kJpegScript)) + " " +
                                   Quoted(dir.Path().string()),
                               dir.Dir()));
    for (const char* name : {"rgb", "grey"}) {
        const std::string bytes = ReadBytes(dir.Dir() + name + ".jpg");
        for (int denominator : {2, 4, 8}) {
            const int maxSide = (203 + denominator - 1) / denominator;
            const TPictureResult reduced = DecodeJpeg(bytes, maxSide);
            ASSERT_TRUE(reduced.Ok()) << name << ": " << reduced.Error;
            EXPECT_EQ(reduced.FullSize, QSize(203, 117));
            const QImage expected = ReadPpm(dir.Dir() + name + "-" + std::to_string(denominator) + ".ppm");
            EXPECT_EQ(CompareRgb(reduced.Image, expected), "") << name << " 1/" << denominator;
        }
    }
}

TEST(Reduction, BitmapsLargerThanTheBoundAreRefusedNotBuilt)
{
    QImage picture(90, 40, QImage::Format_RGB888);
    picture.fill(QColor(1, 2, 3));
    QByteArray bmp;
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(picture.save(&buffer, "BMP"));
    const TPictureResult shown = DecodePicture("bmp", bmp.toStdString(), 90);
    ASSERT_TRUE(shown.Ok()) << shown.Error;
    EXPECT_EQ(shown.FullSize, QSize(90, 40));
    EXPECT_EQ(DecodePicture("bmp", bmp.toStdString(), 89).Error, "The BMP picture is too large to show");
}

// The PNG codec: loading through libpng, drawing with alpha onto a 24-bit canvas, the picture class.

#include <filesystem>
#include <functional>

#include <gtest/gtest.h>

#include <QImage>

#include "PictureTestTools.h"
#include "images/PngImage.h"
#include "support/TempDir.h"

namespace {

std::string SavePng(const TTempDir& dir, const std::string& name, const QImage& image)
{
    const std::string path = dir.Dir() + name;
    EXPECT_TRUE(image.save(QString::fromStdString(path), "PNG"));
    return path;
}

// Three pixels over a background of (100, 150, 200): opaque, fully transparent and half.
QImage ThreeAlphas()
{
    QImage image(3, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(200, 10, 0, 255));
    image.setPixel(1, 0, qRgba(200, 10, 0, 0));
    image.setPixel(2, 0, qRgba(200, 10, 0, 128));
    return image;
}

QImage Canvas(int width, int height, QColor colour, QImage::Format format = QImage::Format_BGR888)
{
    QImage canvas(width, height, format);
    canvas.fill(colour);
    return canvas;
}

std::string ErrorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const TPngError& e) {
        return e.what();
    }
    return "no error";
}

} // namespace

TEST(PngDraw, AlphaReplacesKeepsOrMixesTheBackground)
{
    TTempDir dir;
    TPngGraphic png;
    png.LoadFromFile(SavePng(dir, "alpha.png", ThreeAlphas()));
    ASSERT_EQ(png.Image()->BytesPerPixel, 4);
    // Stored inverted: opaque is 0.
    EXPECT_EQ(png.Image()->Row(0)[3], 0);
    EXPECT_EQ(png.Image()->Row(0)[7], 255);
    QImage canvas = Canvas(3, 1, QColor(100, 150, 200));
    png.Draw(canvas, canvas.rect());
    EXPECT_EQ(canvas.pixel(0, 0), qRgb(200, 10, 0));
    EXPECT_EQ(canvas.pixel(1, 0), qRgb(100, 150, 200));
    // T = 127: (127 x background + 128 x colour) / 255, truncated.
    EXPECT_EQ(canvas.pixel(2, 0),
              qRgb((127 * 100 + 128 * 200) / 255, (127 * 150 + 128 * 10) / 255, 127 * 200 / 255));
    EXPECT_EQ(canvas.pixel(2, 0), qRgb(150, 79, 99));
}

TEST(PngDraw, OtherCanvasFormatsGetTheSameResult)
{
    TTempDir dir;
    TPngGraphic png;
    png.LoadFromFile(SavePng(dir, "alpha.png", ThreeAlphas()));
    QImage direct = Canvas(5, 3, QColor(100, 150, 200));
    QImage other = Canvas(5, 3, QColor(100, 150, 200), QImage::Format_RGB32);
    png.Draw(direct, QRect(1, 2, 4, 1));
    png.Draw(other, QRect(1, 2, 4, 1));
    EXPECT_EQ(CompareRgb(other, direct), "");
    EXPECT_EQ(other.pixel(3, 2), qRgb(150, 79, 99));
}

TEST(PngDraw, ALargerRectangleDrawsAtNaturalSizeFromItsTopLeftCorner)
{
    TTempDir dir;
    QImage red(2, 2, QImage::Format_RGB32);
    red.fill(Qt::red);
    TPngGraphic png;
    png.LoadFromFile(SavePng(dir, "red.png", red));
    QImage canvas = Canvas(6, 6, Qt::white);
    png.Draw(canvas, QRect(1, 1, 5, 5));
    EXPECT_EQ(canvas.pixel(1, 1), qRgb(255, 0, 0));
    EXPECT_EQ(canvas.pixel(2, 2), qRgb(255, 0, 0));
    EXPECT_EQ(canvas.pixel(3, 3), qRgb(255, 255, 255));
    EXPECT_EQ(canvas.pixel(0, 0), qRgb(255, 255, 255));
    // Partly outside the canvas: clipped, nothing else touched.
    png.Draw(canvas, QRect(5, -1, 2, 2));
    EXPECT_EQ(canvas.pixel(5, 0), qRgb(255, 0, 0));
    EXPECT_EQ(canvas.pixel(4, 0), qRgb(255, 255, 255));
}

TEST(PngDraw, PaletteFilesAreRgbAndTheirTransparencyBlends)
{
    TTempDir dir;
    QImage indexed(2, 1, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(10, 20, 30), qRgb(40, 50, 60)});
    indexed.setPixel(0, 0, 0);
    indexed.setPixel(1, 0, 1);
    TPngGraphic plain;
    plain.LoadFromFile(SavePng(dir, "plain.png", indexed));
    EXPECT_EQ(plain.Image()->BytesPerPixel, 3);
    QImage canvas = NewCanvas24(2, 1);
    plain.Draw(canvas, canvas.rect());
    EXPECT_EQ(canvas.pixel(1, 0), qRgb(40, 50, 60));

    indexed.setColorTable({qRgba(10, 20, 30, 0), qRgb(40, 50, 60)});
    TPngGraphic keyed;
    keyed.LoadFromFile(SavePng(dir, "keyed.png", indexed));
    EXPECT_EQ(keyed.Image()->BytesPerPixel, 4);
    canvas = Canvas(2, 1, QColor(1, 2, 3));
    keyed.Draw(canvas, canvas.rect());
    EXPECT_EQ(canvas.pixel(0, 0), qRgb(1, 2, 3));
    EXPECT_EQ(canvas.pixel(1, 0), qRgb(40, 50, 60));
}

TEST(PngDraw, ANewCanvasIsWhiteAndTwentyFourBit)
{
    const QImage canvas = NewCanvas24(3, 2);
    EXPECT_EQ(canvas.format(), QImage::Format_BGR888);
    EXPECT_EQ(canvas.pixel(2, 1), qRgb(255, 255, 255));
    ASSERT_EQ(canvas.bytesPerLine() >= 9, true);
}

TEST(PngGraphic, AnEmptyGraphicHasNoSizeAndDrawsNothing)
{
    TPngGraphic png;
    EXPECT_TRUE(png.GetEmpty());
    EXPECT_EQ(png.GetWidth(), 0);
    EXPECT_EQ(png.GetHeight(), 0);
    EXPECT_TRUE(png.Transparent);
    QImage canvas = Canvas(2, 2, QColor(9, 8, 7));
    png.Draw(canvas, canvas.rect());
    EXPECT_EQ(canvas.pixel(1, 1), qRgb(9, 8, 7));
    TTempDir dir;
    png.SaveToFile(dir.Dir() + "nothing.png");
    EXPECT_FALSE(std::filesystem::exists(dir.Dir() + "nothing.png"));
}

TEST(PngGraphic, UnsupportedOperationsRaiseTheirMessages)
{
    TPngGraphic png;
    EXPECT_EQ(ErrorOf([&] { png.LoadFromClipboardFormat(); }),
              "Cannot load a TPngGraphic from the Clipboard");
    EXPECT_EQ(ErrorOf([&] { png.LoadFromStream(); }), "Cannot load a TPngGraphic from a Stream");
    EXPECT_EQ(ErrorOf([&] { png.SaveToClipboardFormat(); }), "Cannot save a TPngGraphic to the Clipboard");
    EXPECT_EQ(ErrorOf([&] { png.SaveToStream(); }), "Cannot save a TPngGraphic to a Stream");
    EXPECT_EQ(ErrorOf([&] { png.SetHeight(3); }), "Cannot set height on a TPngGraphic");
    EXPECT_EQ(ErrorOf([&] { png.SetWidth(3); }), "Cannot set width on a TPngGraphic");
}

TEST(PngGraphic, MissingAndDamagedFilesRaiseTheirMessages)
{
    TTempDir dir;
    TPngGraphic png;
    const std::string missing = dir.Dir() + "missing.png";
    EXPECT_EQ(ErrorOf([&] { png.LoadFromFile(missing); }), "Error Opening File " + missing + "!");
    const std::string text = dir.WriteFile("text.png", "this is not a picture");
    EXPECT_EQ(ErrorOf([&] { png.LoadFromFile(text); }), "Error Reading File!");
    EXPECT_EQ(ErrorOf([&] { png.LoadFromBytes(""); }), "Error Reading File!");
    const std::string good = SavePng(dir, "good.png", ThreeAlphas());
    const std::string bytes = ReadBytes(good);
    for (std::size_t cut : {std::size_t{8}, std::size_t{33}, bytes.size() / 2, bytes.size() - 13}) {
        const std::string path = dir.WriteFile("cut.png", bytes.substr(0, cut));
        EXPECT_EQ(ErrorOf([&] { png.LoadFromFile(path); }), "Error Reading File!") << cut;
    }
    std::string flipped = bytes;
    flipped[40] ^= 0x55;
    EXPECT_EQ(ErrorOf([&] { png.LoadFromBytes(flipped); }), "Error Reading File!");
}

TEST(PngGraphic, AFailedLoadKeepsTheEarlierPicture)
{
    TTempDir dir;
    TPngGraphic png;
    png.LoadFromFile(SavePng(dir, "good.png", ThreeAlphas()));
    EXPECT_EQ(ErrorOf([&] { png.LoadFromBytes("\x89PNG\r\n\x1a\n"); }), "Error Reading File!");
    EXPECT_EQ(png.GetWidth(), 3);
    EXPECT_TRUE(png.Image()->HasData());
}

TEST(PngGraphic, CopiesAndAssignmentShareOneImage)
{
    TTempDir dir;
    const std::string path = SavePng(dir, "good.png", ThreeAlphas());
    TPngGraphic first;
    first.LoadFromFile(path);
    {
        TPngGraphic second;
        second.Assign(first);
        EXPECT_EQ(second.Image(), first.Image());
        EXPECT_EQ(first.Image()->RefCount(), 2);
        TPngGraphic third(second);
        EXPECT_EQ(first.Image()->RefCount(), 3);
        third.Assign(third);
        EXPECT_EQ(first.Image()->RefCount(), 3);
    }
    EXPECT_EQ(first.Image()->RefCount(), 1);
    first.Assign(TPngGraphic());
    EXPECT_TRUE(first.GetEmpty());
}

TEST(PngSave, SavedFilesReadBackWithTheirAlphaAndSixteenBitSamples)
{
    TTempDir dir;
    TPngGraphic png;
    png.LoadFromFile(SavePng(dir, "alpha.png", ThreeAlphas()));
    const std::string copy = dir.Dir() + "copy.png";
    png.SaveToFile(copy);
    const QImage back(QString::fromStdString(copy));
    ASSERT_EQ(back.size(), QSize(3, 1));
    EXPECT_EQ(qAlpha(back.pixel(0, 0)), 255);
    EXPECT_EQ(qAlpha(back.pixel(1, 0)), 0);
    EXPECT_EQ(qAlpha(back.pixel(2, 0)), 128);

    QImage deep(2, 1, QImage::Format_RGBA64);
    deep.setPixelColor(0, 0, QColor::fromRgba64(0x1234, 0xABCD, 0xFFFF, 0xFFFF));
    deep.setPixelColor(1, 0, QColor::fromRgba64(0, 0x8000, 0x0101, 0x4000));
    TPngGraphic sixteen;
    sixteen.LoadFromFile(SavePng(dir, "deep.png", deep));
    ASSERT_EQ(sixteen.Image()->BitDepth, 16);
    EXPECT_EQ(sixteen.Image()->Row(0)[0], 0x34); // little-endian after reading
    sixteen.SaveToFile(dir.Dir() + "deep2.png");
    const QImage deepBack(QString::fromStdString(dir.Dir() + "deep2.png"));
    EXPECT_EQ(deepBack.pixelColor(0, 0).rgba64(), deep.pixelColor(0, 0).rgba64());
    EXPECT_EQ(deepBack.pixelColor(1, 0).rgba64(), deep.pixelColor(1, 0).rgba64());
}

TEST(PngSave, AnUnwritableTargetRaisesAndLeavesNothing)
{
    TTempDir dir;
    TPngGraphic png;
    png.LoadFromFile(SavePng(dir, "alpha.png", ThreeAlphas()));
    const std::string target = dir.Dir() + "no-such-folder/out.png";
    EXPECT_EQ(ErrorOf([&] { png.SaveToFile(target); }), "Error Opening File " + target + "!");
}

TEST(PngDraw, ANewCanvasGetsEveryAlphaAndColourAsDrawingOntoWhiteGives)
{
    // Row t holds alpha 255 - t at every grey level, so every pair of inverted alpha and colour occurs.
    QImage every(256, 256, QImage::Format_ARGB32);
    for (int t = 0; t < 256; ++t)
        for (int c = 0; c < 256; ++c)
            every.setPixel(c, t, qRgba(c, 255 - c, c / 2, 255 - t));
    TTempDir dir;
    TPngGraphic png;
    png.LoadFromFile(SavePng(dir, "every.png", every));
    ASSERT_EQ(png.Image()->BytesPerPixel, 4);
    QImage drawn = Canvas(256, 256, Qt::white);
    png.Draw(drawn, drawn.rect());
    const QImage fresh = DrawOnNewCanvas24(png);
    EXPECT_EQ(CompareRgb(fresh, drawn), "");
    EXPECT_EQ(fresh.pixel(200, 0), qRgb(200, 55, 100));
    EXPECT_EQ(fresh.pixel(200, 255), qRgb(255, 255, 255));
    EXPECT_EQ(fresh.pixel(200, 127), qRgb((127 * 255 + 128 * 200) / 255, (127 * 255 + 128 * 55) / 255,
                                          (127 * 255 + 128 * 100) / 255));
}

#include "images/ScreenshotLoad.h"

#include <gtest/gtest.h>

#include <QPainter>

#include "PictureTestTools.h"
#include "support/TempDir.h"

namespace {

class ScreenshotLoad : public ::testing::Test
{
protected:
    std::string Save(const std::string& name, const QImage& image, const char* format)
    {
        const std::string path = m_temp.Dir() + name;
        EXPECT_TRUE(image.save(QString::fromStdString(path), format));
        return path;
    }
    static QImage Filled(int width, int height, QColor colour, QImage::Format format = QImage::Format_RGB32)
    {
        QImage image(width, height, format);
        image.fill(colour);
        return image;
    }

    TTempDir m_temp;
};

} // namespace

TEST_F(ScreenshotLoad, BitmapsAndJpegsGoThroughTheRegistry)
{
    QImage bmp = Filled(31, 17, QColor(10, 200, 30));
    bmp.setPixel(0, 0, qRgb(255, 0, 0));
    const TPictureResult fromBmp = LoadScreenshotFile(Save("abc.001.bmp", bmp, "BMP"));
    ASSERT_TRUE(fromBmp.Ok()) << fromBmp.Error;
    EXPECT_EQ(fromBmp.Image.size(), QSize(31, 17));
    EXPECT_EQ(QColor(fromBmp.Image.pixel(0, 0)), QColor(255, 0, 0));
    EXPECT_EQ(QColor(fromBmp.Image.pixel(30, 16)), QColor(10, 200, 30));

    const TPictureResult fromJpg = LoadScreenshotFile(Save("abc.002.jpg", Filled(64, 48, Qt::gray), "JPG"));
    ASSERT_TRUE(fromJpg.Ok()) << fromJpg.Error;
    EXPECT_EQ(fromJpg.Image.size(), QSize(64, 48));
}

TEST_F(ScreenshotLoad, PcxMadeByPillowDecodes)
{
    const std::string missing = MissingTool("pillow");
    if (!missing.empty())
        GTEST_SKIP() << missing;
    const std::string path = m_temp.Dir() + "abc.pcx";
    ASSERT_TRUE(RunShell("/usr/bin/python3 -c \"from PIL import Image; Image.new('P', (13, 7), 3).save('" +
                         path + "')\""));
    const TPictureResult result = LoadScreenshotFile(path);
    ASSERT_TRUE(result.Ok()) << result.Error;
    EXPECT_EQ(result.Image.size(), QSize(13, 7));
}

TEST_F(ScreenshotLoad, TheEntryDecidesTheDecoderAndTheRealNameIsOpened)
{
    const std::string real = Save("ABC.001.BMP", Filled(9, 9, Qt::white), "BMP");
    const TPictureResult result = LoadScreenshotFile(m_temp.Dir() + "abc.001.bmp", real);
    ASSERT_TRUE(result.Ok()) << result.Error;
    EXPECT_EQ(result.Image.width(), 9);
    // An upper-case extension is not one of the registry's three and goes the PNG way.
    const TPictureResult upper = LoadScreenshotFile(real, real);
    EXPECT_EQ(upper.Error, "Invalid file format.");
}

TEST_F(ScreenshotLoad, DamagedOrMissingFilesGiveTheirMessage)
{
    const std::string text = "not a picture";
    const std::string bmp = m_temp.WriteFile("a.bmp", text);
    const std::string jpg = m_temp.WriteFile("a.jpg", "\xFF\xD8\xFF\xE0 cut");
    const std::string pcx = m_temp.WriteFile("a.pcx", std::string(20, '\x0A'));
    const std::string png = m_temp.WriteFile("a.png", "\x89PNG\r\n\x1A\n short");
    for (const std::string& path : {bmp, jpg, pcx, m_temp.Dir() + "gone.bmp"}) {
        const TPictureResult result = LoadScreenshotFile(path);
        EXPECT_FALSE(result.Ok()) << path;
        EXPECT_EQ(result.Error, "Invalid file format !") << path;
    }
    for (const std::string& path : {png, m_temp.Dir() + "gone.png", m_temp.WriteFile("noextension", text)}) {
        const TPictureResult result = LoadScreenshotFile(path);
        EXPECT_FALSE(result.Ok()) << path;
        EXPECT_EQ(result.Error, "Invalid file format.") << path;
    }
}

TEST_F(ScreenshotLoad, AnOpaquePngKeepsEveryPixel)
{
    QImage picture = Filled(20, 10, Qt::black);
    picture.setPixel(5, 5, qRgb(0, 0, 255));
    const TPictureResult result = LoadScreenshotFile(Save("abc.png", picture, "PNG"));
    ASSERT_TRUE(result.Ok()) << result.Error;
    EXPECT_EQ(result.Image.size(), QSize(20, 10));
    EXPECT_EQ(qAlpha(result.Image.pixel(0, 9)), 255);
    EXPECT_EQ(QColor(result.Image.pixel(3, 3)), QColor(0, 0, 0));
    EXPECT_EQ(QColor(result.Image.pixel(5, 5)), QColor(0, 0, 255));
}

TEST_F(ScreenshotLoad, APngWithTransparencyIsKeyedByItsBottomLeftColour)
{
    QImage picture = Filled(20, 10, Qt::transparent, QImage::Format_ARGB32);
    picture.setPixel(4, 4, qRgba(200, 0, 0, 255));
    picture.setPixel(6, 4, qRgba(255, 255, 255, 255));
    picture.setPixel(8, 4, qRgba(0, 0, 0, 128));
    const TPictureResult result = LoadScreenshotFile(Save("abc.png", picture, "PNG"));
    ASSERT_TRUE(result.Ok()) << result.Error;
    const QImage& image = result.Image;
    EXPECT_EQ(qAlpha(image.pixel(0, 9)), 0);
    EXPECT_EQ(qAlpha(image.pixel(15, 1)), 0);
    EXPECT_EQ(qAlpha(image.pixel(6, 4)), 0) << "white like the key colour";
    EXPECT_EQ(image.pixel(4, 4), qRgba(200, 0, 0, 255));
    const QRgb half = image.pixel(8, 4);
    EXPECT_EQ(qAlpha(half), 255);
    EXPECT_NEAR(qRed(half), 127, 2);
}

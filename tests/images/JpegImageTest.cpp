// JPEG through libjpeg: files made by Pillow decode as Pillow decodes them, damaged ones fail cleanly.

#include <gtest/gtest.h>

#include "PictureTestTools.h"
#include "images/JpegImage.h"
#include "support/TempDir.h"

namespace {

// <name>.jpg in three colour spaces and Pillow's decode of each as <name>.ppm.
const char* kMakeScript = R"(
import sys
from PIL import Image
folder = sys.argv[1]
base = Image.new('RGB', (67, 41))
base.putdata([((x * 7) % 256, (y * 11) % 256, (x * y) % 256) for y in range(41) for x in range(67)])
for name, im in (('rgb', base), ('grey', base.convert('L')), ('cmyk', base.convert('CMYK'))):
    im.save(folder + '/' + name + '.jpg', quality=85)
    Image.open(folder + '/' + name + '.jpg').convert('RGB').save(folder + '/' + name + '.ppm')
)";

class JpegDecode : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(MissingTool("pillow"), "");
        ASSERT_TRUE(RunShellCached("/usr/bin/python3 " + Quoted(m_dir.WriteFile("make.py", kMakeScript)) +
                                       " " + Quoted(m_dir.Path().string()),
                                   m_dir.Dir()));
    }
    std::string Jpeg(const std::string& name) const { return ReadBytes(m_dir.Dir() + name + ".jpg"); }

    TTempDir m_dir;
};

} // namespace

TEST_F(JpegDecode, RgbGreyAndCmykFilesDecodeAsPillowDecodesThem)
{
    for (const char* name : {"rgb", "grey"}) {
        const TPictureResult result = DecodeJpeg(Jpeg(name));
        ASSERT_TRUE(result.Ok()) << name << ": " << result.Error;
        EXPECT_EQ(CompareRgb(result.Image, ReadPpm(m_dir.Dir() + name + ".ppm")), "") << name;
    }
    // Pillow's CMYK to RGB conversion differs by rounding; each channel stays within one step.
    const TPictureResult cmyk = DecodeJpeg(Jpeg("cmyk"));
    ASSERT_TRUE(cmyk.Ok()) << cmyk.Error;
    const QImage reference = ReadPpm(m_dir.Dir() + "cmyk.ppm");
    ASSERT_EQ(cmyk.Image.size(), reference.size());
    int worst = 0;
    for (int y = 0; y < reference.height(); ++y)
        for (int x = 0; x < reference.width(); ++x) {
            const QRgb a = cmyk.Image.pixel(x, y), e = reference.pixel(x, y);
            worst = std::max({worst, std::abs(qRed(a) - qRed(e)), std::abs(qGreen(a) - qGreen(e)),
                              std::abs(qBlue(a) - qBlue(e))});
        }
    EXPECT_LE(worst, 1);
}

TEST_F(JpegDecode, CutShortOrCorruptedFilesFail)
{
    const std::string whole = Jpeg("rgb");
    for (std::size_t cut = 0; cut < whole.size(); cut += 37) {
        const TPictureResult result = DecodeJpeg(whole.substr(0, cut));
        EXPECT_FALSE(result.Ok()) << cut;
        EXPECT_FALSE(result.Error.empty()) << cut;
        EXPECT_TRUE(result.Image.isNull()) << cut;
    }
    EXPECT_FALSE(DecodeJpeg(whole.substr(0, whole.size() - 2)).Ok());
    EXPECT_FALSE(DecodeJpeg("").Ok());
    EXPECT_FALSE(DecodeJpeg("GIF89a not a jpeg at all").Ok());
    int failed = 0;
    for (std::size_t at = whole.size() / 2; at < whole.size() - 2; at += 29) {
        std::string damaged = whole;
        damaged[at] = static_cast<char>(0xFF);
        damaged[at + 1] = static_cast<char>(0xD9 - (at % 3));
        failed += DecodeJpeg(damaged).Ok() ? 0 : 1;
    }
    EXPECT_GT(failed, 0);
}

TEST_F(JpegDecode, AHeaderClaimingAHugePictureIsRefusedBeforeDecoding)
{
    std::string huge = Jpeg("rgb");
    const std::size_t sof = huge.find("\xFF\xC0");
    ASSERT_NE(sof, std::string::npos);
    huge[sof + 5] = huge[sof + 7] = static_cast<char>(0xFF); // height and width 65xxx
    const TPictureResult result = DecodeJpeg(huge);
    EXPECT_FALSE(result.Ok());
    EXPECT_EQ(result.Error, "The JPEG picture is too large");
}

TEST_F(JpegDecode, StrayBytesBeforeTheScanOnlyWarnAndThePicturesStaysExact)
{
    std::string stray = Jpeg("rgb");
    const std::size_t scan = stray.find("\xFF\xDA");
    ASSERT_NE(scan, std::string::npos);
    stray.insert(scan, "\x01\x02\x03", 3);
    const TPictureResult result = DecodeJpeg(stray);
    ASSERT_TRUE(result.Ok()) << result.Error;
    EXPECT_EQ(CompareRgb(result.Image, ReadPpm(m_dir.Dir() + "rgb.ppm")), "");
    EXPECT_EQ(result.FullSize, QSize(67, 41));
}

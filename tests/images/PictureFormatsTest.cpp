// The picture-format registry: which decoder an extension picks, and files of every kind through it.

#include <atomic>
#include <chrono>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QBuffer>
#include <QImage>

#include <gtest/gtest.h>

#include "PictureTestTools.h"
#include "images/PictureFormats.h"
#include "images/PngImage.h"
#include "support/TempDir.h"

namespace {

std::string Encoded(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, format));
    return bytes.toStdString();
}

QImage Sample()
{
    QImage image(5, 3, QImage::Format_RGB32);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            image.setPixel(x, y, qRgb(x * 50, y * 100, 77));
    return image;
}

std::string SamplePcx()
{
    std::vector<std::uint8_t> palette(768);
    for (int i = 0; i < 768; ++i)
        palette[i] = static_cast<std::uint8_t>(i);
    return Pcx256File(3, {std::string("\x01\x02\x03\x00", 4)}, palette);
}

void Put32(std::string& bytes, std::size_t at, std::int32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>((static_cast<std::uint32_t>(value) >> (8 * i)) & 0xFF);
}

} // namespace

TEST(PictureRegistry, TheBuiltInFormatsAreRegisteredWithTheirDescriptions)
{
    RegisterPictureFormats();
    RegisterPictureFormats();
    const std::pair<const char*, const char*> expected[] = {{"PCX", "PCX Files"},
                                                            {"PNG", "Portable Network Graphics"},
                                                            {"jpeg", "JPEG Image File"},
                                                            {"jpg", "JPEG Image File"}};
    for (auto [extension, description] : expected) {
        const TPictureFormat* format = FindPictureFormat(extension);
        ASSERT_NE(format, nullptr) << extension;
        EXPECT_EQ(format->Extension, extension);
        EXPECT_EQ(format->Description, description);
    }
    ASSERT_NE(FindPictureFormat("bmp"), nullptr);
    int pcxEntries = 0;
    for (const TPictureFormat& format : RegisteredPictureFormats())
        pcxEntries += format.Extension == "PCX" ? 1 : 0;
    EXPECT_EQ(pcxEntries, 1);
}

TEST(PictureRegistry, ExtensionsMatchWithoutRegardToCaseWithOrWithoutTheDot)
{
    EXPECT_EQ(FindPictureFormat("pcx"), FindPictureFormat("PCX"));
    EXPECT_EQ(FindPictureFormat(".Pcx"), FindPictureFormat("PCX"));
    EXPECT_EQ(FindPictureFormat("JPG")->Description, "JPEG Image File");
    EXPECT_EQ(FindPictureFormat(".JpEg")->Extension, "jpeg");
    EXPECT_EQ(FindPictureFormat("Png")->Extension, "PNG");
    EXPECT_EQ(FindPictureFormat(".BMP"), FindPictureFormat("bmp"));
    for (const char* unknown : {"gif", ".tga", "", ".", "pcxx", "pc"})
        EXPECT_EQ(FindPictureFormat(unknown), nullptr) << unknown;
    EXPECT_FALSE(DecodePicture("gif", "GIF89a").Ok());
}

TEST(PictureRegistry, EachExtensionPicksItsOwnDecoder)
{
    const TPictureResult pcx = DecodePicture("PCX", SamplePcx());
    ASSERT_TRUE(pcx.Ok()) << pcx.Error;
    EXPECT_EQ(pcx.Image.pixel(1, 0), qRgb(6, 7, 8));
    const TPictureResult bmp = DecodePicture("bmp", Encoded(Sample(), "BMP"));
    ASSERT_TRUE(bmp.Ok()) << bmp.Error;
    EXPECT_EQ(CompareRgb(bmp.Image, Sample()), "");
    const TPictureResult png = DecodePicture("png", Encoded(Sample(), "PNG"));
    ASSERT_TRUE(png.Ok()) << png.Error;
    EXPECT_EQ(png.Image.format(), QImage::Format_BGR888);
    EXPECT_EQ(CompareRgb(png.Image, Sample()), "");
    const TPictureResult jpg = DecodePicture("jpg", Encoded(Sample(), "JPEG"));
    ASSERT_TRUE(jpg.Ok()) << jpg.Error;
    EXPECT_EQ(jpg.Image.size(), QSize(5, 3));
    // The content must fit the extension.
    EXPECT_FALSE(DecodePicture("jpg", SamplePcx()).Ok());
    EXPECT_FALSE(DecodePicture("pcx", Encoded(Sample(), "PNG")).Ok());
    EXPECT_EQ(DecodePicture("png", Encoded(Sample(), "BMP")).Error, "Error Reading File!");
}

TEST(PictureRegistry, AnAddedFormatReplacesAnEarlierOneOfTheSameExtension)
{
    RegisterPictureFormat("korbtest", "First", [](const std::string&, int) {
        return TPictureResult{{}, "first", {}};
    });
    RegisterPictureFormat("KORBTEST", "Second", [](const std::string& bytes, int) {
        QImage image(static_cast<int>(bytes.size()), 1, QImage::Format_RGB32);
        image.fill(Qt::green);
        return TPictureResult{image, {}, {}};
    });
    EXPECT_EQ(FindPictureFormat("korbtest")->Description, "Second");
    EXPECT_EQ(DecodePicture(".KorbTest", "abcd").Image.width(), 4);
}

TEST(PictureFiles, LoadingAFileUsesTheExtensionOfItsName)
{
    TTempDir dir;
    const TPictureResult pcx = LoadPictureFile(dir.WriteFile("shot.001.PCX", SamplePcx()));
    ASSERT_TRUE(pcx.Ok()) << pcx.Error;
    EXPECT_EQ(pcx.Image.size(), QSize(3, 1));
    EXPECT_TRUE(LoadPictureFile(dir.WriteFile("a.b/title.bmp", Encoded(Sample(), "BMP"))).Ok());
    EXPECT_FALSE(LoadPictureFile(dir.WriteFile("a.pcx/noextension", SamplePcx())).Ok());
    EXPECT_FALSE(LoadPictureFile(dir.Dir() + "missing.pcx").Ok());
    EXPECT_FALSE(LoadPictureFile(dir.WriteFile("empty.jpg", "")).Ok());
    EXPECT_FALSE(LoadPictureFile(dir.Dir() + "a.b").Ok());
}

TEST(PictureFiles, BitmapsWithAbsurdHeadersFailCleanly)
{
    const std::string good = Encoded(Sample(), "BMP");
    auto patched = [&](std::size_t at, std::int32_t value) {
        std::string bytes = good;
        Put32(bytes, at, value);
        return bytes;
    };
    EXPECT_EQ(DecodePicture("bmp", patched(18, 1000000)).Error, "The BMP picture is too large");
    EXPECT_EQ(DecodePicture("bmp", patched(22, INT32_MIN)).Error, "The BMP picture is too large");
    EXPECT_EQ(DecodePicture("bmp", patched(22, -20000)).Error, "The BMP picture is too large");
    EXPECT_EQ(DecodePicture("bmp", patched(18, 0)).Error, "The BMP header gives no picture size");
    EXPECT_EQ(DecodePicture("bmp", patched(18, -5)).Error, "The BMP header gives no picture size");
    for (std::size_t at : {std::size_t{2}, std::size_t{10}, std::size_t{14}, std::size_t{28}, std::size_t{30},
                           std::size_t{34}, std::size_t{46}})
        for (std::int32_t value : {0, -1, 0x7FFFFFFF, 3, 1 << 20}) {
            const TPictureResult result = DecodePicture("bmp", patched(at, value));
            if (result.Ok()) {
                EXPECT_EQ(result.Image.size(), QSize(5, 3)) << at << " " << value;
            }
        }
    for (std::size_t cut = 0; cut < good.size(); cut += 7) {
        const TPictureResult result = DecodePicture("bmp", good.substr(0, cut));
        if (cut < 54) {
            EXPECT_FALSE(result.Ok()) << cut;
        } else if (result.Ok()) {
            EXPECT_EQ(result.Image.size(), QSize(5, 3)) << cut;
        }
    }
}

TEST(PictureFiles, ABitmapWhosePixelsAreCutShortIsInvalid)
{
    QImage picture(200, 100, QImage::Format_RGB888);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x)
            picture.setPixel(x, y, qRgb(x, y, x ^ y));
    const std::string whole = Encoded(picture, "BMP");
    ASSERT_EQ(Le16(whole, 28), 24);
    const std::size_t pixels = Le32(whole, 10);
    ASSERT_TRUE(DecodePicture("bmp", whole).Ok());
    for (std::size_t cut : {pixels, pixels + 1, whole.size() / 2, whole.size() - 600, whole.size() - 1}) {
        const TPictureResult result = DecodePicture("bmp", whole.substr(0, cut));
        EXPECT_EQ(result.Error, "The BMP file ends before its last pixel") << cut;
        EXPECT_TRUE(result.Image.isNull()) << cut;
    }
}

TEST(PictureFiles, APipeInPlaceOfAPictureIsRefusedWithoutWaitingForAWriter)
{
    TTempDir dir;
    const std::string pipe = dir.Dir() + "shot.png";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    // Should a reader wait for a writer after all, this one comes along and lets it fail instead of hang.
    std::atomic<bool> done{false};
    std::thread writer([&] {
        for (int wait = 0; wait < 100 && !done; ++wait) {
            std::this_thread::sleep_for(std::chrono::milliseconds(30));
            const int fd = ::open(pipe.c_str(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0)
                ::close(fd);
        }
    });
    const TPictureResult picture = LoadPictureFile(pipe, 0);
    EXPECT_NE(picture.Error.find("not a regular file"), std::string::npos) << picture.Error;
    TPngGraphic png;
    try {
        png.LoadFromFile(pipe, 0);
        ADD_FAILURE() << "a pipe loaded as a PNG";
    } catch (const TPngError& error) {
        EXPECT_STREQ(error.what(), ("Error Opening File " + pipe + "!").c_str());
    }
    done = true;
    writer.join();
}

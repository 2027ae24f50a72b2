// Large valid pictures are shown reduced within a memory budget, checked in a child process whose
// address space may grow by no more than the budget; files that cannot back their size fail first.

#include <future>

#include <gtest/gtest.h>

#include "PictureTestTools.h"
#include "images/JpegImage.h"
#include "images/ScreenshotLoad.h"
#include "support/TempDir.h"

#if defined(__SANITIZE_ADDRESS__)
#define KORB_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KORB_ASAN 1
#endif
#endif

namespace {

constexpr std::int64_t kMemoryBudget = std::int64_t{256} << 20;

// Large PCX files as Pillow writes them, with Pillow's pixels at every n-th column and line as a palette
// PNG (a few kilobytes where a PPM would take tens of megabytes); a
// 16384 x 16384 RGBA PNG in bands of 1024 pixels; a 13364 x 12596 grey JPEG.
[[maybe_unused]] const char* kMakeLargeScript = R"(
import struct, sys, zlib
from PIL import Image, ImageDraw
folder = sys.argv[1]
for side, k in ((6000, 2), (8192, 2), (10000, 3)):
    im = Image.new('P', (side, side), 0)
    im.putpalette([(i * 37 + i // 3) % 256 for i in range(768)])
    d = ImageDraw.Draw(im)
    for i in range(30):
        d.rectangle([i * side // 97, i * side // 53, side - i * side // 71, side - i * side // 89], fill=i * 7 + 1)
        d.ellipse([i * side // 61, i * side // 43, i * side // 31 + 50, i * side // 29 + 50], fill=255 - i)
    im.save('%s/big%d.pcx' % (folder, side))
    data = im.tobytes()
    rows = b''.join(data[y * side:(y + 1) * side:k] for y in range(0, side, k))
    small = Image.frombytes('P', ((side + k - 1) // k, (side + k - 1) // k), rows)
    small.putpalette(im.getpalette())
    small.save('%s/big%d.png' % (folder, side))

def adler32_combine(first, second, second_length):
    base = 65521
    rest = second_length % base
    low = ((first & 0xFFFF) + (second & 0xFFFF) + base - 1) % base
    high = (rest * (first & 0xFFFF) + (first >> 16) + (second >> 16) + base - rest) % base
    return high << 16 | low
def chunk(kind, data):
    return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data) & 0xFFFFFFFF)
side = 16384
bands = [b''.join(bytes((cx * 16, b * 16, (cx + b) * 8 % 256, 255)) * 1024 for cx in range(16)) for b in range(16)]
# A band's 1024 equal rows are 16 copies of one compressed block of 64 rows: a full flush ends each block on
# a byte and leaves it no reference to what came before, so copies follow each other in one stream.
idat, adler = [b'\x78\x01'], 1
for band in bands:
    rows = (b'\0' + band) * 64
    z = zlib.compressobj(1, zlib.DEFLATED, -15)
    idat.append((z.compress(rows) + z.flush(zlib.Z_FULL_FLUSH)) * 16)
    block = zlib.adler32(rows)
    for _ in range(16):
        adler = adler32_combine(adler, block, len(rows))
idat.append(b'\x03\x00' + struct.pack('>I', adler))
with open(folder + '/big16384.png', 'wb') as f:
    f.write(b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', side, side, 8, 6, 0, 0, 0)))
    f.write(chunk(b'IDAT', b''.join(idat)) + chunk(b'IEND', b''))

im = Image.new('L', (13364, 12596), 40)
d = ImageDraw.Draw(im)
for i in range(20):
    d.rectangle([i * 300, i * 280, 13363 - i * 250, 12595 - i * 310], fill=i * 11)
im.save(folder + '/big.jpg', quality=80)
)";

// True when the picture loads in a process whose address space may grow by at most the budget; kind is
// "screenshot" (LoadScreenshotFile) or "picture" (LoadPictureFile, the whole picture).
bool WithinMemoryBudget(const std::string& kind, const std::string& path)
{
    return RunShell(std::string(KORB_BUDGET_LOAD_PATH) + " " + kind + " " + Quoted(path) + " " +
                    std::to_string(kMemoryBudget));
}

// Pillow takes seconds over the large pictures, so it makes them while the tests before these run (this
// file's name sorts last in its folder, and its tests come last).
struct TLargePictureMaker : ::testing::Environment
{
    void SetUp() override
    {
#ifndef KORB_ASAN
        if (MissingTool("pillow").empty())
            s_made = std::async(std::launch::async, RunShellCached,
                                "/usr/bin/python3 " + Quoted(s_dir.WriteFile("make.py", kMakeLargeScript)) +
                                    " " + Quoted(s_dir.Path().string()),
                                s_dir.Dir());
#endif
    }
    void TearDown() override
    {
        if (s_made.valid())
            s_made.wait();
    }

    static TTempDir s_dir;
    static std::future<bool> s_made;
};

TTempDir TLargePictureMaker::s_dir;
std::future<bool> TLargePictureMaker::s_made;
[[maybe_unused]] ::testing::Environment* const kLargePictureMaker =
    ::testing::AddGlobalTestEnvironment(new TLargePictureMaker);

class LargePicture : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_made = TLargePictureMaker::s_made.valid() && TLargePictureMaker::s_made.get();
    }
    void SetUp() override
    {
#ifdef KORB_ASAN
        GTEST_SKIP() << "the address sanitizer reserves far more address space than any budget";
#endif
        ASSERT_TRUE(s_made) << "Pillow could not make the large pictures";
    }
    static std::string File(const std::string& name)
    {
        return TLargePictureMaker::s_dir.Dir() + name;
    }

    static bool s_made;
};

bool LargePicture::s_made = false;

} // namespace

TEST_F(LargePicture, PcxFilesUpTo10000PixelsAreShownReducedAsPillowDecodesThem)
{
    for (int side : {6000, 8192, 10000}) {
        const std::string pcx = File("big" + std::to_string(side) + ".pcx");
        EXPECT_TRUE(WithinMemoryBudget("screenshot", pcx)) << side;
        const TPictureResult shown = LoadScreenshotFile(pcx);
        ASSERT_TRUE(shown.Ok()) << side << ": " << shown.Error;
        EXPECT_EQ(shown.FullSize, QSize(side, side));
        const QImage pillows(QString::fromStdString(File("big" + std::to_string(side) + ".png")));
        EXPECT_EQ(CompareRgb(shown.Image, pillows), "") << side;
    }
}

TEST_F(LargePicture, A16384PixelRgbaPngIsShownReducedWithinTheBudget)
{
    const std::string png = File("big16384.png");
    EXPECT_TRUE(WithinMemoryBudget("screenshot", png));
    // The budget bites: decoded whole, the same file needs gigabytes.
    EXPECT_FALSE(WithinMemoryBudget("picture", png));
    const TPictureResult shown = LoadScreenshotFile(png);
    ASSERT_TRUE(shown.Ok()) << shown.Error;
    EXPECT_EQ(shown.FullSize, QSize(16384, 16384));
    ASSERT_EQ(shown.Image.size(), QSize(4096, 4096));
    for (int y = 0; y < 4096; y += 333)
        for (int x = 0; x < 4096; x += 77) {
            const int column = x * 4 / 1024, band = y * 4 / 1024;
            ASSERT_EQ(shown.Image.pixel(x, y) & 0xFFFFFF,
                      qRgb(column * 16, band * 16, (column + band) * 8) & 0xFFFFFF)
                << x << "," << y;
        }
}

TEST_F(LargePicture, A13364By12596JpegIsShownScaledWithinTheBudget)
{
    const std::string jpg = File("big.jpg");
    EXPECT_TRUE(WithinMemoryBudget("screenshot", jpg));
    const TPictureResult shown = LoadScreenshotFile(jpg);
    ASSERT_TRUE(shown.Ok()) << shown.Error;
    EXPECT_EQ(shown.FullSize, QSize(13364, 12596));
    EXPECT_EQ(shown.Image.size(), QSize((13364 + 3) / 4, (12596 + 3) / 4));
}

TEST_F(LargePicture, AJpegHeaderClaimingMoreThanItsDataCanHoldFailsBeforeDecoding)
{
    const std::string small = ReadBytes(KORB_TEST_DATA_DIR "/images/jpeg-huge-claim-153-bytes.jpg");
    ASSERT_EQ(small.size(), 153u);
    EXPECT_EQ(DecodeJpeg(small, kMaxShownSide).Error, "The JPEG file is too short for its picture");
    EXPECT_EQ(DecodeJpeg(small).Error, "The JPEG file is too short for its picture");
    // The same claim with enough data behind it is decoded, so the refusal is the data's, not the size's.
    const std::string big = ReadBytes(File("big.jpg"));
    EXPECT_TRUE(DecodeJpeg(big, kMaxShownSide).Ok());
}

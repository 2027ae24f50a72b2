// The PCX decoder against encoders and decoders nobody on the team wrote: Pillow, ImageMagick and Netpbm
// make the files at test time, and every decoded pixel must match what those tools decode.

#include <fstream>

#include <gtest/gtest.h>

#include "PictureTestTools.h"
#include "images/Pcxctrl.h"
#include "support/TempDir.h"

namespace {

// Writes <name>.pcx with Pillow's encoder and <name>.rgb with Pillow's decode of it, one line per file
// "<name> <width> <height>" in manifest.txt.
const char* kPillowScript = R"(
import random, sys
from PIL import Image
folder, kind = sys.argv[1], sys.argv[2]
random.seed(7)
def pixels(w, h, pattern, colours):
    if pattern == 'flat':
        return bytes([colours // 3]) * (w * h)
    if pattern == 'gradient':
        return bytes(((x * colours) // w + y) % colours for y in range(h) for x in range(w))
    return random.randbytes(w * h).translate(bytes(i % colours for i in range(256)))
cases = [(1, 1, 'flat'), (2, 1, 'noise'), (3, 3, 'gradient'), (7, 5, 'noise'), (16, 2, 'gradient'),
         (41, 9, 'noise'), (64, 64, 'flat'), (319, 200, 'gradient'), (320, 240, 'noise'),
         (641, 37, 'noise'), (640, 480, 'gradient'), (1024, 768, 'noise'), (64, 1000, 'flat'), (442, 800, 'flat')]
with open(folder + '/manifest.txt', 'w') as manifest:
    for w, h, pattern in cases:
        name = '%s_%dx%d_%s' % (kind, w, h, pattern)
        colours = 256 if kind == 'p256' else 16
        im = Image.frombytes('P', (w, h), pixels(w, h, pattern, colours))
        im.putpalette(list(random.randbytes(768)))
        if kind == 'p256':
            im.save(folder + '/' + name + '.pcx')
            Image.open(folder + '/' + name + '.pcx').convert('RGB').save(folder + '/' + name + '.rgb.ppm')
        else:
            im.convert('RGB').save(folder + '/' + name + '.ppm')
        manifest.write('%s %d %d\n' % (name, w, h))
)";

struct TCase
{
    std::string Name;
    int Width = 0;
    int Height = 0;
};

std::vector<TCase> ReadManifest(const std::string& path)
{
    std::vector<TCase> cases;
    std::ifstream in(path);
    TCase c;
    while (in >> c.Name >> c.Width >> c.Height)
        cases.push_back(c);
    return cases;
}

std::vector<TCase> MakeWithPillow(const TTempDir& dir, const std::string& kind)
{
    const std::string script = dir.WriteFile("make.py", kPillowScript);
    EXPECT_TRUE(RunShellCached(
        "/usr/bin/python3 " + Quoted(script) + " " + Quoted(dir.Path().string()) + " " + kind, dir.Dir()));
    return ReadManifest(dir.Dir() + "manifest.txt");
}

QImage Decode(const std::string& path)
{
    TPCXBitmap bitmap;
    EXPECT_TRUE(bitmap.LoadFromBytes(ReadBytes(path))) << path << ": " << bitmap.Error();
    return bitmap.Image();
}

std::string ReferenceFolderOf(const std::string& path)
{
    return path.substr(0, path.rfind('/') + 1);
}

QImage ImageMagickDecode(const std::string& pcx, int width, int height)
{
    const std::string raw = pcx + ".im.rgb";
    if (!RunShellCached("/usr/bin/convert " + Quoted(pcx) + " -depth 8 rgb:" + Quoted(raw),
                        ReferenceFolderOf(pcx)))
        return {};
    return ReadRawRgb(raw, width, height);
}

QImage NetpbmDecode(const std::string& pcx)
{
    const std::string ppm = pcx + ".netpbm.ppm";
    if (!RunShellCached("pcxtoppm " + Quoted(pcx) + " > " + Quoted(ppm) + " 2>/dev/null",
                        ReferenceFolderOf(pcx)))
        return {};
    return ReadPpm(ppm);
}

int BytesPerLineOf(const std::string& pcx)
{
    const std::string header = ReadBytes(pcx).substr(0, 70);
    return header.size() == 70 ? Le16(header, 66) : -1;
}

class PcxConformance : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const char* tool : {"pillow", "imagemagick", "netpbm"})
            ASSERT_EQ(MissingTool(tool), "");
    }
    TTempDir m_dir;
};

} // namespace

TEST_F(PcxConformance, PillowWritten256ColourFilesDecodeAsPillowAndImageMagickDecodeThem)
{
    const std::vector<TCase> cases = MakeWithPillow(m_dir, "p256");
    ASSERT_EQ(cases.size(), 14u);
    for (const TCase& c : cases) {
        const std::string pcx = m_dir.Dir() + c.Name + ".pcx";
        const QImage ours = Decode(pcx);
        EXPECT_EQ(CompareRgb(ours, ReadPpm(m_dir.Dir() + c.Name + ".rgb.ppm")), "") << c.Name << " (Pillow)";
        EXPECT_EQ(CompareRgb(ours, ImageMagickDecode(pcx, c.Width, c.Height)), "")
            << c.Name << " (ImageMagick)";
    }
}

TEST_F(PcxConformance, ImageMagickWrittenFilesWithOddBytesPerLineDecodeAsNetpbmAndPillowDecodeThem)
{
    bool sawOddBytesPerLine = false;
    std::vector<std::string> files;
    for (auto [w, h, pattern] : {std::tuple{41, 7, "plasma:"},
                                 {319, 200, "gradient:red-blue"},
                                 {1, 1, "xc:orange"},
                                 {333, 17, "plasma:"},
                                 {1024, 768, "gradient:yellow-navy"}}) {
        const std::string name = "im_" + std::to_string(w) + "x" + std::to_string(h);
        const std::string pcx = m_dir.Dir() + name + ".pcx";
        ASSERT_TRUE(RunShellCached("/usr/bin/convert -size " + std::to_string(w) + "x" + std::to_string(h) +
                                       " " + pattern + " -colors 200 -type palette PCX:" + Quoted(pcx),
                                   m_dir.Dir()));
        ASSERT_EQ(ReadBytes(pcx)[3], 8) << name << " must be a 256-colour file";
        sawOddBytesPerLine = sawOddBytesPerLine || BytesPerLineOf(pcx) % 2 == 1;
        EXPECT_EQ(CompareRgb(Decode(pcx), NetpbmDecode(pcx)), "") << name << " (Netpbm)";
        files.push_back(pcx);
    }
    EXPECT_TRUE(sawOddBytesPerLine);
    // One Pillow start for all the files: each writes <file>.pil.ppm.
    std::string command = "/usr/bin/python3 -c 'import sys; from PIL import Image\n"
                          "for f in sys.argv[1:]: Image.open(f).convert(\"RGB\").save(f + \".pil.ppm\")'";
    for (const std::string& pcx : files)
        command += " " + Quoted(pcx);
    ASSERT_TRUE(RunShellCached(command, m_dir.Dir()));
    for (const std::string& pcx : files)
        EXPECT_EQ(CompareRgb(Decode(pcx), ReadPpm(pcx + ".pil.ppm")), "") << pcx << " (Pillow)";
}

TEST_F(PcxConformance, OddBytesPerLineOf319And41DecodeAsNetpbmAndImageMagickDecodeThem)
{
    std::vector<std::uint8_t> palette(768);
    for (std::size_t i = 0; i < palette.size(); ++i)
        palette[i] = static_cast<std::uint8_t>(i * 7 + i / 3);
    for (auto [width, bytesPerLine, height] :
         {std::tuple{319, 319, 9}, {41, 41, 5}, {318, 319, 3}, {39, 41, 4}}) {
        std::vector<std::string> lines;
        for (int y = 0; y < height; ++y) {
            std::string line;
            for (int x = 0; x < bytesPerLine; ++x)
                line += static_cast<char>(x < width ? (x * 13 + y * 71 + (x * y) % 7) % 256 : 0);
            lines.push_back(line);
        }
        const std::string pcx =
            m_dir.WriteFile("odd" + std::to_string(width) + ".pcx", Pcx256File(width, lines, palette));
        const QImage ours = Decode(pcx);
        EXPECT_EQ(CompareRgb(ours, NetpbmDecode(pcx)), "") << width << " (Netpbm)";
        EXPECT_EQ(CompareRgb(ours, ImageMagickDecode(pcx, width, height)), "") << width << " (ImageMagick)";
    }
}

TEST_F(PcxConformance, FourPlaneNetpbmFilesDecodeAsNetpbmAndImageMagickDecodeThem)
{
    const std::vector<TCase> cases = MakeWithPillow(m_dir, "c16");
    ASSERT_EQ(cases.size(), 14u);
    for (const TCase& c : cases) {
        const std::string pcx = m_dir.Dir() + c.Name + ".pcx";
        ASSERT_TRUE(RunShellCached("ppmtopcx -planes=4 " + Quoted(m_dir.Dir() + c.Name + ".ppm") + " > " +
                                       Quoted(pcx) + " 2>/dev/null",
                                   m_dir.Dir()));
        const std::string bytes = ReadBytes(pcx);
        ASSERT_TRUE(bytes.size() > 70 && bytes[3] == 1 && bytes[65] == 4) << c.Name << " is not four-plane";
        const QImage ours = Decode(pcx);
        EXPECT_EQ(CompareRgb(ours, NetpbmDecode(pcx)), "") << c.Name << " (Netpbm)";
        EXPECT_EQ(CompareRgb(ours, ImageMagickDecode(pcx, c.Width, c.Height)), "")
            << c.Name << " (ImageMagick)";
        // The source picture itself, which the encoder was given.
        EXPECT_EQ(CompareRgb(ours, ReadPpm(m_dir.Dir() + c.Name + ".ppm")), "") << c.Name << " (source)";
    }
}

TEST_F(PcxConformance, FourPlaneFilesWithPaddedBytesPerLineDecodeAsNetpbmAndImageMagickDecodeThem)
{
    // Netpbm writes no padding; most other encoders round the bytes per line of each plane up to even.
    for (auto [width, height] : {std::pair{7, 3}, {20, 5}, {41, 4}, {100, 9}, {639, 6}}) {
        const int bytesPerLine = ((width + 7) / 8 + 1) / 2 * 2 + (width == 100 ? 2 : 0);
        TPcxLayout layout;
        layout.BitsPerPixel = 1;
        layout.Planes = 4;
        layout.Width = width;
        layout.Height = height;
        layout.BytesPerLine = bytesPerLine;
        for (int i = 0; i < 48; ++i)
            layout.HeaderPalette.push_back(static_cast<std::uint8_t>(i * 83 % 256));
        std::string file = PcxHeader(layout);
        for (int y = 0; y < height; ++y) {
            std::string line(4 * bytesPerLine, '\0');
            for (int x = 0; x < width; ++x) {
                const int colour = (x * 5 + y * 3 + x / 7) % 16;
                for (int k = 0; k < 4; ++k)
                    if (colour >> k & 1)
                        line[k * bytesPerLine + x / 8] |= static_cast<char>(0x80 >> (x % 8));
            }
            file += PcxEncodeLine(line);
        }
        const std::string pcx = m_dir.WriteFile("padded" + std::to_string(width) + ".pcx", file);
        const QImage ours = Decode(pcx);
        EXPECT_EQ(CompareRgb(ours, NetpbmDecode(pcx)), "") << width << " (Netpbm)";
        EXPECT_EQ(CompareRgb(ours, ImageMagickDecode(pcx, width, height)), "") << width << " (ImageMagick)";
    }
}

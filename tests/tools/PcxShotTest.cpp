// The PCX files the stand-in writes: headers as the front-end's decoder expects them, pixels as decoders
// written by others read them.

#include <cstdint>
#include <filesystem>
#include <random>
#include <stdexcept>

#include <gtest/gtest.h>

#include "PcxEncoder.h"
#include "SimPicture.h"
#include "ToolProcess.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

int Word(const std::string& bytes, size_t offset)
{
    return uint8_t(bytes[offset]) | (uint8_t(bytes[offset + 1]) << 8);
}

struct TRgbImage
{
    int Width = 0;
    int Height = 0;
    std::string Rgb; // three bytes per pixel, top row first
};

// Netpbm's binary PPM: "P6", width, height, maximum 255, then the pixels.
TRgbImage ParsePpm(const std::string& bytes)
{
    TRgbImage image;
    std::istringstream header(bytes);
    std::string magic;
    int maximum = 0;
    header >> magic >> image.Width >> image.Height >> maximum;
    if (magic != "P6" || maximum != 255)
        return {};
    const size_t start = size_t(header.tellg()) + 1;
    image.Rgb = bytes.substr(start);
    return image;
}

TRgbImage DecodeWithNetpbm(const fs::path& pcx, const TTempDir& scratch)
{
    const TCommandResult result =
        RunIn(scratch.Path(), "pcxtoppm " + ShellQuote(pcx.string()) + " > decoded.ppm");
    EXPECT_EQ(result.ExitCode, 0) << result.Output;
    return ParsePpm(ReadBytes(scratch.Path() / "decoded.ppm"));
}

TRgbImage DecodeWithPillow(const fs::path& pcx, const TTempDir& scratch)
{
    const std::string script = "import sys\nfrom PIL import Image\n"
                               "im = Image.open(sys.argv[1])\n"
                               "assert im.format == 'PCX', im.format\n"
                               "im.convert('RGB').save(sys.argv[2], 'PPM')\n";
    scratch.WriteFile("decode.py", script);
    const TCommandResult result =
        RunIn(scratch.Path(), "/usr/bin/python3 decode.py " + ShellQuote(pcx.string()) + " decoded.ppm");
    EXPECT_EQ(result.ExitCode, 0) << result.Output;
    return ParsePpm(ReadBytes(scratch.Path() / "decoded.ppm"));
}

// Compares every pixel, reporting the first difference only.
void ExpectSamePixels(const TIndexedPicture& picture, const TRgbImage& decoded, bool sixteen)
{
    ASSERT_EQ(decoded.Width, picture.Width);
    ASSERT_EQ(decoded.Height, picture.Height);
    ASSERT_EQ(decoded.Rgb.size(), size_t(picture.Width) * size_t(picture.Height) * 3);
    for (size_t i = 0; i < picture.Pixels.size(); ++i) {
        const size_t index = sixteen ? picture.Pixels[i] % 16 : picture.Pixels[i];
        for (size_t channel = 0; channel < 3; ++channel) {
            const uint8_t want = picture.Palette[index * 3 + channel];
            const uint8_t got = uint8_t(decoded.Rgb[i * 3 + channel]);
            if (want != got) {
                FAIL() << "pixel " << i % size_t(picture.Width) << "," << i / size_t(picture.Width)
                       << " channel " << channel << ": want " << int(want) << " got " << int(got);
            }
        }
    }
}

// Runs of every length, values that need escaping, and noise.
TIndexedPicture AwkwardPicture(int width, int height, int colours)
{
    TIndexedPicture picture;
    picture.Width = width;
    picture.Height = height;
    std::mt19937 random(unsigned(width * 131 + height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            int value = 0;
            if (y % 3 == 0)
                value = 0xC0 + y % 60; // one long run of an escaped value
            else if (y % 3 == 1)
                value = int(random() % unsigned(colours));
            else
                value = (x / (1 + y % 70)) * 37;
            picture.Pixels.push_back(uint8_t(value % colours));
        }
    }
    for (size_t i = 0; i < picture.Palette.size(); ++i)
        picture.Palette[i] = uint8_t(random());
    return picture;
}

std::string SaveTo(const TTempDir& folder, const std::string& name, const std::string& bytes)
{
    return folder.WriteFile(name, bytes);
}

} // namespace

TEST(PcxEncoder, EightBitPicturesDecodeTheSameWithPillowAndNetpbm)
{
    TTempDir folder;
    for (const auto& [width, height] :
         std::vector<std::pair<int, int>>{{1, 1}, {13, 5}, {200, 7}, {64, 130}}) {
        SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
        const TIndexedPicture picture = AwkwardPicture(width, height, 256);
        const fs::path file = SaveTo(folder, "p256.pcx", EncodePcx256(picture));
        ExpectSamePixels(picture, DecodeWithPillow(file, folder), false);
        ExpectSamePixels(picture, DecodeWithNetpbm(file, folder), false);
    }
}

TEST(PcxEncoder, FourPlanePicturesDecodeTheSameWithNetpbm)
{
    TTempDir folder;
    for (const auto& [width, height] : std::vector<std::pair<int, int>>{{1, 1}, {9, 4}, {17, 3}, {640, 20}}) {
        SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
        const TIndexedPicture picture = AwkwardPicture(width, height, 16);
        const fs::path file = SaveTo(folder, "p16.pcx", EncodePcx16(picture));
        ExpectSamePixels(picture, DecodeWithNetpbm(file, folder), true);
    }
}

TEST(PcxEncoder, RunsNeverCrossALineAndStayWithinSixtyThree)
{
    TIndexedPicture picture;
    picture.Width = 200;
    picture.Height = 2;
    picture.Pixels.assign(400, 7);
    const std::string bytes = EncodePcx256(picture);
    // 200 equal bytes: three runs of 63 and one of 11, per line.
    const std::string line = std::string("\xFF\x07\xFF\x07\xFF\x07", 6) + char(0xC0 + 11) + char(7);
    EXPECT_EQ(bytes.substr(128, line.size() * 2), line + line);
    EXPECT_EQ(bytes.size(), 128 + line.size() * 2 + 769);
}

TEST(PcxEncoder, RefusesSizesItCannotStore)
{
    TIndexedPicture empty;
    EXPECT_THROW(EncodePcx256(empty), std::invalid_argument);
    TIndexedPicture mismatched;
    mismatched.Width = 4;
    mismatched.Height = 4;
    mismatched.Pixels.assign(15, 0);
    EXPECT_THROW(EncodePcx16(mismatched), std::invalid_argument);
    TIndexedPicture huge;
    huge.Width = 70000;
    huge.Height = 1;
    huge.Pixels.assign(70000, 0);
    EXPECT_THROW(EncodePcx256(huge), std::invalid_argument);
}

class TSimShots : public ::testing::Test
{
protected:
    // One shot of the game at the resolution; returns the file's bytes.
    fs::path TakeShot(const std::string& zip, const std::string& resolution)
    {
        m_folder.WriteFile("ziproms/" + zip + ".zip", "PK");
        const TCommandResult result = RunSim(m_folder.Path(), {zip, "-res", resolution},
                                             "KORB_SIM_INI=/nonexistent KORB_SIM_RUN_MS=0 KORB_SIM_SHOTS=1");
        EXPECT_EQ(result.Output.find("cannot"), std::string::npos) << result.Output;
        return m_folder.Path() / "pcx" / (zip.substr(0, 6) + "01.pcx");
    }
    TTempDir m_folder;
};

TEST_F(TSimShots, TwoHundredFiftySixColourHeaderSaysWhatTheFileIs)
{
    const std::string bytes = ReadBytes(TakeShot("starrng2", "320x200"));
    ASSERT_GT(bytes.size(), 128u + 769u);
    EXPECT_EQ(bytes[0], 10) << "manufacturer";
    EXPECT_EQ(bytes[2], 1) << "run-length encoding";
    EXPECT_EQ(bytes[3], 8) << "bits per pixel";
    EXPECT_EQ(bytes[65], 1) << "planes";
    EXPECT_EQ(Word(bytes, 4), 0);
    EXPECT_EQ(Word(bytes, 6), 0);
    EXPECT_EQ(Word(bytes, 8), 319);
    EXPECT_EQ(Word(bytes, 10), 199);
    EXPECT_EQ(Word(bytes, 66), 320) << "bytes per line";
    EXPECT_EQ(bytes[bytes.size() - 769], 12) << "palette marker";
}

TEST_F(TSimShots, SixteenColourHeaderSaysWhatTheFileIs)
{
    const std::string bytes = ReadBytes(TakeShot("kquest", "640x480"));
    ASSERT_GT(bytes.size(), 128u);
    EXPECT_EQ(bytes[0], 10);
    EXPECT_EQ(bytes[2], 1);
    EXPECT_EQ(bytes[3], 1) << "bits per pixel";
    EXPECT_EQ(bytes[65], 4) << "planes";
    EXPECT_EQ(Word(bytes, 8), 639);
    EXPECT_EQ(Word(bytes, 10), 479);
    EXPECT_EQ(Word(bytes, 66), 80) << "bytes per line and plane";
    EXPECT_NE(bytes.substr(16, 48), std::string(48, '\0')) << "the header carries the palette";
}

TEST_F(TSimShots, ShowTheGamesPictureToAnIndependentDecoder)
{
    TShotRequest request;
    request.ZipName = "starrng2";
    request.Title = "STAR RANGER II";
    request.Width = 321; // odd, so the stored line carries a padding byte
    request.Height = 201;
    ExpectSamePixels(RenderShot(request), DecodeWithPillow(TakeShot("starrng2", "321x201"), m_folder), false);

    request.ZipName = "kquest";
    request.Title = "Knight's Quest";
    request.Width = 330;
    request.Height = 100;
    request.SixteenColours = true;
    ExpectSamePixels(RenderShot(request), DecodeWithNetpbm(TakeShot("kquest", "330x100"), m_folder), true);
}

TEST(SimPicture, DiffersBetweenGamesAndShots)
{
    TShotRequest first;
    first.ZipName = "starrng2";
    first.Title = "STAR RANGER II";
    TShotRequest second = first;
    second.ShotNumber = 2;
    TShotRequest other = first;
    other.ZipName = "lunrover";
    other.Title = "LUNAR ROVER DELTA";
    const TIndexedPicture a = RenderShot(first);
    EXPECT_NE(a.Pixels, RenderShot(second).Pixels);
    EXPECT_NE(a.Pixels, RenderShot(other).Pixels);
    EXPECT_EQ(a.Pixels.size(), size_t(320 * 240));
}

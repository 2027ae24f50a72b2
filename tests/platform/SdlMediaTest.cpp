#include "platform/qt/SdlMedia.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include <gtest/gtest.h>

#include "support/TempDir.h"

namespace {

void Put16(std::string& out, uint32_t value)
{
    out += static_cast<char>(value & 0xff);
    out += static_cast<char>((value >> 8) & 0xff);
}

void Put32(std::string& out, uint32_t value)
{
    Put16(out, value & 0xffff);
    Put16(out, value >> 16);
}

// A mono 16-bit tone of the given length.
std::string ToneWav(int sampleRate, int samples)
{
    std::string data;
    for (int i = 0; i < samples; ++i)
        Put16(data, static_cast<uint16_t>(static_cast<int16_t>(12000 * std::sin(i * 0.1))));
    std::string wav = "RIFF";
    Put32(wav, static_cast<uint32_t>(36 + data.size()));
    wav += "WAVEfmt ";
    Put32(wav, 16);
    Put16(wav, 1);
    Put16(wav, 1);
    Put32(wav, static_cast<uint32_t>(sampleRate));
    Put32(wav, static_cast<uint32_t>(sampleRate * 2));
    Put16(wav, 2);
    Put16(wav, 16);
    wav += "data";
    Put32(wav, static_cast<uint32_t>(data.size()));
    return wav + data;
}

// One quarter note of middle C on piano.
std::string OneNoteMidi()
{
    const unsigned char bytes[] = {'M', 'T', 'h', 'd',  0,   0,   0, 6,    0,    0,  0, 1,
                                   0,   96,  'M', 'T',  'r', 'k', 0, 0,    0,    12, 0, 0x90,
                                   60,  100, 96,  0x80, 60,  0,   0, 0xFF, 0x2F, 0};
    return std::string(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

// Sound goes to a file instead of a device.
class SdlMedia : public ::testing::Test
{
protected:
    TTempDir dir;
    std::string rendered = dir.Dir() + "rendered.raw";

    void SetUp() override
    {
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", rendered.c_str(), 1);
    }
    void WaitWhilePlaying(TSdlMedia& media)
    {
        for (int i = 0; i < 1000 && media.IsPlaying(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
};

} // namespace

TEST_F(SdlMedia, AWaveFilePlaysOnceAndIsRendered)
{
    const std::string wav = dir.WriteFile("shot.wav", ToneWav(22050, 4410));
    {
        TSdlMedia media;
        ASSERT_TRUE(media.Open(wav));
        EXPECT_FALSE(media.IsPlaying());
        ASSERT_TRUE(media.Play());
        EXPECT_TRUE(media.IsPlaying());
        WaitWhilePlaying(media);
        EXPECT_FALSE(media.IsPlaying());
    }
    std::ifstream in(rendered, std::ios::binary);
    std::string sound((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(sound.find_first_not_of('\0'), std::string::npos);
}

TEST_F(SdlMedia, MusicStopsWhenAsked)
{
    const std::string midi = dir.WriteFile("theme.mid", OneNoteMidi());
    TSdlMedia media;
    ASSERT_TRUE(media.Open(midi));
    ASSERT_TRUE(media.Play());
    EXPECT_TRUE(media.IsPlaying());
    media.Stop();
    EXPECT_FALSE(media.IsPlaying());
}

TEST_F(SdlMedia, AReleasedPlayerStopsAndOpensNothingAgain)
{
    const std::string wav = dir.WriteFile("shot.wav", ToneWav(22050, 22050));
    TSdlMedia media;
    ASSERT_TRUE(media.Open(wav));
    ASSERT_TRUE(media.Play());
    media.Release();
    EXPECT_FALSE(media.IsPlaying());
    EXPECT_FALSE(media.Open(wav));
    EXPECT_FALSE(media.Play());
    media.Release();
}

TEST_F(SdlMedia, BadFilesDoNotOpenAndNothingPlays)
{
    TSdlMedia media;
    EXPECT_FALSE(media.Open(dir.Dir() + "missing.mid"));
    EXPECT_FALSE(media.Open(dir.WriteFile("broken.wav", "RIFF\xff\xff\xff\xffWAVEfmt garbage")));
    EXPECT_FALSE(media.Open(dir.WriteFile("header-only.mid", "MThd")));
    EXPECT_FALSE(media.Open(dir.WriteFile("broken.mid", std::string("MThd\0\0\0\x06\0\0\0\x01\0\x60", 14))));
    EXPECT_FALSE(media.Open(dir.Dir()));
    EXPECT_FALSE(media.Play());
    EXPECT_FALSE(media.IsPlaying());
    media.Stop();
}

#include "SoundWriters.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

constexpr int kTicksPerBeat = 96;
constexpr int kSampleRate = 22050;

void PutBig32(std::string& out, uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out += char((value >> shift) & 0xFF);
}

void PutLittle(std::string& out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out += char((value >> (8 * i)) & 0xFF);
}

void PutVariable(std::string& out, uint32_t value)
{
    char bytes[5];
    int count = 0;
    do {
        bytes[count++] = char(value & 0x7F);
        value >>= 7;
    } while (value);
    while (count > 1)
        out += char(bytes[--count] | 0x80);
    out += bytes[0];
}

struct TEvent
{
    uint32_t Tick;
    std::string Bytes;
};

// A small linear congruential generator, so every game keeps its own tune from run to run.
unsigned Next(unsigned& state)
{
    state = state * 1103515245u + 12345u;
    return (state >> 16) & 0x7FFF;
}

std::vector<TEvent> TuneEvents(unsigned seed)
{
    static const int kScale[] = {0, 2, 4, 7, 9, 12, 14, 16};
    const int root = 57 + int(seed % 8);
    std::vector<TEvent> events;
    events.push_back({0, {char(0xC0), char(80 + seed % 8)}}); // a synth lead
    events.push_back({0, {char(0xC1), char(33 + seed % 6)}}); // a bass
    unsigned state = seed;
    uint32_t tick = 0;
    for (int bar = 0; bar < 8; ++bar) {
        const int bass = root - 24 + kScale[(unsigned(bar) * 3u + seed) % 4u];
        events.push_back({tick, {char(0x91), char(bass), char(90)}});
        events.push_back({tick + 4 * kTicksPerBeat - 1, {char(0x81), char(bass), char(0)}});
        for (uint32_t step = 0; step < 8; ++step) {
            const int note = root + kScale[Next(state) % 8];
            const uint32_t start = tick + step * kTicksPerBeat / 2;
            events.push_back({start, {char(0x90), char(note), char(100)}});
            events.push_back({start + kTicksPerBeat / 2 - 4, {char(0x80), char(note), char(0)}});
        }
        tick += 4 * kTicksPerBeat;
    }
    return events;
}

} // namespace

std::string MakeMidiTune(unsigned seed)
{
    std::vector<TEvent> events = TuneEvents(seed);
    std::stable_sort(events.begin(), events.end(),
                     [](const TEvent& a, const TEvent& b) { return a.Tick < b.Tick; });
    std::string track;
    PutVariable(track, 0);
    const uint32_t microsPerBeat = 60000000u / (120 + seed % 40);
    track += std::string("\xFF\x51\x03", 3);
    for (int shift = 16; shift >= 0; shift -= 8)
        track += char((microsPerBeat >> shift) & 0xFF);
    uint32_t last = 0;
    for (const TEvent& event : events) {
        PutVariable(track, event.Tick - last);
        track += event.Bytes;
        last = event.Tick;
    }
    PutVariable(track, kTicksPerBeat);
    track += std::string("\xFF\x2F\x00", 3);

    std::string file = "MThd";
    PutBig32(file, 6);
    file += std::string("\x00\x00\x00\x01", 4); // format 0, one track
    file += char(0);
    file += char(kTicksPerBeat);
    file += "MTrk";
    PutBig32(file, uint32_t(track.size()));
    return file + track;
}

std::string MakeWaveJingle(unsigned seed)
{
    const int count = kSampleRate * 11 / 10;
    const double base = 330.0 + double(seed % 12) * 40.0;
    std::string samples;
    double phase = 0;
    for (int i = 0; i < count; ++i) {
        const double t = double(i) / kSampleRate;
        const double step = std::floor(t * 10.0); // a new note every tenth of a second
        const double frequency = base * std::pow(2.0, (std::fmod(step * 5, 12.0)) / 12.0);
        phase += 2.0 * M_PI * frequency / kSampleRate;
        const double envelope = std::exp(-3.0 * std::fmod(t, 0.1) * 10.0) * (1.0 - t / 1.1);
        const double square = std::sin(phase) >= 0 ? 1.0 : -1.0;
        const double value = (0.6 * square + 0.4 * std::sin(phase * 2.0)) * envelope * 0.5;
        PutLittle(samples, uint32_t(int16_t(std::lround(value * 32767.0))) & 0xFFFF, 2);
    }
    std::string file = "RIFF";
    PutLittle(file, uint32_t(36 + samples.size()), 4);
    file += "WAVEfmt ";
    PutLittle(file, 16, 4);
    PutLittle(file, 1, 2); // PCM
    PutLittle(file, 1, 2); // mono
    PutLittle(file, kSampleRate, 4);
    PutLittle(file, kSampleRate * 2, 4);
    PutLittle(file, 2, 2);
    PutLittle(file, 16, 2);
    file += "data";
    PutLittle(file, uint32_t(samples.size()), 4);
    return file + samples;
}

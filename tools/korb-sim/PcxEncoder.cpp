#include "PcxEncoder.h"

#include <algorithm>
#include <stdexcept>

namespace {

constexpr int kHeaderSize = 128;
constexpr int kMaxRun = 63;

void CheckSize(const TIndexedPicture& picture)
{
    if (picture.Width < 1 || picture.Width > 65535 || picture.Height < 1 || picture.Height > 65535)
        throw std::invalid_argument("PCX picture size out of range");
    if (picture.Pixels.size() != size_t(picture.Width) * size_t(picture.Height))
        throw std::invalid_argument("PCX pixel count does not match the picture size");
}

void Put16(std::string& out, size_t offset, int value)
{
    out[offset] = char(value & 0xFF);
    out[offset + 1] = char((value >> 8) & 0xFF);
}

std::string Header(const TIndexedPicture& picture, int bitsPerPixel, int planes, int bytesPerLine)
{
    std::string header(kHeaderSize, '\0');
    header[0] = 10;
    header[1] = 5; // version 3.0 and later: palette information present
    header[2] = 1; // run-length encoding
    header[3] = char(bitsPerPixel);
    Put16(header, 8, picture.Width - 1);
    Put16(header, 10, picture.Height - 1);
    Put16(header, 12, 72);
    Put16(header, 14, 72);
    for (int i = 0; i < 48; ++i)
        header[16 + i] = char(picture.Palette[i]);
    header[65] = char(planes);
    Put16(header, 66, bytesPerLine);
    Put16(header, 68, 1); // colour, not grey scale
    return header;
}

// Runs end with the plane line, so a decoder that restarts at each line never sees a run spill over.
void EncodeLine(const std::vector<uint8_t>& line, std::string& out)
{
    size_t i = 0;
    while (i < line.size()) {
        const uint8_t value = line[i];
        size_t run = 1;
        while (i + run < line.size() && line[i + run] == value && run < kMaxRun)
            ++run;
        if (run > 1 || value >= 0xC0)
            out += char(0xC0 | run);
        out += char(value);
        i += run;
    }
}

int EvenBytes(int bytes)
{
    return bytes + (bytes & 1);
}

} // namespace

std::string EncodePcx256(const TIndexedPicture& picture)
{
    CheckSize(picture);
    const int bytesPerLine = EvenBytes(picture.Width);
    std::string out = Header(picture, 8, 1, bytesPerLine);
    std::vector<uint8_t> line(size_t(bytesPerLine), 0);
    for (int y = 0; y < picture.Height; ++y) {
        const uint8_t* row = picture.Pixels.data() + size_t(y) * size_t(picture.Width);
        std::copy(row, row + picture.Width, line.begin());
        EncodeLine(line, out);
    }
    out += char(12);
    out.append(reinterpret_cast<const char*>(picture.Palette.data()), picture.Palette.size());
    return out;
}

std::string EncodePcx16(const TIndexedPicture& picture)
{
    CheckSize(picture);
    const int bytesPerLine = EvenBytes((picture.Width + 7) / 8);
    std::string out = Header(picture, 1, 4, bytesPerLine);
    std::vector<uint8_t> plane(static_cast<size_t>(bytesPerLine), 0);
    for (int y = 0; y < picture.Height; ++y) {
        const uint8_t* row = picture.Pixels.data() + size_t(y) * size_t(picture.Width);
        for (int bit = 0; bit < 4; ++bit) {
            std::fill(plane.begin(), plane.end(), 0);
            for (int x = 0; x < picture.Width; ++x) {
                if ((row[x] >> bit) & 1)
                    plane[size_t(x / 8)] |= uint8_t(0x80 >> (x % 8));
            }
            EncodeLine(plane, out);
        }
    }
    return out;
}

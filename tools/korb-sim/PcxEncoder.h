#pragma once
// Writes run-length encoded PCX pictures: 256 colours in one 8-bit plane or 16 colours in four 1-bit planes.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct TIndexedPicture
{
    int Width = 0;
    int Height = 0;
    std::vector<uint8_t> Pixels;        // colour indices, top row first, Width per row
    std::array<uint8_t, 768> Palette{}; // red, green, blue per index; 16 colours use the first 48 bytes
};

// Both throw std::invalid_argument for a size outside 1..65535 or a pixel count that does not match it.
std::string EncodePcx256(const TIndexedPicture& picture);
// Indices are taken modulo 16.
std::string EncodePcx16(const TIndexedPicture& picture);

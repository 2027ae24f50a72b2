#pragma once
// Writing a decoded picture as a PNG in memory through libpng, and proving that a PNG holds its pixels.

#include <string>

#include <QImage>

// A 256-colour picture (QImage::Format_Indexed8, opaque colours, every index in its table) becomes a
// palette PNG of 1, 2, 4 or 8 bits, whatever fits the table; any other picture 8-bit RGB, or RGBA when it
// has an alpha channel. False when libpng refuses or memory runs out; error then says why.
bool EncodePng(const QImage& picture, std::string& png, std::string& error);

// True when the bytes decode, with the program's own PNG reader, to exactly the colours of the picture's
// pixels (with alpha as well when the picture has an alpha channel).
bool PngHoldsPixels(const std::string& png, const QImage& picture);

// The zlib level for rows of this picture: high where many pixels repeat their left neighbour, which
// costs little there and saves much; low for dithered photos, where higher levels save nothing.
int PngCompressionLevel(const QImage& picture);

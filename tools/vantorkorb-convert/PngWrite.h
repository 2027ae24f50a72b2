#pragma once
// Writing a decoded picture as an 8-bit PNG file through libpng.

#include <cstdio>
#include <string>

#include <QImage>

// RGB, or RGBA when the picture has an alpha channel. False when libpng or the file refuses (a full disk
// included); error then says why. The file is flushed but not closed.
bool WritePngFile(std::FILE* file, const QImage& picture, std::string& error);

// The pixels the PNG must hold: the picture as 8-bit RGB, or non-premultiplied RGBA with alpha.
QImage PngPixels(const QImage& picture);

// True when bytes decode, with the program's own PNG reader, to exactly these pixels.
bool PngHoldsPixels(const std::string& bytes, const QImage& pixels);

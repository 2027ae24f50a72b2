#pragma once
// Decoding one screenshot file into the picture the viewer shows, with the message for a file it cannot read.

#include <string>

#include "images/PictureFormats.h"

inline constexpr const char* kInvalidFormatText = "Invalid file format !";
inline constexpr const char* kInvalidPngText = "Invalid file format.";

// The extension of the entry decides the decoder, compared exactly as the list spells it (lower case):
// ".pcx", ".jpg" and ".bmp" go through the picture-format registry, anything else is read as PNG and drawn
// onto a white 24-bit canvas, whose key colour (its bottom-left pixel) becomes transparent when the PNG has
// transparency. realPath is the file as it is really named. On failure Error holds the message to show.
// A picture larger than kMaxShownSide on either side comes reduced; FullSize keeps the file's own size.
TPictureResult LoadScreenshotFile(const std::string& entry, const std::string& realPath);
inline TPictureResult LoadScreenshotFile(const std::string& path)
{
    return LoadScreenshotFile(path, path);
}
// Pixels of the bottom-left pixel's colour become fully transparent.
QImage ApplyColourKey(const QImage& canvas);

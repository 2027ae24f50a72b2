#pragma once
// Helpers of the picture tests: PCX files built byte by byte, outside tools and their decoded pixels.

#include <cstdint>
#include <string>
#include <vector>

#include <QImage>

struct TPcxLayout
{
    int BitsPerPixel = 8;
    int Planes = 1;
    int Xmin = 0;
    int Ymin = 0;
    int Width = 1;
    int Height = 1;
    int BytesPerLine = 2;
    std::vector<std::uint8_t> HeaderPalette; // up to 48 bytes at offset 16
};

// The 128-byte header.
std::string PcxHeader(const TPcxLayout& layout);
// Run-length encodes one line as the usual encoders do: runs up to 63, bytes of 0xC0 and above escaped.
std::string PcxEncodeLine(const std::string& line);
// The marker 12 and 768 palette bytes.
std::string PcxPalette(const std::vector<std::uint8_t>& rgb);
// A complete 256-colour file of the given lines (each bytesPerLine long) with a palette.
std::string Pcx256File(int width, const std::vector<std::string>& lines,
                       const std::vector<std::uint8_t>& rgb);

std::uint32_t Le32(const std::string& bytes, std::size_t at);
std::uint16_t Le16(const std::string& bytes, std::size_t at);

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
// Runs a shell command line; true when it exited with 0.
bool RunShell(const std::string& command);
// RunShell for an outside tool that makes reference files in folder from the command and the files in
// folder alone. The files it wrote are kept in the build tree under a key of both; a later run with the
// same key gets them copied back instead of starting the tool again.
bool RunShellCached(const std::string& command, const std::string& folder);
std::string Quoted(const std::string& path);
// "" when the outside tool is there, otherwise why not.
std::string MissingTool(const std::string& which);

// A binary PPM (P6, maxval 255) as an RGB picture; null when the file is not one.
QImage ReadPpm(const std::string& path);
// Raw RGB bytes (as ImageMagick's "rgb:" and Pillow's tobytes() write them) as a picture.
QImage ReadRawRgb(const std::string& path, int width, int height);
// "" when both pictures have the same size and RGB colour at every pixel, else where they first differ.
std::string CompareRgb(const QImage& actual, const QImage& expected);

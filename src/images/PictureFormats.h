#pragma once
// The picture-format registry: a file extension, in any letter case, picks the decoder of a picture file.

#include <cstdint>
#include <string>
#include <vector>

#include <QImage>
#include <QSize>

// A decoded picture, or the reason it could not be decoded (Image is then null).
struct TPictureResult
{
    QImage Image;
    std::string Error;
    // The size the file gives; larger than Image's when the picture was decoded reduced.
    QSize FullSize;

    bool Ok() const { return Error.empty() && !Image.isNull(); }
};

// Pictures are decoded whole unless a largest side is asked for.
inline constexpr int kWholePicture = 0;
// The screenshot viewer never needs more: larger pictures come reduced to at most this on either side, so
// a picture never costs more than 64 MB in any of its copies.
inline constexpr int kMaxShownSide = 4096;

// Decodes the whole content of a picture file; with maxSide above 0 a picture larger than that on either
// side may come reduced (see ReductionFactor), or be refused when its format cannot reduce it.
using TPictureDecoder = TPictureResult (*)(const std::string& bytes, int maxSide);

// The smallest whole factor for which keeping every factor-th pixel of every factor-th line of a
// width x height picture gives at most maxSide on both sides; 1 when maxSide is not above 0.
int ReductionFactor(std::int64_t width, std::int64_t height, int maxSide);

struct TPictureFormat
{
    std::string Extension; // as registered, without the dot
    std::string Description;
    TPictureDecoder Decoder = nullptr;
};

// Registers "PCX" (PCX Files), "PNG" (Portable Network Graphics), "jpeg" and "jpg" (JPEG Image File) and
// "bmp" (the platform's bitmap reader). Called once at start; repeating it changes nothing, and the lookups
// below make sure it has happened.
void RegisterPictureFormats();
// Adds or replaces the decoder of an extension (without the dot; letter case does not matter).
void RegisterPictureFormat(const std::string& extension, const std::string& description,
                           TPictureDecoder decoder);
// The format of an extension given with or without its dot, in any letter case; nullptr when unknown.
// The pointer stays valid until the next RegisterPictureFormat.
const TPictureFormat* FindPictureFormat(const std::string& extension);
std::vector<TPictureFormat> RegisteredPictureFormats();

// Decodes bytes with the decoder registered for the extension ("pcx", ".PCX", ...). FullSize is always set
// on success.
TPictureResult DecodePicture(const std::string& extension, const std::string& bytes,
                             int maxSide = kWholePicture);
// Reads the file and decodes it with the decoder of its extension (the text after the last dot of its name).
// A PNG comes back drawn onto a white 24-bit canvas, as the screenshot viewer shows it.
TPictureResult LoadPictureFile(const std::string& path, int maxSide = kWholePicture);

// Pictures larger than this on either side are refused before anything is allocated for them.
inline constexpr int kMaxPictureSide = 16384;

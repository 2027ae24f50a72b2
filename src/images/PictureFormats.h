#pragma once
// The picture-format registry: a file extension, in any letter case, picks the decoder of a picture file.

#include <string>
#include <vector>

#include <QImage>

// A decoded picture, or the reason it could not be decoded (Image is then null).
struct TPictureResult
{
    QImage Image;
    std::string Error;

    bool Ok() const { return Error.empty() && !Image.isNull(); }
};

// Decodes the whole content of a picture file.
using TPictureDecoder = TPictureResult (*)(const std::string& bytes);

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

// Decodes bytes with the decoder registered for the extension ("pcx", ".PCX", ...).
TPictureResult DecodePicture(const std::string& extension, const std::string& bytes);
// Reads the file and decodes it with the decoder of its extension (the text after the last dot of its name).
// A PNG comes back drawn onto a white 24-bit canvas, as the screenshot viewer shows it.
TPictureResult LoadPictureFile(const std::string& path);

// Pictures larger than this on either side are refused before anything is allocated for them.
inline constexpr int kMaxPictureSide = 16384;

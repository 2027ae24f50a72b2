#include "images/PictureFormats.h"
#include "base/AsciiText.h"

#include <cstdint>
#include <fstream>
#include <mutex>

#include <QByteArray>

#include "images/JpegImage.h"
#include "images/Pcxctrl.h"
#include "images/PngImage.h"

namespace {

// A picture file larger than this is not read into memory at all.
constexpr std::int64_t kMaxPictureFileBytes = std::int64_t{512} * 1024 * 1024;

std::string WithoutDot(const std::string& extension)
{
    return !extension.empty() && extension[0] == '.' ? extension.substr(1) : extension;
}

std::vector<TPictureFormat>& Formats()
{
    static std::vector<TPictureFormat> formats;
    return formats;
}

std::mutex& FormatsMutex()
{
    static std::mutex mutex;
    return mutex;
}

void AddFormat(const std::string& extension, const std::string& description, TPictureDecoder decoder)
{
    const std::string key = LowerAscii(WithoutDot(extension));
    for (TPictureFormat& format : Formats()) {
        if (LowerAscii(format.Extension) == key) {
            format = {WithoutDot(extension), description, decoder};
            return;
        }
    }
    Formats().push_back({WithoutDot(extension), description, decoder});
}

TPictureResult DecodePcx(const std::string& bytes)
{
    TPCXBitmap bitmap;
    if (!bitmap.LoadFromBytes(bytes))
        return {QImage(), bitmap.Error()};
    return {bitmap.Image(), {}};
}

TPictureResult DecodePng(const std::string& bytes)
{
    try {
        TPngGraphic graphic;
        graphic.LoadFromBytes(bytes);
        return {DrawOnNewCanvas24(graphic), {}};
    } catch (const TPngError& e) {
        return {QImage(), e.what()};
    }
}

std::int32_t ReadInt32(const std::string& bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | static_cast<std::uint8_t>(bytes[at + i]);
    return static_cast<std::int32_t>(value);
}

// QImage's reader is trusted with the pixels, but a header's size is checked before it allocates.
TPictureResult DecodeBmp(const std::string& bytes)
{
    if (bytes.size() < 26 || bytes[0] != 'B' || bytes[1] != 'M')
        return {QImage(), "Not a BMP file"};
    const std::int32_t headerSize = ReadInt32(bytes, 14);
    std::int64_t width = 0;
    std::int64_t height = 0;
    if (headerSize == 12) {
        width = static_cast<std::uint8_t>(bytes[18]) | static_cast<std::uint8_t>(bytes[19]) << 8;
        height = static_cast<std::uint8_t>(bytes[20]) | static_cast<std::uint8_t>(bytes[21]) << 8;
    } else {
        width = ReadInt32(bytes, 18);
        height = ReadInt32(bytes, 22);
        height = height < 0 ? -height : height;
    }
    if (width <= 0 || height <= 0)
        return {QImage(), "The BMP header gives no picture size"};
    if (width > kMaxPictureSide || height > kMaxPictureSide)
        return {QImage(), "The BMP picture is too large"};
    QImage image;
    const QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    if (!image.loadFromData(data, "BMP"))
        return {QImage(), "The BMP file could not be read"};
    return {image, {}};
}

void RegisterBuiltIns()
{
    AddFormat("PCX", "PCX Files", DecodePcx);
    AddFormat("PNG", "Portable Network Graphics", DecodePng);
    AddFormat("jpeg", "JPEG Image File", DecodeJpeg);
    AddFormat("jpg", "JPEG Image File", DecodeJpeg);
    AddFormat("bmp", "Bitmaps", DecodeBmp);
}

void EnsureBuiltIns()
{
    static std::once_flag once;
    std::call_once(once, [] {
        std::lock_guard lock(FormatsMutex());
        RegisterBuiltIns();
    });
}

std::string ExtensionOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {};
    return path.substr(dot + 1);
}

} // namespace

void RegisterPictureFormats()
{
    EnsureBuiltIns();
}

void RegisterPictureFormat(const std::string& extension, const std::string& description,
                           TPictureDecoder decoder)
{
    EnsureBuiltIns();
    std::lock_guard lock(FormatsMutex());
    AddFormat(extension, description, decoder);
}

const TPictureFormat* FindPictureFormat(const std::string& extension)
{
    EnsureBuiltIns();
    const std::string key = LowerAscii(WithoutDot(extension));
    std::lock_guard lock(FormatsMutex());
    for (const TPictureFormat& format : Formats())
        if (LowerAscii(format.Extension) == key)
            return &format;
    return nullptr;
}

std::vector<TPictureFormat> RegisteredPictureFormats()
{
    EnsureBuiltIns();
    std::lock_guard lock(FormatsMutex());
    return Formats();
}

TPictureResult DecodePicture(const std::string& extension, const std::string& bytes)
{
    const TPictureFormat* format = FindPictureFormat(extension);
    if (!format || !format->Decoder)
        return {QImage(), "No picture format is registered for \"" + extension + "\""};
    TPictureResult result = format->Decoder(bytes);
    if (result.Error.empty() && result.Image.isNull())
        result.Error = "The file holds no picture";
    return result;
}

TPictureResult LoadPictureFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file)
        return {QImage(), "Cannot open " + path};
    const std::streamoff size = file.tellg();
    if (size < 0 || size > kMaxPictureFileBytes)
        return {QImage(), "Cannot read " + path};
    std::string bytes(static_cast<std::size_t>(size), '\0');
    file.seekg(0);
    if (!file.read(bytes.data(), size))
        return {QImage(), "Cannot read " + path};
    return DecodePicture(ExtensionOf(path), bytes);
}

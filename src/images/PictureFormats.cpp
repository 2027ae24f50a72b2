#include "images/PictureFormats.h"
#include "base/AsciiText.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <mutex>

#include <QByteArray>

#include "base/FileKinds.h"
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

TPictureResult DecodePcx(const std::string& bytes, int maxSide)
{
    TPCXBitmap bitmap;
    if (!bitmap.LoadFromBytes(bytes, maxSide))
        return {QImage(), bitmap.Error(), {}};
    return {bitmap.Image(), {}, bitmap.FullSize()};
}

TPictureResult DecodePng(const std::string& bytes, int maxSide)
{
    try {
        TPngGraphic graphic;
        graphic.LoadFromBytes(bytes, maxSide);
        const QSize fullSize = graphic.Image() ? graphic.Image()->FullSize() : QSize();
        return {DrawOnNewCanvas24(graphic), {}, fullSize};
    } catch (const TPngError& e) {
        return {QImage(), e.what(), {}};
    }
}

int ReadInt16(const std::string& bytes, std::size_t at)
{
    return static_cast<std::uint8_t>(bytes[at]) | static_cast<std::uint8_t>(bytes[at + 1]) << 8;
}

std::int32_t ReadInt32(const std::string& bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | static_cast<std::uint8_t>(bytes[at + i]);
    return static_cast<std::int32_t>(value);
}

std::int64_t BmpPixelBytes(std::int64_t width, std::int64_t height, int bitCount)
{
    return (width * bitCount + 31) / 32 * 4 * height;
}

// QImage's reader is trusted with the pixels, but a header's size is checked before it allocates, and an
// uncompressed pixel array must be complete: QImage would show whatever memory held for the missing rows.
TPictureResult DecodeBmp(const std::string& bytes, int maxSide)
{
    if (bytes.size() < 26 || bytes[0] != 'B' || bytes[1] != 'M')
        return {QImage(), "Not a BMP file", {}};
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
        return {QImage(), "The BMP header gives no picture size", {}};
    if (width > kMaxPictureSide || height > kMaxPictureSide)
        return {QImage(), "The BMP picture is too large", {}};
    // QImage's reader cannot decode reduced, and the file itself is a full-size copy already.
    if (ReductionFactor(width, height, maxSide) > 1)
        return {QImage(), "The BMP picture is too large to show", {}};
    const bool oldStyle = headerSize == 12;
    const int bitCount = oldStyle ? ReadInt16(bytes, 24) : bytes.size() >= 30 ? ReadInt16(bytes, 28) : 0;
    const std::int32_t compression = !oldStyle && bytes.size() >= 34 ? ReadInt32(bytes, 30) : 0;
    const bool uncompressed = compression == 0 || compression == 3 || compression == 6;
    const std::int64_t pixelOffset = static_cast<std::uint32_t>(ReadInt32(bytes, 10));
    if (uncompressed && bitCount > 0 &&
        pixelOffset + BmpPixelBytes(width, height, bitCount) > static_cast<std::int64_t>(bytes.size()))
        return {QImage(), "The BMP file ends before its last pixel", {}};
    QImage image;
    const QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    if (!image.loadFromData(data, "BMP"))
        return {QImage(), "The BMP file could not be read", {}};
    return {image, {}, image.size()};
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

int ReductionFactor(std::int64_t width, std::int64_t height, int maxSide)
{
    if (maxSide <= 0)
        return 1;
    const std::int64_t side = std::max(width, height);
    return static_cast<int>(std::max<std::int64_t>((side + maxSide - 1) / maxSide, 1));
}

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

TPictureResult DecodePicture(const std::string& extension, const std::string& bytes, int maxSide)
{
    const TPictureFormat* format = FindPictureFormat(extension);
    if (!format || !format->Decoder)
        return {QImage(), "No picture format is registered for \"" + extension + "\"", {}};
    TPictureResult result = format->Decoder(bytes, maxSide);
    if (result.Error.empty() && result.Image.isNull())
        result.Error = "The file holds no picture";
    if (!result.Ok())
        result.FullSize = QSize();
    else if (!result.FullSize.isValid() || result.FullSize.isEmpty())
        result.FullSize = result.Image.size();
    return result;
}

TPictureResult LoadPictureFile(const std::string& path, int maxSide)
{
    if (!IsRegularFile(path)) // a pipe or a device in its place would block or never end
        return {QImage(), "Cannot open " + path + ": not a regular file", {}};
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file)
        return {QImage(), "Cannot open " + path, {}};
    const std::streamoff size = file.tellg();
    if (size < 0 || size > kMaxPictureFileBytes)
        return {QImage(), "Cannot read " + path, {}};
    std::string bytes(static_cast<std::size_t>(size), '\0');
    file.seekg(0);
    if (!file.read(bytes.data(), size))
        return {QImage(), "Cannot read " + path, {}};
    return DecodePicture(ExtensionOf(path), bytes, maxSide);
}

#include "images/ScreenshotLoad.h"

#include <fstream>
#include <iterator>

#include "base/FileKinds.h"
#include "images/PngImage.h"

namespace {

// A screenshot file is read whole before it is decoded, so its size counts against the memory a picture
// may take; no real screenshot comes near this.
constexpr std::streamoff kMaxScreenshotBytes = std::streamoff(128) << 20;

std::string DottedExtensionOf(const std::string& path)
{
    const size_t slash = path.find_last_of("/\\");
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const size_t dot = path.rfind('.');
    return (dot == std::string::npos || dot < nameStart) ? std::string() : path.substr(dot);
}

bool ReadWholeFile(const std::string& path, std::string& bytes)
{
    if (!IsRegularFile(path)) // a pipe or a device in its place would block or never end
        return false;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0 || size > kMaxScreenshotBytes)
        return false;
    in.seekg(0, std::ios::beg);
    bytes.resize(static_cast<size_t>(size));
    return static_cast<bool>(in.read(bytes.data(), size)) || size == 0;
}

TPictureResult LoadThroughRegistry(const std::string& extension, const std::string& realPath)
{
    TPictureResult result;
    std::string bytes;
    if (ReadWholeFile(realPath, bytes))
        result = DecodePicture(extension, bytes, kMaxShownSide);
    if (!result.Ok())
        return {QImage(), kInvalidFormatText, {}};
    return result;
}

bool HasAlpha(const TPngImage& image)
{
    const int sampleBytes = image.BitDepth > 8 ? 2 : 1;
    const int channels = image.BytesPerPixel / sampleBytes;
    return channels == 2 || channels == 4;
}

TPictureResult LoadPng(const std::string& realPath)
{
    try {
        QImage canvas;
        QSize fullSize;
        bool alpha = false;
        {
            // The decoded rows are released before keying, so at most two copies of the picture exist.
            TPngGraphic graphic;
            graphic.Transparent = true;
            graphic.LoadFromFile(realPath, kMaxShownSide);
            canvas = DrawOnNewCanvas24(graphic);
            if (graphic.Image() != nullptr) {
                fullSize = graphic.Image()->FullSize();
                alpha = HasAlpha(*graphic.Image());
            }
        }
        if (canvas.isNull())
            return {QImage(), kInvalidPngText, {}};
        // Keying an opaque picture would punch holes wherever it has its corner's colour.
        if (alpha)
            canvas = ApplyColourKey(canvas);
        return {canvas, std::string(), fullSize.isEmpty() ? canvas.size() : fullSize};
    } catch (const std::exception&) {
        return {QImage(), kInvalidPngText, {}};
    }
}

} // namespace

QImage ApplyColourKey(const QImage& canvas)
{
    if (canvas.isNull())
        return canvas;
    QImage keyed = canvas.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = keyed.pixel(0, keyed.height() - 1) & 0x00FFFFFFu;
    for (int y = 0; y < keyed.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(keyed.scanLine(y));
        for (int x = 0; x < keyed.width(); ++x) {
            if ((line[x] & 0x00FFFFFFu) == key)
                line[x] = key;
        }
    }
    return keyed;
}

TPictureResult LoadScreenshotFile(const std::string& entry, const std::string& realPath)
{
    const std::string extension = DottedExtensionOf(entry);
    if (extension == ".pcx" || extension == ".jpg" || extension == ".bmp")
        return LoadThroughRegistry(extension, realPath);
    return LoadPng(realPath);
}

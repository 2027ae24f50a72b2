// Any bytes as a PNG file, loaded and drawn onto a 24-bit canvas as the screenshot viewer does.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "images/PngImage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TPngGraphic png;
    try {
        png.LoadFromBytes(std::string(reinterpret_cast<const char*>(data), size));
    } catch (const TPngError&) {
        return 0;
    }
    QImage canvas = DrawOnNewCanvas24(png);
    // A canvas smaller than the picture exercises the clipping.
    QImage small = NewCanvas24(3, 2);
    png.Draw(small, QRect(-1, -1, 1, 1));
    if (canvas.size() != QSize(png.GetWidth(), png.GetHeight()) && png.GetWidth() * png.GetHeight() < 1 << 20)
        std::abort();
    return 0;
}

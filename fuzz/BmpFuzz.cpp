// Any bytes as a BMP file through the registry's bitmap decoder (QImage's reader behind a size check).

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "images/PictureFormats.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const TPictureResult result =
        DecodePicture("bmp", std::string(reinterpret_cast<const char*>(data), size));
    if (result.Ok() && (result.Image.width() > kMaxPictureSide || result.Image.height() > kMaxPictureSide))
        std::abort();
    return 0;
}

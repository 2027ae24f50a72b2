// Any bytes as a JPEG file: every libjpeg error must come back as an ordinary failure.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "images/JpegImage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const TPictureResult result = DecodeJpeg(std::string(reinterpret_cast<const char*>(data), size));
    if (!result.Ok() && result.Error.empty())
        std::abort();
    return 0;
}

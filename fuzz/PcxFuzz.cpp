// Any bytes as a PCX file: the decoder must fail cleanly or give a picture of the header's size.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "images/Pcxctrl.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TPCXBitmap bitmap;
    if (bitmap.LoadFromBytes(std::string(reinterpret_cast<const char*>(data), size)) &&
        bitmap.Image().isNull())
        std::abort();
    if (!bitmap.LoadFromBytes(std::string()) && bitmap.Error().empty())
        std::abort();
    return 0;
}

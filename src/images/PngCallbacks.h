#pragma once
// The libpng callbacks the PNG reader and writer share: an error ends the read or write by its long jump.

#include <png.h>

namespace png_callbacks {

[[noreturn]] inline void OnPngError(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

// Damaged ancillary chunks only warn; the picture still decodes and stderr stays quiet.
inline void OnPngWarning(png_structp, png_const_charp) {}

} // namespace png_callbacks

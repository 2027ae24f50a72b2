#pragma once
// JPEG pictures through libjpeg, with every libjpeg error turned into an ordinary failure.

#include <string>

#include "images/PictureFormats.h"

// An RGB picture, or the error that stopped libjpeg; grey and CMYK files are converted to RGB.
TPictureResult DecodeJpeg(const std::string& bytes);

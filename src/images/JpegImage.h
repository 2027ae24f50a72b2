#pragma once
// JPEG pictures through libjpeg, with every libjpeg error turned into an ordinary failure.

#include <string>

#include "images/PictureFormats.h"

// An RGB picture, or the error that stopped libjpeg; grey and CMYK files are converted to RGB. Warnings
// about damaged data do not fail the load, data that ends early does. With maxSide above 0 a larger
// picture is decoded reduced by libjpeg (1/2, 1/4 or 1/8).
TPictureResult DecodeJpeg(const std::string& bytes, int maxSide = kWholePicture);

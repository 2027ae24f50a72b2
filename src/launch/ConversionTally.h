#pragma once
// What "Convert all to PNG" did: the pictures of the four screenshot folders counted before the converter
// runs and looked at again after, so the player learns how many became PNG and why the others stayed.

#include <string>
#include <vector>

#include "base/WorkingPaths.h"

class TConversionTally
{
public:
    // Counts the PCX, BMP and JPEG pictures of the four folders and which of them have a PNG already.
    explicit TConversionTally(const TWorkingPaths& paths);

    struct TResult
    {
        int Converted = 0;   // a PNG of the picture's name is there now that was not before
        int BesidePng = 0;   // stayed: its PNG was there before, and is never replaced
        int Unconverted = 0; // stayed: the converter could not read or write it
    };
    TResult Count() const;
    // "Converted 3 pictures to PNG." and, when some stayed, a second line naming how many and why.
    static std::string Text(const TResult& result);

private:
    struct TPicture
    {
        std::string Source;
        std::string Png;
        bool HadPng = false;
    };
    std::vector<TPicture> m_pictures;
};

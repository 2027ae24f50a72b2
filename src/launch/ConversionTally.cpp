#include "launch/ConversionTally.h"

#include <filesystem>
#include <system_error>

#include "base/AsciiText.h"

namespace fs = std::filesystem;

namespace {

bool Exists(const std::string& path)
{
    std::error_code error;
    return fs::exists(fs::symlink_status(path, error));
}

bool IsConvertible(const fs::path& file)
{
    const std::string extension = LowerAscii(file.extension().string());
    return extension == ".pcx" || extension == ".bmp" || extension == ".jpg" || extension == ".jpeg";
}

std::string Plural(int count, const char* one, const char* many)
{
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

} // namespace

TConversionTally::TConversionTally(const TWorkingPaths& paths)
{
    for (const std::string& folder :
         {paths.TitlesDir, paths.FlyersDir, paths.CabinetsDir, paths.GameplayDir}) {
        std::error_code error;
        for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
            if (!it->is_regular_file(error) || !IsConvertible(it->path()))
                continue;
            fs::path png = it->path();
            png.replace_extension(".png");
            m_pictures.push_back({it->path().string(), png.string(), Exists(png.string())});
        }
    }
}

TConversionTally::TResult TConversionTally::Count() const
{
    TResult result;
    for (const TPicture& picture : m_pictures) {
        if (picture.HadPng)
            ++result.BesidePng;
        else if (Exists(picture.Png))
            ++result.Converted;
        else
            ++result.Unconverted;
    }
    return result;
}

std::string TConversionTally::Text(const TResult& result)
{
    std::string text = "Converted " + Plural(result.Converted, "picture", "pictures") + " to PNG.";
    if (result.BesidePng + result.Unconverted == 0)
        return text;
    text += "\r" + Plural(result.BesidePng + result.Unconverted, "picture stayed", "pictures stayed") + ": ";
    if (result.BesidePng > 0)
        text += std::to_string(result.BesidePng) + " beside a PNG of the same name, which is never replaced";
    if (result.BesidePng > 0 && result.Unconverted > 0)
        text += "; ";
    if (result.Unconverted > 0)
        text += std::to_string(result.Unconverted) + " the converter could not read or turn into PNG";
    return text + ".";
}

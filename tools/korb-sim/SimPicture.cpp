#include "SimPicture.h"

#include <algorithm>
#include <cmath>

#include "BitmapFont.h"

namespace {

constexpr uint8_t kBlack = 0;
constexpr uint8_t kWhite = 1;
constexpr uint8_t kPanel = 2;
constexpr uint8_t kGold = 3;
constexpr int kFirstPatternColour = 4;

struct TRgb
{
    uint8_t Red, Green, Blue;
};

TRgb FromHue(double hue, double saturation, double value)
{
    hue = std::fmod(hue, 360.0) / 60.0;
    const double chroma = value * saturation;
    const double second = chroma * (1.0 - std::fabs(std::fmod(hue, 2.0) - 1.0));
    double r = 0, g = 0, b = 0;
    switch (int(hue)) {
    case 0:
        r = chroma, g = second;
        break;
    case 1:
        r = second, g = chroma;
        break;
    case 2:
        g = chroma, b = second;
        break;
    case 3:
        g = second, b = chroma;
        break;
    case 4:
        r = second, b = chroma;
        break;
    default:
        r = chroma, b = second;
        break;
    }
    const double m = value - chroma;
    auto byte = [m](double c) { return uint8_t(std::lround((c + m) * 255.0)); };
    return {byte(r), byte(g), byte(b)};
}

void SetColour(TIndexedPicture& picture, int index, TRgb colour)
{
    picture.Palette[size_t(index) * 3] = colour.Red;
    picture.Palette[size_t(index) * 3 + 1] = colour.Green;
    picture.Palette[size_t(index) * 3 + 2] = colour.Blue;
}

int PatternColourCount(bool sixteen)
{
    return sixteen ? 16 - kFirstPatternColour : 256 - kFirstPatternColour;
}

void FillPalette(TIndexedPicture& picture, unsigned hash, bool sixteen)
{
    SetColour(picture, kBlack, {0, 0, 0});
    SetColour(picture, kWhite, {255, 255, 255});
    SetColour(picture, kPanel, {16, 16, 48});
    SetColour(picture, kGold, {255, 210, 40});
    const double baseHue = double(hash % 360);
    const int count = PatternColourCount(sixteen);
    for (int i = 0; i < count; ++i) {
        const double t = double(i) / count;
        SetColour(picture, kFirstPatternColour + i, FromHue(baseHue + 90.0 * t, 0.75, 0.35 + 0.55 * t));
    }
}

// A value 0..999 per pixel; the game's hash picks one of four arcade-like backgrounds.
int PatternValue(unsigned kind, int x, int y, int width, int height, int shot)
{
    switch (kind % 4) {
    case 0:
        return (y * 4 + shot * 90) % 1000;
    case 1:
        return ((x / 16 + y / 16 + shot) % 2) ? 200 + x * 300 / width : 700 + y * 299 / height;
    case 2: {
        const double dx = x - width / 2.0, dy = y - height / 2.0;
        return int(std::sqrt(dx * dx + dy * dy) * 6.0 + shot * 125) % 1000;
    }
    default:
        return ((x + y) * 3 + shot * 150) % 1000;
    }
}

void FillRect(TIndexedPicture& picture, int left, int top, int width, int height, uint8_t colour)
{
    for (int y = std::max(0, top); y < std::min(picture.Height, top + height); ++y) {
        for (int x = std::max(0, left); x < std::min(picture.Width, left + width); ++x)
            picture.Pixels[size_t(y) * size_t(picture.Width) + size_t(x)] = colour;
    }
}

void DrawCaption(TIndexedPicture& picture, const TShotRequest& request)
{
    const std::string title = request.Title.empty() ? request.ZipName : request.Title;
    const int fit = std::max(1, (picture.Width - 16) / std::max(1, TextWidth(title, 1)));
    const int scale = std::clamp(std::min(fit, picture.Height / 30), 1, 8);
    const int textHeight = 7 * scale;
    const int top = (picture.Height - textHeight) / 2;
    FillRect(picture, 0, top - scale * 3, picture.Width, textHeight + scale * 6, kPanel);
    DrawText(picture, (picture.Width - TextWidth(title, scale)) / 2, top, scale, title, kGold);

    const int small = std::max(1, scale / 2);
    const std::string score = "1UP " + std::to_string(1000 + request.ShotNumber * 2350);
    DrawText(picture, 4 * small, 4 * small, small, score, kWhite);
    const std::string footer = request.ZipName + " SHOT " + std::to_string(request.ShotNumber);
    DrawText(picture, 4 * small, picture.Height - 11 * small, small, footer, kWhite);
}

} // namespace

unsigned NameHash(const std::string& name)
{
    unsigned hash = 2166136261u;
    for (unsigned char c : name)
        hash = (hash ^ c) * 16777619u;
    return hash;
}

TIndexedPicture RenderShot(const TShotRequest& request)
{
    TIndexedPicture picture;
    picture.Width = request.Width;
    picture.Height = request.Height;
    picture.Pixels.assign(size_t(request.Width) * size_t(request.Height), kBlack);
    const unsigned hash = NameHash(request.ZipName);
    FillPalette(picture, hash, request.SixteenColours);

    const int count = PatternColourCount(request.SixteenColours);
    for (int y = 0; y < picture.Height; ++y) {
        for (int x = 0; x < picture.Width; ++x) {
            const int value =
                PatternValue(hash >> 9, x, y, picture.Width, picture.Height, request.ShotNumber);
            picture.Pixels[size_t(y) * size_t(picture.Width) + size_t(x)] =
                uint8_t(kFirstPatternColour + value * count / 1000);
        }
    }
    DrawCaption(picture, request);
    return picture;
}

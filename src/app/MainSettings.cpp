#include "app/MainSettings.h"
#include "base/AsciiText.h"

#include <cstdio>
#include <limits>
#include <type_traits>
#include <variant>

#include "base/SettingsFile.h"

namespace {

struct TNamedColor
{
    const char* Name;
    uint32_t Value;
};

constexpr uint32_t kSystemColor = 0x80000000;

// Plain colours first: a value matches the first name listed.
constexpr TNamedColor kNamedColors[] = {
    {"clBlack", 0x000000},
    {"clMaroon", 0x000080},
    {"clGreen", 0x008000},
    {"clOlive", 0x008080},
    {"clNavy", 0x800000},
    {"clPurple", 0x800080},
    {"clTeal", 0x808000},
    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},
    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
    {"clScrollBar", kSystemColor + 0},
    {"clBackground", kSystemColor + 1},
    {"clActiveCaption", kSystemColor + 2},
    {"clInactiveCaption", kSystemColor + 3},
    {"clMenu", kSystemColor + 4},
    {"clWindow", kSystemColor + 5},
    {"clWindowFrame", kSystemColor + 6},
    {"clMenuText", kSystemColor + 7},
    {"clWindowText", kSystemColor + 8},
    {"clCaptionText", kSystemColor + 9},
    {"clActiveBorder", kSystemColor + 10},
    {"clInactiveBorder", kSystemColor + 11},
    {"clAppWorkSpace", kSystemColor + 12},
    {"clHighlight", kSystemColor + 13},
    {"clHighlightText", kSystemColor + 14},
    {"clBtnFace", kSystemColor + 15},
    {"clBtnShadow", kSystemColor + 16},
    {"clGrayText", kSystemColor + 17},
    {"clBtnText", kSystemColor + 18},
    {"clInactiveCaptionText", kSystemColor + 19},
    {"clBtnHighlight", kSystemColor + 20},
    {"cl3DDkShadow", kSystemColor + 21},
    {"cl3DLight", kSystemColor + 22},
    {"clInfoText", kSystemColor + 23},
    {"clInfoBk", kSystemColor + 24},
    {"clNone", 0x1FFFFFFF},
};

bool SameLetters(const std::string& a, const char* b)
{
    return SameTextAscii(a, b);
}

// The fixed sections; every other section is a catalogue game's.
const char* const kVK = "VantorKorb";

} // namespace

std::string ColorToText(uint32_t color)
{
    for (const TNamedColor& named : kNamedColors)
        if (named.Value == color)
            return named.Name;
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "$%08X", static_cast<unsigned>(color));
    return buffer;
}

std::optional<uint32_t> ColorFromText(const std::string& text)
{
    for (const TNamedColor& named : kNamedColors)
        if (SameLetters(text, named.Name))
            return named.Value;
    if (const auto value = ParseSettingsInteger(text))
        return static_cast<uint32_t>(*value);
    return std::nullopt;
}

namespace {

using TRecord = TMainSettingsRecord;

constexpr int32_t kNoLow = std::numeric_limits<int32_t>::min();
constexpr int32_t kNoHigh = std::numeric_limits<int32_t>::max();

// One key of the file: where it is, the field that holds it and, for an integer, the range a stored value
// must lie in to replace the field's default. Colours are the uint32_t fields, stored as their names.
struct TKey
{
    const char* Section;
    const char* Name;
    std::variant<bool TRecord::*, int32_t TRecord::*, uint32_t TRecord::*, std::string TRecord::*> Field;
    int32_t Low = kNoLow;
    int32_t High = kNoHigh;
};

// In the order the file is written. Column widths: -1 fits the contents, -2 the heading; anything below
// is not a width. The timer's interval in milliseconds must fit 32 bits.
const TKey kKeys[] = {
    {"View", "Installed", &TRecord::Installed},
    {"View", "UnInstalled", &TRecord::UnInstalled},
    {"View", "All", &TRecord::All},
    {"View", "Large", &TRecord::Large},
    {"View", "Small", &TRecord::Small},
    {"View", "List", &TRecord::List},
    {"View", "Details", &TRecord::Details},
    {"View", "HotTracking", &TRecord::HotTracking},
    {"View", "StatBar", &TRecord::StatBar},
    {"View", "TabSheet", &TRecord::TabSheet},
    {"View", "Sort", &TRecord::Sort, 0, 2},
    {"GameList", "FontType", &TRecord::FontType},
    {"GameList", "FontSize", &TRecord::FontSize},
    {"GameList", "FgColor", &TRecord::FgColor},
    {"GameList", "FontStyle", &TRecord::FontStyle},
    {"GameList", "BgColor", &TRecord::BgColor},
    {"Window", "State", &TRecord::State, 0, 2},
    {"Window", "Width", &TRecord::Width},
    {"Window", "Height", &TRecord::Height},
    {"Window", "GLPWidth", &TRecord::GLPWidth},
    {"Window", "LGLPos", &TRecord::LGLPos, 0},
    {"Screenshot", "Original", &TRecord::Original},
    {"Screenshot", "Scaled", &TRecord::Scaled},
    {"Screenshot", "Stretched", &TRecord::Stretched},
    {"Screenshot", "Timer", &TRecord::Timer, 0, 2147483647 / 1000},
    {"Screenshot", "Title", &TRecord::Title},
    {"Screenshot", "Flyer", &TRecord::Flyer},
    {"Screenshot", "Cabinet", &TRecord::Cabinet},
    {"Screenshot", "Game", &TRecord::Game},
    {"Screenshot", "ShowName", &TRecord::ShowName},
    {"Screenshot", "ShowControls", &TRecord::ShowControls},
    {"Screenshot", "Play", &TRecord::Play},
    {"Sound", "Music", &TRecord::Music},
    {"Sound", "Samples", &TRecord::Samples},
    {"Sound", "None", &TRecord::None},
    {"Columns", "Name", &TRecord::ColName, -2},
    {"Columns", "ZipName", &TRecord::ColZipName, -2},
    {"Columns", "Zipdate", &TRecord::ColZipdate, -2},
};

void WriteKey(TSettingsFile& file, const TKey& key, const TRecord& r)
{
    std::visit(
        [&](auto field) {
            using TValue = std::remove_cvref_t<decltype(r.*field)>;
            if constexpr (std::is_same_v<TValue, bool>)
                file.WriteBool(key.Section, key.Name, r.*field);
            else if constexpr (std::is_same_v<TValue, int32_t>)
                file.WriteInteger(key.Section, key.Name, r.*field);
            else if constexpr (std::is_same_v<TValue, uint32_t>)
                file.WriteString(key.Section, key.Name, ColorToText(r.*field));
            else
                file.WriteString(key.Section, key.Name, r.*field);
        },
        key.Field);
}

uint32_t ReadColor(const TSettingsFile& file, const TKey& key, uint32_t def, std::string* problem)
{
    if (!file.ValueExists(key.Section, key.Name))
        return def;
    const std::string text = file.ReadString(key.Section, key.Name, std::string());
    if (const auto value = ColorFromText(text))
        return *value;
    if (problem && problem->empty())
        *problem = "'" + text + "' is not a valid integer value";
    return def;
}

// A missing key, or a stored value outside its range, keeps the field's default.
void ReadKey(const TSettingsFile& file, const TKey& key, TRecord& r, std::string* problem)
{
    std::visit(
        [&](auto field) {
            auto& value = r.*field;
            using TValue = std::remove_cvref_t<decltype(value)>;
            if constexpr (std::is_same_v<TValue, bool>) {
                value = file.ReadBool(key.Section, key.Name, value);
            } else if constexpr (std::is_same_v<TValue, int32_t>) {
                const int32_t stored = file.ReadInteger(key.Section, key.Name, value);
                if (stored >= key.Low && stored <= key.High)
                    value = stored;
            } else if constexpr (std::is_same_v<TValue, uint32_t>) {
                value = ReadColor(file, key, value, problem);
            } else {
                value = file.ReadString(key.Section, key.Name, value);
            }
        },
        key.Field);
}

} // namespace

void SaveMainSettingsFile(const std::string& path, const TMainSettingsRecord& r)
{
    // Every save rewrites the whole file, so nothing of the old one needs reading.
    TSettingsFile file = TSettingsFile::FromBytes(std::string(), path);
    file.WriteString(kVK, "Version", kVersionText);
    file.WriteDateTime(kVK, "EmuExeDate", r.EmuExeDate);
    file.WriteString(kVK, "EmuExePath", r.EmuExePath);
    for (const TKey& key : kKeys)
        WriteKey(file, key, r);
    for (int i = 0; i < 3; ++i)
        file.WriteString(kVK, "ZipRomPath" + std::to_string(i), r.ZipRomPath[i]);
    file.WriteIntegers("CurScrShot", r.CurScrShots);
    file.UpdateFile();
}

TMainSettingsRecord ReadMainSettingsFile(const std::string& path, std::string* problem)
{
    return ReadMainSettings(TSettingsFile::Open(path), problem);
}

TMainSettingsRecord ReadMainSettings(const TSettingsFile& file, std::string* problem)
{
    TMainSettingsRecord r;
    r.EmuExeDate = file.ReadDateTime(kVK, "EmuExeDate", r.EmuExeDate);
    r.EmuExePath = file.ReadString(kVK, "EmuExePath", r.EmuExePath);
    for (int i = 0; i < 3; ++i)
        r.ZipRomPath[i] = file.ReadString(kVK, "ZipRomPath" + std::to_string(i), std::string());
    for (const TKey& key : kKeys)
        ReadKey(file, key, r, problem);
    file.ForEachValue("CurScrShot", [&r](std::string_view section, std::string_view value) {
        r.CurScrShots.emplace_back(std::string(section), ParseSettingsInteger(value).value_or(0));
    });
    return r;
}

bool NeedsScreenshotLayoutMigration(const std::string& path)
{
    return NeedsScreenshotLayoutMigration(TSettingsFile::Open(path));
}

bool NeedsScreenshotLayoutMigration(const TSettingsFile& file)
{
    return file.SectionExists(kVK) && !file.ValueExists("Screenshot", "Title");
}

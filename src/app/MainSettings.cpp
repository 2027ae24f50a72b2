#include "app/MainSettings.h"
#include "base/AsciiText.h"

#include <cstdio>

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

int InRange(int value, int low, int high, int def)
{
    return value < low || value > high ? def : value;
}

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

void SaveMainSettingsFile(const std::string& path, const TMainSettingsRecord& r)
{
    // Every save rewrites the whole file, so nothing of the old one needs reading.
    TSettingsFile file = TSettingsFile::FromBytes(std::string(), path);
    file.WriteString(kVK, "Version", kVersionText);
    file.WriteDateTime(kVK, "EmuExeDate", r.EmuExeDate);
    file.WriteString(kVK, "EmuExePath", r.EmuExePath);
    const char* const view = "View";
    file.WriteBool(view, "Installed", r.Installed);
    file.WriteBool(view, "UnInstalled", r.UnInstalled);
    file.WriteBool(view, "All", r.All);
    file.WriteBool(view, "Large", r.Large);
    file.WriteBool(view, "Small", r.Small);
    file.WriteBool(view, "List", r.List);
    file.WriteBool(view, "Details", r.Details);
    file.WriteBool(view, "HotTracking", r.HotTracking);
    file.WriteBool(view, "StatBar", r.StatBar);
    file.WriteBool(view, "TabSheet", r.TabSheet);
    file.WriteInteger(view, "Sort", r.Sort);
    const char* const list = "GameList";
    file.WriteString(list, "FontType", r.FontType);
    file.WriteInteger(list, "FontSize", r.FontSize);
    file.WriteString(list, "FgColor", ColorToText(r.FgColor));
    file.WriteInteger(list, "FontStyle", r.FontStyle);
    file.WriteString(list, "BgColor", ColorToText(r.BgColor));
    const char* const window = "Window";
    file.WriteInteger(window, "State", r.State);
    file.WriteInteger(window, "Width", r.Width);
    file.WriteInteger(window, "Height", r.Height);
    file.WriteInteger(window, "GLPWidth", r.GLPWidth);
    file.WriteInteger(window, "LGLPos", r.LGLPos);
    const char* const shot = "Screenshot";
    file.WriteBool(shot, "Original", r.Original);
    file.WriteBool(shot, "Scaled", r.Scaled);
    file.WriteBool(shot, "Stretched", r.Stretched);
    file.WriteInteger(shot, "Timer", r.Timer);
    file.WriteBool(shot, "Title", r.Title);
    file.WriteBool(shot, "Flyer", r.Flyer);
    file.WriteBool(shot, "Cabinet", r.Cabinet);
    file.WriteBool(shot, "Game", r.Game);
    file.WriteBool(shot, "ShowName", r.ShowName);
    file.WriteBool(shot, "ShowControls", r.ShowControls);
    file.WriteBool(shot, "Play", r.Play);
    const char* const sound = "Sound";
    file.WriteBool(sound, "Music", r.Music);
    file.WriteBool(sound, "Samples", r.Samples);
    file.WriteBool(sound, "None", r.None);
    const char* const columns = "Columns";
    file.WriteInteger(columns, "Name", r.ColName);
    file.WriteInteger(columns, "ZipName", r.ColZipName);
    file.WriteInteger(columns, "Zipdate", r.ColZipdate);
    for (int i = 0; i < 3; ++i)
        file.WriteString(kVK, "ZipRomPath" + std::to_string(i), r.ZipRomPath[i]);
    file.WriteIntegers("CurScrShot", r.CurScrShots);
    file.UpdateFile();
}

namespace {

// Column widths: -1 fits the contents, -2 the heading; anything below is not a width.
int ReadWidth(const TSettingsFile& file, const char* section, const char* key, int def)
{
    const int value = file.ReadInteger(section, key, def);
    return value < -2 ? def : value;
}

uint32_t ReadColor(const TSettingsFile& file, const char* key, uint32_t def, std::string* problem)
{
    if (!file.ValueExists("GameList", key))
        return def;
    const std::string text = file.ReadString("GameList", key, std::string());
    if (const auto value = ColorFromText(text))
        return *value;
    if (problem && problem->empty())
        *problem = "'" + text + "' is not a valid integer value";
    return def;
}

void ReadView(const TSettingsFile& file, TMainSettingsRecord& r)
{
    const char* const view = "View";
    r.Installed = file.ReadBool(view, "Installed", r.Installed);
    r.UnInstalled = file.ReadBool(view, "UnInstalled", r.UnInstalled);
    r.All = file.ReadBool(view, "All", r.All);
    r.Large = file.ReadBool(view, "Large", r.Large);
    r.Small = file.ReadBool(view, "Small", r.Small);
    r.List = file.ReadBool(view, "List", r.List);
    r.Details = file.ReadBool(view, "Details", r.Details);
    r.HotTracking = file.ReadBool(view, "HotTracking", r.HotTracking);
    r.StatBar = file.ReadBool(view, "StatBar", r.StatBar);
    r.TabSheet = file.ReadBool(view, "TabSheet", r.TabSheet);
    r.Sort = InRange(file.ReadInteger(view, "Sort", r.Sort), 0, 2, r.Sort);
}

void ReadWindow(const TSettingsFile& file, TMainSettingsRecord& r)
{
    const char* const window = "Window";
    r.State = InRange(file.ReadInteger(window, "State", r.State), 0, 2, r.State);
    r.Width = file.ReadInteger(window, "Width", r.Width);
    r.Height = file.ReadInteger(window, "Height", r.Height);
    r.GLPWidth = file.ReadInteger(window, "GLPWidth", r.GLPWidth);
    const int pos = file.ReadInteger(window, "LGLPos", r.LGLPos);
    r.LGLPos = pos < 0 ? r.LGLPos : pos;
}

void ReadScreenshotAndSound(const TSettingsFile& file, TMainSettingsRecord& r)
{
    const char* const shot = "Screenshot";
    r.Original = file.ReadBool(shot, "Original", r.Original);
    r.Scaled = file.ReadBool(shot, "Scaled", r.Scaled);
    r.Stretched = file.ReadBool(shot, "Stretched", r.Stretched);
    // The interval in milliseconds must fit 32 bits.
    r.Timer = InRange(file.ReadInteger(shot, "Timer", r.Timer), 0, 2147483647 / 1000, r.Timer);
    r.Title = file.ReadBool(shot, "Title", r.Title);
    r.Flyer = file.ReadBool(shot, "Flyer", r.Flyer);
    r.Cabinet = file.ReadBool(shot, "Cabinet", r.Cabinet);
    r.Game = file.ReadBool(shot, "Game", r.Game);
    r.ShowName = file.ReadBool(shot, "ShowName", r.ShowName);
    r.ShowControls = file.ReadBool(shot, "ShowControls", r.ShowControls);
    r.Play = file.ReadBool(shot, "Play", r.Play);
    const char* const sound = "Sound";
    r.Music = file.ReadBool(sound, "Music", r.Music);
    r.Samples = file.ReadBool(sound, "Samples", r.Samples);
    r.None = file.ReadBool(sound, "None", r.None);
}

void ReadCurScrShots(const TSettingsFile& file, TMainSettingsRecord& r)
{
    file.ForEachValue("CurScrShot", [&r](std::string_view section, std::string_view value) {
        r.CurScrShots.emplace_back(std::string(section), ParseSettingsInteger(value).value_or(0));
    });
}

} // namespace

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
    ReadView(file, r);
    const char* const list = "GameList";
    r.FontType = file.ReadString(list, "FontType", r.FontType);
    r.FontSize = file.ReadInteger(list, "FontSize", r.FontSize);
    r.FgColor = ReadColor(file, "FgColor", r.FgColor, problem);
    r.FontStyle = file.ReadInteger(list, "FontStyle", r.FontStyle);
    r.BgColor = ReadColor(file, "BgColor", r.BgColor, problem);
    ReadWindow(file, r);
    ReadScreenshotAndSound(file, r);
    r.ColName = ReadWidth(file, "Columns", "Name", r.ColName);
    r.ColZipName = ReadWidth(file, "Columns", "ZipName", r.ColZipName);
    r.ColZipdate = ReadWidth(file, "Columns", "Zipdate", r.ColZipdate);
    ReadCurScrShots(file, r);
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

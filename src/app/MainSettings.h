#pragma once
// Everything the main settings file remembers between runs, as one plain record, and its file format.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/DateTimeText.h"
#include "base/Version.h"
#include "base/WorkingPaths.h"

class TSettingsFile;

// Colour values: 0x00BBGGRR, or 0x80000000 + n for system colour n.
inline constexpr uint32_t kClWindowText = 0x80000008;
inline constexpr uint32_t kClWindow = 0x80000005;

// Values of State.
enum class TWindowState : int32_t { Normal = 0, Minimised = 1, Maximised = 2 };

struct TMainSettingsRecord
{
    // VantorKorb
    TDateTime EmuExeDate = kNeverDateTime;
    std::string EmuExePath = std::string(".") + kPathSep;
    std::string ZipRomPath[3];
    // View
    bool Installed = false, UnInstalled = false, All = true;
    bool Large = true, Small = false, List = false, Details = false;
    bool HotTracking = true, StatBar = true, TabSheet = true;
    int32_t Sort = 0; // 0 name, 1 zip name, 2 zip date
    // GameList
    std::string FontType = "Arial";
    int32_t FontSize = 9;
    uint32_t FgColor = kClWindowText;
    int32_t FontStyle = 0; // 1 bold, 2 italic, 4 underline, 8 strike-out
    uint32_t BgColor = kClWindow;
    // Window
    int32_t State = static_cast<int32_t>(TWindowState::Normal);
    int32_t Width = 600, Height = 400, GLPWidth = 185, LGLPos = 0;
    // Screenshot
    bool Original = false, Scaled = true, Stretched = false;
    int32_t Timer = 2; // whole seconds
    bool Title = true, Flyer = true, Cabinet = true, Game = true;
    bool ShowName = true, ShowControls = true, Play = true;
    // Sound
    bool Music = true, Samples = false, None = false;
    // Columns
    int32_t ColName = 160, ColZipName = 70, ColZipdate = 110;
    // One (ZipName, CurScrShot) per catalogue game, in catalogue order.
    std::vector<std::pair<std::string, int32_t>> CurScrShots;
};

// Writes every value in the file's fixed order, replacing the file atomically. Throws TFileError
// ("Cannot create file <path>") and leaves the old file whole when it cannot be written.
void SaveMainSettingsFile(const std::string& path, const TMainSettingsRecord& record);

// Reads the file; a missing file gives the defaults. Values out of their range take their defaults.
// CurScrShots holds one entry per section (first of each name) that has a CurScrShot key, in file order.
// A colour that is neither a name nor a number takes its default, and its conversion message
// ("'<text>' is not a valid integer value") goes to *problem when given.
// Throws TFileError when the file exists but cannot be read.
TMainSettingsRecord ReadMainSettingsFile(const std::string& path, std::string* problem = nullptr);
// The same from a file already read.
TMainSettingsRecord ReadMainSettings(const TSettingsFile& file, std::string* problem = nullptr);

// The stored text of a colour: its name, or "$" and eight upper-case hexadecimal digits.
std::string ColorToText(uint32_t color);
// A name (any letter case) or an integer text; nothing when it is neither.
std::optional<uint32_t> ColorFromText(const std::string& text);

// True when the file's settings predate the screenshot layout: a non-empty "VantorKorb" section and no
// "Title" key in "Screenshot". A missing file does not.
bool NeedsScreenshotLayoutMigration(const std::string& path);
bool NeedsScreenshotLayoutMigration(const TSettingsFile& file);

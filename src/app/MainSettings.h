#pragma once
// Everything the main settings file remembers between runs, as one plain record, and its file format.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "app/DateTimeText.h"

// Colour values: 0x00BBGGRR, or 0x80000000 + n for system colour n.
inline constexpr uint32_t kClWindowText = 0x80000008;
inline constexpr uint32_t kClWindow = 0x80000005;

struct TMainSettingsRecord
{
    // VantorKorb
    TDateTime EmuExeDate = kNeverDateTime;
    std::string EmuExePath; // default: "." + separator
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
    int32_t State = 0; // 0 normal, 1 minimised, 2 maximised
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

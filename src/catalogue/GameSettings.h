#pragma once
// The sixteen emulator settings of one game or of the defaults.

#include <cstdint>
#include <string>

// A new record holds zeros and empty texts; loading applies the defaults.
class TGameSettingsObject
{
public:
    bool VerticalDisplay = false;
    bool Vsync = false;
    bool ScanLines = false;
    std::string Resolution; // at most 8 characters
    int32_t GammaCorrection = 0;
    std::string SamplingRate; // at most 8 characters
    bool Joystick = false;
    bool QuickFire1 = false;
    bool QuickFire2 = false;
    bool QuickFire3 = false;
    bool QuickFire4 = false;
    bool PproOptimized = false;
    bool PerfCounter = false;
    std::string FrameSkip; // at most 1 character
    int32_t InterruptRate = 0;
    int32_t V30CpuClock = 0;
};

inline constexpr size_t kResolutionWidth = 8;
inline constexpr size_t kSamplingRateWidth = 8;
inline constexpr size_t kFrameSkipWidth = 1;

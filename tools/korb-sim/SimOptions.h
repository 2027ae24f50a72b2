#pragma once
// The stand-in's command line: a zip name followed by the options the front-end writes.

#include <string>
#include <vector>

struct TSimOptions
{
    std::string ZipName;
    std::string Resolution = "320x240";
    int Width = 320;
    int Height = 240;
    bool VerticalDisplay = false;
    bool Vsync = false;
    bool ScanLines = false;
    bool Joystick = true;
    bool PproOptimized = false;
    bool PerfCounter = false;
    int GammaTenths = 10;
    int SamplingRate = 0; // 0: the emulator's own choice
    bool QuickFire[4] = {false, false, false, false};
    int FrameSkip = 0;
    int InterruptRate = 60;
    int V30CpuClock = 12;
    std::string Error; // empty when the whole line was understood
};

TSimOptions ParseSimArguments(const std::vector<std::string>& arguments);

#pragma once
// How a stand-in run behaves: read from "korb-sim.ini" beside the program, then from KORB_SIM_* variables.

#include <string>
#include <vector>

struct TSimSettings
{
    int RunMilliseconds = 200;
    int Shots = 2;
    bool Fail = false;                  // every game run fails with a "cannot" line
    std::vector<std::string> FailGames; // only these zip names fail
    double FrameRate = 0;               // 0: derived from the interrupt rate and frame skip
};

// Lines "Key=Value"; "[section]" lines, ";" and "#" comments and unknown keys are ignored, bad numbers too.
void ApplySettingsText(TSimSettings& settings, const std::string& text);
// KORB_SIM_RUN_MS, KORB_SIM_SHOTS, KORB_SIM_FAIL, KORB_SIM_FAIL_GAMES, KORB_SIM_FRAME_RATE.
void ApplyEnvironment(TSimSettings& settings);
// The file beside the program (or the one KORB_SIM_INI names), then the environment.
TSimSettings LoadSimSettings(const std::string& programPath);

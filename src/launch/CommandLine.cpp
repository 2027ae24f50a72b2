#include "launch/CommandLine.h"

#include <cstdint>
#include <cstdlib>

#include "catalogue/GameSettingsFiles.h"

namespace {
// Tenths as "<units>.<tenth>"; the sign is written once in front, so -15 reads "-1.5", not "-1.-5".
std::string GammaText(int32_t tenths)
{
    int64_t value = tenths;
    std::string sign = value < 0 ? "-" : "";
    int64_t magnitude = std::llabs(value);
    return sign + std::to_string(magnitude / 10) + "." + std::to_string(magnitude % 10);
}

void Append(std::string& result, const std::string& option)
{
    result += ' ';
    result += option;
}
} // namespace

std::string EmuOptions(const TGameSettingsObject& settings)
{
    std::string result;
    if (settings.VerticalDisplay) {
        Append(result, "-vert");
    }
    if (settings.Vsync) {
        Append(result, "-vsync");
    }
    if (settings.ScanLines) {
        Append(result, "-scanlines");
    }
    if (settings.Resolution != "Default") {
        Append(result, "-res " + settings.Resolution);
    }
    if (settings.GammaCorrection != 10) {
        Append(result, "-gamma " + GammaText(settings.GammaCorrection));
    }
    if (settings.SamplingRate != "Default") {
        Append(result, "-r " + settings.SamplingRate);
    }
    const bool quickFire[] = {settings.QuickFire1, settings.QuickFire2, settings.QuickFire3,
                              settings.QuickFire4};
    for (int i = 0; i < 4; ++i) {
        if (quickFire[i]) {
            Append(result, "-qf " + std::to_string(i + 1));
        }
    }
    if (!settings.Joystick) {
        Append(result, "-nojoy");
    }
    if (settings.PproOptimized) {
        Append(result, "-ppro");
    }
    if (settings.PerfCounter) {
        Append(result, "-perf");
    }
    if (settings.FrameSkip != "0") {
        Append(result, "-skip " + settings.FrameSkip);
    }
    if (settings.InterruptRate != 60) {
        Append(result, "-int " + std::to_string(settings.InterruptRate));
    }
    if (settings.V30CpuClock != 12) {
        Append(result, "-cpu " + std::to_string(settings.V30CpuClock));
    }
    return result;
}

std::string BuildEmuCommandLine(const TGameObject& game, const std::string& iniFilesDir)
{
    if (game.InstallState == kNotInstalled) {
        return {};
    }
    TGameSettingsObject settings;
    LoadSettings(settings, iniFilesDir, EffectiveSettingsName(game, iniFilesDir));
    return game.ZipName + EmuOptions(settings);
}

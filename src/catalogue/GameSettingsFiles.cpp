#include "catalogue/GameSettingsFiles.h"

#include <charconv>
#include <filesystem>
#include <set>
#include <string_view>
#include <system_error>

#include "base/FileKinds.h"
#include "base/PlainFileName.h"
#include "base/SettingsFile.h"
#include "catalogue/TextLines.h"

namespace fs = std::filesystem;

namespace {
constexpr const char* kLegacyMainSection = "VantorKorb";

std::string SettingsPath(const std::string& iniFilesDir, const std::string& name)
{
    return iniFilesDir + name + ".ini";
}

TGameSettingsObject DefaultSettings()
{
    TGameSettingsObject settings;
    settings.Vsync = true;
    settings.Resolution = "Default";
    settings.GammaCorrection = 10;
    settings.SamplingRate = "Default";
    settings.PproOptimized = true;
    settings.FrameSkip = "0";
    settings.InterruptRate = 60;
    settings.V30CpuClock = 12;
    return settings;
}

void ReadSection(const TSettingsFile& file, const std::string& section, TGameSettingsObject& settings)
{
    const TGameSettingsObject def = DefaultSettings();
    settings.VerticalDisplay = file.ReadBool(section, "VerticalDisplay", def.VerticalDisplay);
    settings.Vsync = file.ReadBool(section, "Vsync", def.Vsync);
    settings.ScanLines = file.ReadBool(section, "ScanLines", def.ScanLines);
    settings.Resolution = file.ReadString(section, "Resolution", def.Resolution).substr(0, kResolutionWidth);
    settings.GammaCorrection = file.ReadInteger(section, "GammaCorrection", def.GammaCorrection);
    settings.SamplingRate =
        file.ReadString(section, "SamplingRate", def.SamplingRate).substr(0, kSamplingRateWidth);
    settings.Joystick = file.ReadBool(section, "Joystick", def.Joystick);
    settings.QuickFire1 = file.ReadBool(section, "QuickFire1", def.QuickFire1);
    settings.QuickFire2 = file.ReadBool(section, "QuickFire2", def.QuickFire2);
    settings.QuickFire3 = file.ReadBool(section, "QuickFire3", def.QuickFire3);
    settings.QuickFire4 = file.ReadBool(section, "QuickFire4", def.QuickFire4);
    settings.PproOptimized = file.ReadBool(section, "PproOptimized", def.PproOptimized);
    settings.PerfCounter = file.ReadBool(section, "PerfCounter", def.PerfCounter);
    settings.FrameSkip = file.ReadString(section, "FrameSkip", def.FrameSkip).substr(0, kFrameSkipWidth);
    settings.InterruptRate = file.ReadInteger(section, "InterruptRate", def.InterruptRate);
    settings.V30CpuClock = file.ReadInteger(section, "V30CpuClock", def.V30CpuClock);
}

void WriteSection(TSettingsFile& file, const std::string& section, const TGameSettingsObject& settings)
{
    file.WriteBool(section, "VerticalDisplay", settings.VerticalDisplay);
    file.WriteBool(section, "Vsync", settings.Vsync);
    file.WriteBool(section, "ScanLines", settings.ScanLines);
    file.WriteString(section, "Resolution", settings.Resolution);
    file.WriteInteger(section, "GammaCorrection", settings.GammaCorrection);
    file.WriteString(section, "SamplingRate", settings.SamplingRate);
    file.WriteBool(section, "Joystick", settings.Joystick);
    file.WriteBool(section, "QuickFire1", settings.QuickFire1);
    file.WriteBool(section, "QuickFire2", settings.QuickFire2);
    file.WriteBool(section, "QuickFire3", settings.QuickFire3);
    file.WriteBool(section, "QuickFire4", settings.QuickFire4);
    file.WriteBool(section, "PproOptimized", settings.PproOptimized);
    file.WriteBool(section, "PerfCounter", settings.PerfCounter);
    file.WriteString(section, "FrameSkip", settings.FrameSkip);
    file.WriteInteger(section, "InterruptRate", settings.InterruptRate);
    file.WriteInteger(section, "V30CpuClock", settings.V30CpuClock);
}

// i when the section name is "Game" + i in decimal, as the old layout wrote it (letter case aside).
int LegacySectionNumber(std::string_view name)
{
    if (name.size() < 5 || (name[0] | 0x20) != 'g' || (name[1] | 0x20) != 'a' || (name[2] | 0x20) != 'm' ||
        (name[3] | 0x20) != 'e') {
        return -1;
    }
    std::string_view digits = name.substr(4);
    if (digits.size() > 1 && digits[0] == '0') {
        return -1;
    }
    int number = -1;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error != std::errc() || end != digits.data() + digits.size()) {
        return -1;
    }
    return number;
}

// The numbers i >= 1 of the "Game<i>" sections present in the main settings file. Sections that are
// absent are skipped by the migration anyway, so walking these instead of every i below NumOfGames gives
// the same files without a loop of billions for a damaged count.
std::set<int> LegacySectionNumbers(const std::string& mainIniPath)
{
    std::set<int> numbers;
    const std::string bytes = ReadTextFileBytes(mainIniPath);
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            end = bytes.size();
        }
        std::string_view line(bytes.data() + start, end - start);
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            int number = LegacySectionNumber(line.substr(1, line.size() - 2));
            if (number >= 1) {
                numbers.insert(number);
            }
        }
        start = end + 1;
    }
    return numbers;
}

void MigrateSection(const TSettingsFile& mainIni, const std::string& iniFilesDir, int number)
{
    const std::string section = "Game" + std::to_string(number);
    const std::string zipName = mainIni.ReadString(section, "ZipName", "error");
    if (number != 0 && mainIni.ReadBool(section, "UseDefSettings", true)) {
        return;
    }
    TGameSettingsObject settings;
    ReadSection(mainIni, section, settings);
    SaveSettings(settings, iniFilesDir, zipName);
}
} // namespace

void LoadSettings(TGameSettingsObject& settings, const std::string& iniFilesDir, const std::string& name)
{
    if (!IsPlainFileName(name)) {
        settings = DefaultSettings();
        return;
    }
    ReadSection(TSettingsFile::Open(SettingsPath(iniFilesDir, name)), name, settings);
}

TGameSettingsObject SettingsAsStored(const TGameSettingsObject& settings)
{
    TSettingsFile file = TSettingsFile::FromBytes(std::string());
    WriteSection(file, kDefaultSettingsName, settings);
    TGameSettingsObject stored;
    ReadSection(file, kDefaultSettingsName, stored);
    return stored;
}

void SaveSettings(const TGameSettingsObject& settings, const std::string& iniFilesDir,
                  const std::string& name)
{
    if (!IsPlainFileName(name)) {
        return;
    }
    TSettingsFile file = TSettingsFile::Open(SettingsPath(iniFilesDir, name));
    file.Clear();
    WriteSection(file, name, settings);
    file.UpdateFile();
}

bool UsesDefaultSettings(const TGameObject& game, const std::string& iniFilesDir)
{
    return !IsPlainFileName(game.ZipName) || !IsRegularFile(SettingsPath(iniFilesDir, game.ZipName));
}

std::string EffectiveSettingsName(const TGameObject& game, const std::string& iniFilesDir)
{
    return UsesDefaultSettings(game, iniFilesDir) ? std::string(kDefaultSettingsName) : game.ZipName;
}

void SetUseDefaultSettings(const TGameObject& game, const std::string& iniFilesDir, bool useDefaults)
{
    if (!useDefaults || UsesDefaultSettings(game, iniFilesDir)) {
        return;
    }
    std::error_code ec;
    fs::remove(SettingsPath(iniFilesDir, game.ZipName), ec);
}

void MigrateLegacySettings(const std::string& mainIniPath, const std::string& iniFilesDir)
{
    if (IsRegularFile(SettingsPath(iniFilesDir, kDefaultSettingsName))) {
        return;
    }
    const TSettingsFile mainIni = TSettingsFile::Open(mainIniPath);
    if (!mainIni.SectionExists("Game0")) {
        return;
    }
    const int count = mainIni.ReadInteger(kLegacyMainSection, "NumOfGames", 0);
    if (count <= 0) {
        return;
    }
    MigrateSection(mainIni, iniFilesDir, 0);
    for (int number : LegacySectionNumbers(mainIniPath)) {
        if (number >= count) {
            break;
        }
        MigrateSection(mainIni, iniFilesDir, number);
    }
}

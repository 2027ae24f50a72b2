#include "launch/ConvertScreenshots.h"

#include <exception>

#include "launch/LaunchScript.h"

namespace {

// Writes the emulator's script back when it goes out of scope, however the conversion ended.
class TEmulatorScriptRestorer
{
public:
    explicit TEmulatorScriptRestorer(const TWorkingPaths& paths) : m_paths(paths) {}
    TEmulatorScriptRestorer(const TEmulatorScriptRestorer&) = delete;
    TEmulatorScriptRestorer& operator=(const TEmulatorScriptRestorer&) = delete;
    ~TEmulatorScriptRestorer() noexcept(false)
    {
        // While an error is already on its way out, that error is the one to report.
        if (std::uncaught_exceptions() > m_pending) {
            try {
                Restore();
            } catch (...) {
            }
            return;
        }
        Restore();
    }

private:
    void Restore() const { WriteLaunchScript(m_paths.BatchPath, "Korb", m_paths.EmuExe, m_paths.OutputPath); }

    const TWorkingPaths& m_paths;
    int m_pending = std::uncaught_exceptions();
};

} // namespace

std::string ConverterPath(const TWorkingPaths& paths)
{
    return paths.AppDir + "nconvert.exe";
}

std::vector<std::string> ConvertRunParameters()
{
    std::vector<std::string> parameters;
    for (const char* folder : {"Titles", "Flyers", "Cabinets", "Gameplay"})
        parameters.push_back(std::string("-v. -out png -D ") + folder + kPathSepText + "*.*");
    return parameters;
}

void ConvertAllScreenshots(TExecFile& execEmu, const TWorkingPaths& paths)
{
    TEmulatorScriptRestorer restorer(paths);
    WriteLaunchScript(paths.BatchPath, "NConvert", ConverterPath(paths), "");
    for (const std::string& parameters : ConvertRunParameters()) {
        execEmu.SetParameters(parameters);
        execEmu.Execute();
    }
}

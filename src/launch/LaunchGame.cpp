#include "launch/LaunchGame.h"

#include <chrono>
#include <filesystem>
#include <optional>

#include "base/FileError.h"
#include "base/PlainFileName.h"
#include "catalogue/GameSettingsFiles.h"
#include "catalogue/InstalledGames.h"
#include "launch/CommandLine.h"
#include "launch/EmuOutput.h"
#include "launch/ExecEmu.h"
#include "shots/ScreenshotFiles.h"

namespace fs = std::filesystem;

namespace {

// Folders end in the separator; keep that when making them absolute.
std::string AbsoluteDir(const std::string& dir)
{
    if (dir.empty())
        return dir;
    std::error_code ec;
    fs::path absolute = fs::absolute(dir, ec);
    if (ec)
        return dir;
    std::string text = absolute.lexically_normal().string();
    if (text.back() != '/')
        text += '/';
    return text;
}

std::string AbsoluteFile(const std::string& path)
{
    std::error_code ec;
    fs::path absolute = fs::absolute(path, ec);
    return ec ? path : absolute.lexically_normal().string();
}

// Copies the archive to the temporary path for the run and removes that copy afterwards, also when the
// run fails. A file already at the temporary path belongs to the user: it is used and left alone.
class TTemporaryArchive
{
public:
    TTemporaryArchive(const std::string& source, const std::string& target) : m_target(target)
    {
        std::error_code ec;
        if (source.empty() || fs::exists(fs::symlink_status(target, ec)))
            return;
        m_created = fs::copy_file(source, target, fs::copy_options::none, ec) && !ec;
    }
    ~TTemporaryArchive()
    {
        if (!m_created)
            return;
        std::error_code ec;
        // A copy from a read-only medium is read-only too.
        fs::permissions(m_target, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add, ec);
        fs::remove(m_target, ec);
    }
    TTemporaryArchive(const TTemporaryArchive&) = delete;
    TTemporaryArchive& operator=(const TTemporaryArchive&) = delete;

private:
    std::string m_target;
    bool m_created = false;
};

// A monotonic clock: a wall clock set back during the run never gives a negative time.
void RunEmulator(TLaunchContext& context, const std::string& arguments)
{
    context.ExecEmu.SetParameters(arguments);
    const auto start = std::chrono::steady_clock::now();
    context.Result.Ran = context.ExecEmu.Execute();
    const auto elapsed = std::chrono::steady_clock::now() - start;
    context.Result.Seconds = std::chrono::duration_cast<std::chrono::seconds>(elapsed).count();
    // The shell's answers for a program it could not start; a program ended by a signal did run.
    const std::optional<int> status = context.ExecEmu.LastExitStatus();
    if (status && (*status == 126 || *status == 127))
        context.Result.Ran = false;
}

} // namespace

TLaunchResult LaunchGame(TLaunchContext& context)
{
    const TWorkingPaths& paths = context.Paths;
    const std::string arguments = BuildEmuCommandLine(context.Game, paths.IniFilesDir);
    std::error_code ec;
    fs::create_directory(paths.PcxDir, ec);
    fs::create_directory(paths.PcxBackDir, ec);
    ClearCaptureDir(paths.PcxDir, paths.PcxBackDir, context.PutAsideProgress);

    // Relative paths are meant from where the program stands now, not from EmuDir.
    const std::string emuDir = AbsoluteDir(paths.EmuDir);
    const std::string pcxDir = AbsoluteDir(paths.PcxDir);
    const std::string gameplayDir = AbsoluteDir(paths.GameplayDir);
    const std::string outputPath = AbsoluteFile(paths.OutputPath);
    const std::string emuExe = AbsoluteFile(paths.EmuExe);

    fs::current_path(emuDir.empty() ? fs::path(".") : fs::path(emuDir), ec);
    if (ec)
        throw TFileError("Cannot change to folder " + paths.EmuDir + ": " + ec.message());

    if (context.Game.InstallState == kInstalledOnExtraPath) {
        // A zip name with a separator or ".." would put the copy outside "ziproms/": no copy then.
        const bool plainName = IsPlainFileName(context.Game.ZipName);
        const std::string target = emuDir + "ziproms/" + context.Game.ZipName + ".zip";
        TTemporaryArchive archive(plainName ? SearchZip(context.Game, context.ZipRomPaths) : std::string(),
                                  target);
        RunEmulator(context, arguments);
    } else {
        RunEmulator(context, arguments);
    }

    HarvestNewScreenshots(pcxDir, gameplayDir, context.Game.ZipName);
    // A program that never ran, or died, leaves no output worth checking: say what happened instead.
    const std::string failure = LastRunFailure(context.ExecEmu, emuExe);
    if (!failure.empty()) {
        context.Result.RunFailure = failure;
        context.Dialogs.ShowMessage(ScriptFailureMessage(failure));
        return context.Result;
    }
    CheckEmuOutputFile(context, outputPath);
    return context.Result;
}

#include "launch/ExecEmu.h"

#include <csignal>
#include <cstring>
#include <filesystem>

#include "base/FileKinds.h"

TMessage ExecEmuFailMessage()
{
    return ErrorMessage(
        "Failed to execute BatchFile\rPlease report this problem to the maintainers of VantorKorb.",
        {TMsgButton::Cancel});
}

std::string ScriptFailureText(int status, const std::string& program)
{
    if (status == 127)
        return "Korb could not be started: " + program + " was not found.";
    if (status == 126)
        return "Korb could not be started: " + program +
               " cannot be executed (permission denied or not a program).";
    const int signal = status - 128;
    if (signal < 1 || signal >= NSIG)
        return {};
    const char* name = strsignal(signal);
    return "Korb ended by signal " + std::to_string(signal) + (name ? std::string(" (") + name + ")" : "") +
           ": " + program;
}

TMessage ScriptFailureMessage(const std::string& text)
{
    return ErrorMessage(text);
}

std::string LastRunFailure(const TExecFile& execEmu, const std::string& program)
{
    const std::optional<int> status = execEmu.LastExitStatus();
    if (!status)
        return {};
    const std::string& reported = execEmu.LastErrorLines();
    std::string text = ScriptFailureText(*status, program);
    // A wrapper script that is there but cannot find its own program (wine, say) also ends with 127.
    if (*status == 127 && !reported.empty() && IsRegularFile(program))
        text = "Korb could not be started: " + program + " could not start a program it needs.";
    if (text.empty() || reported.empty())
        return text;
    return text + "\rKorb reported:\r" + reported;
}

void ConfigureExecEmu(TExecFile& execEmu, TDialogs& dialogs, const std::string& batchPath)
{
    execEmu.Associate = false;
    execEmu.Wait = true;
    execEmu.WaitStyle = TWaitStyle::wSuspend;
    execEmu.WindowStyle = TWindowStyle::wsNorm;
    execEmu.Priority = TPriorityClass::pcNormal;
    // The launch changes the working directory; the script must still be found afterwards.
    std::error_code ec;
    std::filesystem::path absolute = std::filesystem::absolute(batchPath, ec);
    execEmu.SetCommandLine(ec ? batchPath : absolute.lexically_normal().string());
    execEmu.StatusPath = execEmu.CommandLine() + ".status";
    execEmu.ErrorsPath = execEmu.CommandLine() + ".errors";
    execEmu.OnFail = [&dialogs](TExecFile&) { dialogs.ShowMessage(ExecEmuFailMessage()); };
}

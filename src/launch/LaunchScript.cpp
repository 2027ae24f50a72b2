#include "launch/LaunchScript.h"

#include <cstdio>
#include <filesystem>

#include <sys/stat.h>

#include "base/AtomicFile.h"
#include "base/FileError.h"

namespace {

// Single quotes keep every character literal; a quote inside is closed, escaped and reopened.
std::string ShellQuote(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

// A bare name would be looked up on PATH; the script must run the file in the current folder instead.
std::string CommandPath(const std::string& program)
{
    return program.find('/') == std::string::npos ? "./" + program : program;
}

std::string PosixText(const std::string& name, const std::string& program, const std::string& output)
{
    std::string text = "#!/bin/sh\n";
    text += "printf '%s\\n' " + ShellQuote("Starting " + name) + "\n";
    // More than nine words are cut to nine; fewer stay as they are, so no empty argument appears.
    text +=
        "if [ $# -gt 9 ]; then set -- \"$1\" \"$2\" \"$3\" \"$4\" \"$5\" \"$6\" \"$7\" \"$8\" \"$9\"; fi\n";
    text += ShellQuote(CommandPath(program)) + " \"$@\"";
    if (!output.empty())
        text += " > " + ShellQuote(output);
    text += "\n";
    // Without a terminal there is no screen to clear, and clear would complain about TERM.
    text += "if [ -t 1 ]; then clear 2>/dev/null; fi\n";
    text += "printf '%s\\n' " + ShellQuote(name + " has finished.") + "\n";
    return text;
}

std::string BatchText(const std::string& name, const std::string& program, const std::string& output)
{
    const std::string eol = "\r\n";
    std::string text = "@echo off" + eol;
    text += "echo Starting " + name + eol;
    text += "\"" + program + "\" %1 %2 %3 %4 %5 %6 %7 %8 %9 ";
    if (!output.empty())
        text += " > \"" + output + "\"";
    text += eol;
    text += "cls" + eol;
    text += "echo " + name + " has finished." + eol;
    text += "echo If this window does not disappear:" + eol;
    text += "echo 1. Right-click on the title-bar" + eol;
    text += "echo 2. Click properties" + eol;
    text += "echo 3. Check \"close on exit\"" + eol;
    return text;
}

} // namespace

std::string LaunchScriptText(TScriptFlavour flavour, const std::string& name, const std::string& program,
                             const std::string& output)
{
    return flavour == TScriptFlavour::WindowsBatch ? BatchText(name, program, output)
                                                   : PosixText(name, program, output);
}

void WriteLaunchScript(const std::string& scriptPath, const std::string& name, const std::string& program,
                       const std::string& output)
{
#ifdef _WIN32
    const TScriptFlavour flavour = TScriptFlavour::WindowsBatch;
#else
    const TScriptFlavour flavour = TScriptFlavour::PosixShell;
#endif
    const std::string text = LaunchScriptText(flavour, name, program, output);
    // The script's shell writes the output through whatever the name leads to.
    if (!output.empty() && IsLinkLeadingOut(output))
        throw TFileError(LinkLeftAloneText(output));
    const std::string failure = "Cannot create file " + scriptPath;
    TAtomicFile out(scriptPath);
    struct stat info;
    if (!out.Stream() || ::fstat(::fileno(out.Stream()), &info) != 0 ||
        ::fchmod(::fileno(out.Stream()), (info.st_mode & 07777) | S_IXUSR | S_IXGRP | S_IXOTH) != 0 ||
        std::fwrite(text.data(), 1, text.size(), out.Stream()) != text.size() || !out.Commit())
        throw TFileError(failure);
}

std::string ScriptProgramPath(const std::string& emuDir, const std::string& emuExe)
{
    namespace fs = std::filesystem;
    const std::string here = std::string(".") + kPathSep;
    if (emuDir.empty() || emuDir == here || fs::path(emuExe).is_absolute())
        return emuExe;
    std::error_code ec;
    const fs::path absolute = fs::absolute(emuExe, ec);
    return ec ? emuExe : absolute.lexically_normal().string();
}

void WriteEmulatorScript(const TWorkingPaths& paths)
{
    WriteLaunchScript(paths.BatchPath, "Korb", ScriptProgramPath(paths.EmuDir, paths.EmuExe),
                      paths.OutputPath);
}

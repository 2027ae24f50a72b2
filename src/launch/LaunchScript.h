#pragma once
// The launch script: announces the program, runs it with up to nine forwarded arguments, captures its output.

#include <string>

#include "base/WorkingPaths.h"

enum class TScriptFlavour { PosixShell, WindowsBatch };

// The script's text. The POSIX text quotes every path so no character in it can run a command; the batch
// text is the Windows form, CR LF line ends, paths written unchanged.
std::string LaunchScriptText(TScriptFlavour flavour, const std::string& name, const std::string& program,
                             const std::string& output);

// Writes the script of this platform at scriptPath (created or truncated) and makes it executable.
// output may be empty: the program's output is then not redirected.
// Throws TFileError "Cannot create file <scriptPath>" when the file cannot be written.
void WriteLaunchScript(const std::string& scriptPath, const std::string& name, const std::string& program,
                       const std::string& output);

// The emulator's path as the script names it. A launch runs the script from EmuDir, so a path relative to
// another folder would miss: it is made absolute. The default folder "./" and absolute paths stay as given.
std::string ScriptProgramPath(const std::string& emuDir, const std::string& emuExe);

// The emulator script in force while the program runs: "Korb", the emulator, the output file.
void WriteEmulatorScript(const TWorkingPaths& paths);

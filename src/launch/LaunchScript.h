#pragma once
// The launch script: announces the program, runs it with up to nine forwarded arguments, captures its output.

#include <string>

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

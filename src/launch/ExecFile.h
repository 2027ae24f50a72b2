#pragma once
// The process runner: starts a command in a console window of its own and, if asked, waits for its end.

#include <functional>
#include <optional>
#include <string>

#include "platform/Processes.h"
#include "platform/Shell.h"

enum class TWaitStyle { wRegular, wSuspend };
enum class TWindowStyle { wsNorm, wsMinimize, wsMaximize, wsHide, wsMinNoActivate, wsShowNoActivate };

class TExecFile
{
public:
    // shell finds the associated program when Associate is set; may be null.
    TExecFile(TProcesses& processes, TShell* shell = nullptr);

    bool Associate = false;
    TPriorityClass Priority = TPriorityClass::pcNormal;
    bool Wait = false;
    TWaitStyle WaitStyle = TWaitStyle::wRegular;
    TWindowStyle WindowStyle = TWindowStyle::wsNorm;
    std::function<void(TExecFile& sender)> OnFail;
    // When set, CommandLine is a shell script and its exit status is learnt through this file, which
    // exists only during a run: see LastExitStatus.
    std::string StatusPath;
    // When set with StatusPath, the script's error output is kept in this file during a run too; its
    // last lines are LastErrorLines.
    std::string ErrorsPath;

    // Both are cut to 255 characters when assigned.
    void SetCommandLine(const std::string& text);
    void SetParameters(const std::string& text);
    const std::string& CommandLine() const { return m_commandLine; }
    const std::string& Parameters() const { return m_parameters; }

    // True after a completed wait; false when the start failed (OnFail was called), when Wait is false and
    // when the application quit during a regular wait. CommandLine is the program's path as it is; the
    // parameters are the words of what is left of the joined 255-character text, split at blanks only.
    // A suspending wait keeps a window painting but drops the input given meanwhile.
    bool Execute();
    // The script's exit status after a completed wait with StatusPath set; nothing otherwise (no wait, no
    // status file, a script killed before it could write one).
    std::optional<int> LastExitStatus() const { return m_exitStatus; }
    // The last few lines the script wrote to its error output, joined by "\r"; empty when it wrote none.
    const std::string& LastErrorLines() const { return m_errorLines; }

    int LastError() const { return m_lastError; }
    bool IsWaiting() const { return m_waiting; }
    int ProcessId() const { return m_processId; }

    // The program found by the last association lookup.
    const std::string& AssociatedProgram() const { return m_associatedProgram; }
    bool HasEnded() const { return m_ended; }

private:
    bool WaitFor(TProcess& process);
    void ReadExitStatus();

    TProcesses& m_processes;
    TShell* m_shell;
    std::string m_associatedProgram;
    std::string m_commandLine;
    std::string m_parameters;
    int m_lastError = 0;
    bool m_waiting = false;
    bool m_ended = false;
    int m_processId = 0;
    std::optional<int> m_exitStatus;
    std::string m_errorLines;
};

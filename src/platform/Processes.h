#pragma once
// Creating processes and waiting for them; the launch script and the emulator run through this.

#include <functional>
#include <memory>
#include <string>
#include <vector>

enum class TShowState { Normal, Minimized, Maximized, Hidden, MinNoActivate, ShowNoActivate };
enum class TPriorityClass { pcNormal, pcIdle, pcHigh, pcRealTime };

struct TProcessStart
{
    std::string Program;                // path of the program (or a name looked up on PATH), never split
    std::vector<std::string> Arguments; // passed to the program as they are, no shell reads them
    // When set, Program is a shell script that is run so that it stops at its first failing command and
    // its exit status is written to this file as decimal text: 126/127 when a program in it could not be
    // started, 128 + n when one ended by signal n. Works inside a terminal window too.
    std::string ScriptStatusPath;
    // With ScriptStatusPath: the script's error output also goes into this file, replaced on each run.
    std::string ScriptErrorsPath;
    TShowState Show = TShowState::Normal;
    TPriorityClass Priority = TPriorityClass::pcNormal;
    bool OwnConsole = true; // run inside a terminal window when one is available; never when Hidden
};

// Dropping the object does not stop the process; it runs on by itself.
class TProcess
{
public:
    virtual ~TProcess() = default;
    virtual int Id() const = 0;
    // Blocks until the process has ended.
    virtual void WaitBlocking() = 0;
    // True once the process has ended; never blocks.
    virtual bool HasEnded() = 0;
    // Asks the process and all it started to end: SIGTERM to its process group, then SIGKILL to the
    // group when it is still there a few seconds later. Never blocks.
    virtual void RequestEnd() {}
};

struct TStartResult
{
    std::unique_ptr<TProcess> Process; // empty when the start failed
    int ErrorCode = 0;                 // errno-style code of the failure
};

class TProcesses
{
public:
    virtual ~TProcesses() = default;
    virtual TStartResult Start(const TProcessStart& start) = 0;
    // Handles pending window events once; returns false when the application was told to quit.
    virtual bool ProcessPendingEvents() = 0;
    // Blocks the caller until the process has ended. A windowed program keeps painting meanwhile, but
    // keyboard and mouse input given during the wait is dropped, never handled later.
    virtual void WaitWithoutInput(TProcess& process) { process.WaitBlocking(); }
    // Ends the run WaitWithoutInput is waiting for (the close box, a signal, the pad); does nothing when
    // no wait is under way.
    virtual void EndCurrentRun() {}
};

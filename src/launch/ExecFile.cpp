#include "launch/ExecFile.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <thread>
#include <vector>

#include "base/FileKinds.h"
#include "base/CommandText.h"

namespace {

constexpr size_t kMaxText = 255;
constexpr size_t kErrorLinesKept = 5;
constexpr size_t kErrorLineWidth = 200;
constexpr long kErrorTailBytes = 4096;

// The last lines of a file, read from its last few kilobytes only; blank lines left out.
std::string LastLinesOf(const std::string& path)
{
    if (!IsRegularFile(path))
        return {};
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    const long size = static_cast<long>(in.tellg());
    if (!in || size <= 0)
        return {};
    const long start = size > kErrorTailBytes ? size - kErrorTailBytes : 0;
    std::string tail(static_cast<size_t>(size - start), '\0');
    in.seekg(start);
    in.read(tail.data(), static_cast<std::streamsize>(tail.size()));
    tail.resize(static_cast<size_t>(in.gcount()));
    std::vector<std::string> lines;
    size_t begin = start > 0 ? tail.find('\n') + 1 : 0; // a cut first line is left out
    for (size_t end; begin < tail.size(); begin = end + 1) {
        end = tail.find('\n', begin);
        if (end == std::string::npos)
            end = tail.size();
        std::string line = tail.substr(begin, end - begin);
        while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
            line.pop_back();
        if (!line.empty())
            lines.push_back(line.substr(0, kErrorLineWidth));
    }
    std::string joined;
    for (size_t i = lines.size() > kErrorLinesKept ? lines.size() - kErrorLinesKept : 0; i < lines.size();
         ++i)
        joined += (joined.empty() ? "" : "\r") + lines[i];
    return joined;
}

std::string Cut(const std::string& text)
{
    return text.size() > kMaxText ? text.substr(0, kMaxText) : text;
}

TShowState ShowStateOf(TWindowStyle style)
{
    switch (style) {
    case TWindowStyle::wsMinimize:
        return TShowState::Minimized;
    case TWindowStyle::wsMaximize:
        return TShowState::Maximized;
    case TWindowStyle::wsHide:
        return TShowState::Hidden;
    case TWindowStyle::wsMinNoActivate:
        return TShowState::MinNoActivate;
    case TWindowStyle::wsShowNoActivate:
        return TShowState::ShowNoActivate;
    case TWindowStyle::wsNorm:
        break;
    }
    return TShowState::Normal;
}

// The words after the program in the joined text, which is cut as a whole.
std::vector<std::string> ArgumentWords(const std::string& program, const std::string& parameters)
{
    const std::string joined = Cut(program + " " + parameters);
    return joined.size() > program.size() + 1 ? SplitAtBlanks(joined.substr(program.size() + 1))
                                              : std::vector<std::string>();
}

} // namespace

TExecFile::TExecFile(TProcesses& processes, TShell* shell) : m_processes(processes), m_shell(shell) {}

void TExecFile::SetCommandLine(const std::string& text)
{
    m_commandLine = Cut(text);
}

void TExecFile::SetParameters(const std::string& text)
{
    m_parameters = Cut(text);
}

bool TExecFile::Execute()
{
    TProcessStart start;
    start.Show = ShowStateOf(WindowStyle);
    start.Priority = Priority;
    start.OwnConsole = true;
    start.Program = m_commandLine;
    start.Arguments = ArgumentWords(m_commandLine, m_parameters);
    start.ScriptStatusPath = StatusPath;
    start.ScriptErrorsPath = StatusPath.empty() ? std::string() : ErrorsPath;
    m_exitStatus.reset();
    m_errorLines.clear();
    // Removed, not written over: what is at the names may be a link a shell would follow.
    for (const std::string* path : {&StatusPath, &ErrorsPath})
        if (!path->empty())
            std::remove(path->c_str());

    TStartResult result = m_processes.Start(start);
    if (!result.Process && Associate && m_shell) {
        std::optional<std::string> program = m_shell->FindAssociatedProgram(m_commandLine);
        if (program) {
            m_associatedProgram = *program;
            start.Program = m_associatedProgram;
            start.Arguments = SplitAtBlanks(m_parameters);
            start.Arguments.insert(start.Arguments.begin(), m_commandLine);
            start.ScriptStatusPath.clear();
            start.ScriptErrorsPath.clear();
            int firstError = result.ErrorCode;
            result = m_processes.Start(start);
            if (!result.Process && result.ErrorCode == 0)
                result.ErrorCode = firstError;
        }
    }
    if (!result.Process) {
        m_lastError = result.ErrorCode != 0 ? result.ErrorCode : ENOENT;
        if (OnFail)
            OnFail(*this);
        return false;
    }
    m_processId = result.Process->Id();
    if (!Wait)
        return false;
    const bool ended = WaitFor(*result.Process);
    if (ended)
        ReadExitStatus();
    return ended;
}

void TExecFile::ReadExitStatus()
{
    if (StatusPath.empty())
        return;
    std::ifstream in(StatusPath);
    int status = -1;
    if (in >> status && status >= 0 && status <= 255)
        m_exitStatus = status;
    in.close();
    std::remove(StatusPath.c_str());
    if (!ErrorsPath.empty()) {
        m_errorLines = LastLinesOf(ErrorsPath);
        std::remove(ErrorsPath.c_str());
    }
}

bool TExecFile::WaitFor(TProcess& process)
{
    m_waiting = true;
    m_ended = false;
    if (WaitStyle == TWaitStyle::wSuspend) {
        m_processes.WaitWithoutInput(process);
        m_ended = true;
    } else {
        while (!m_ended) {
            if (!m_processes.ProcessPendingEvents())
                break; // the application is quitting; it does not wait for the child
            if (process.HasEnded()) {
                m_ended = true;
                m_processes.ProcessPendingEvents();
            } else {
                // A short nap keeps the wait from taking a whole core from the emulator.
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
        }
    }
    m_waiting = false;
    return m_ended;
}

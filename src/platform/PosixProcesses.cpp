#include "platform/PosixProcesses.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using TClock = std::chrono::steady_clock;
// Time a group gets to end after SIGTERM before SIGKILL follows.
constexpr auto kEndGrace = std::chrono::seconds(3);
// After SIGKILL the wait gives up on members nobody reaps (a container's init may never do it).
constexpr auto kKillGrace = std::chrono::seconds(2);

[[noreturn]] void RunChild(const std::string& path, const std::vector<char*>& argv, int nice, int errorPipe);

// What runs when the terminal ended without having started its command.
struct TWithoutTerminal
{
    std::string Marker;
    std::string Path;
    std::vector<std::string> Words;
    int Nice = 0;
    std::string Terminal;
    std::shared_ptr<TTerminalNotice> Notice;
};

class TPosixProcess : public TProcess
{
public:
    explicit TPosixProcess(pid_t pid, std::optional<TWithoutTerminal> fallback = std::nullopt)
        : m_pid(pid), m_fallback(std::move(fallback))
    {
    }
    ~TPosixProcess() override
    {
        if (m_fallback)
            unlink(m_fallback->Marker.c_str());
        // A process nobody waits for is still reaped, so it leaves no zombie behind.
        if (!m_reaped) {
            pid_t pid = m_pid;
            std::thread([pid] {
                int status = 0;
                while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
                }
            }).detach();
        }
    }
    // The terminal itself could not be started: that is the error, nothing runs instead.
    void DropFallback() { m_fallback.reset(); }
    int Id() const override { return static_cast<int>(m_pid); }
    void WaitBlocking() override
    {
        int status = 0;
        while (!m_reaped) {
            pid_t done = waitpid(m_pid, &status, 0);
            if (done == m_pid || (done < 0 && errno != EINTR))
                Reaped();
        }
        while (!GroupGone())
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    bool HasEnded() override
    {
        if (!m_reaped) {
            int status = 0;
            pid_t done = waitpid(m_pid, &status, WNOHANG);
            if (done == m_pid || (done < 0 && errno != EINTR))
                Reaped();
        }
        return m_reaped && GroupGone();
    }
    void RequestEnd() override
    {
        if (m_reaped || m_endAsked)
            return;
        m_endAsked = true;
        m_endAskedAt = TClock::now();
        const pid_t group = m_pid;
        kill(-group, SIGTERM);
        // No new process gets the group's number while a member is left, and the wait lasts until then.
        std::thread([group] {
            std::this_thread::sleep_for(kEndGrace);
            kill(-group, SIGKILL);
        }).detach();
    }

private:
    // A run asked to end is over once nothing of its group is left: what ignored SIGTERM (an emulator
    // below the script's shell) still writes pictures until SIGKILL.
    bool GroupGone() const
    {
        if (!m_endAsked)
            return true;
        if (TClock::now() - m_endAskedAt > kEndGrace + kKillGrace)
            return true;
        return kill(-m_pid, 0) != 0 && errno == ESRCH;
    }

    // A terminal that could not open ends without running anything: the command then runs once on its own.
    void Reaped()
    {
        m_reaped = true;
        if (!m_fallback) {
            TellTerminalFailed();
            return;
        }
        TWithoutTerminal fallback = std::move(*m_fallback);
        m_fallback.reset();
        if (unlink(fallback.Marker.c_str()) == 0 || m_endAsked)
            return;
        std::vector<char*> argv;
        for (std::string& word : fallback.Words)
            argv.push_back(word.data());
        argv.push_back(nullptr);
        int pipeEnds[2];
        if (pipe2(pipeEnds, O_CLOEXEC) != 0)
            return;
        pid_t pid = fork();
        if (pid == 0)
            RunChild(fallback.Path, argv, fallback.Nice, pipeEnds[1]);
        close(pipeEnds[1]);
        close(pipeEnds[0]);
        if (pid < 0)
            return;
        setpgid(pid, pid);
        m_pid = pid;
        m_reaped = false;
        m_failedTerminal = fallback.Terminal;
        m_notice = fallback.Notice;
    }
    // Once the command has run without it, so the line is not lost under what the run itself shows.
    void TellTerminalFailed()
    {
        const std::shared_ptr<TTerminalNotice> notice = std::move(m_notice);
        if (!notice || notice->Told || !notice->Handler)
            return;
        notice->Told = true;
        notice->Handler(TerminalFailedText(m_failedTerminal));
    }

    pid_t m_pid;
    bool m_reaped = false;
    bool m_endAsked = false;
    TClock::time_point m_endAskedAt;
    std::optional<TWithoutTerminal> m_fallback;
    std::string m_failedTerminal;
    std::shared_ptr<TTerminalNotice> m_notice;
};

// execv needs a path; the search happens before fork because the child may only call async-safe functions.
std::string ResolveProgram(const std::string& program, const TTerminalEnvironment& environment)
{
    if (program.find('/') != std::string::npos || !environment.FindProgram)
        return program;
    return environment.FindProgram(program).value_or(std::string());
}

// Runs the script in this shell so that "set -e" stops it at the first failing command; the exit trap
// writes the status, the one of that command. A missing "clear" must not pass for a failed program.
constexpr const char* kStatusWrapper = "f=$1; s=$2; shift 2\n"
                                       "trap 'printf \"%s\\n\" \"$?\" > \"$f\"' EXIT\n"
                                       "clear() { command clear \"$@\" || :; }\n"
                                       "set -e\n"
                                       ". \"$s\"\n";
// The same, and what the script writes to its error output also goes into a file ($3), through a tee
// that reads a pipe: the script runs in this shell as before, and a program it leaves behind holding its
// error output (a daemon) cannot keep the run from ending; the exit waits at most a second for the tee.
// Where no pipe can be made the script runs as without the file.
constexpr const char* kStatusAndErrorsWrapper = "f=$1; s=$2; e=$3; shift 3\n"
                                                "clear() { command clear \"$@\" || :; }\n"
                                                "p=$e.pipe\n"
                                                "rm -f -- \"$p\"\n"
                                                "if mkfifo -m 600 -- \"$p\" 2>/dev/null; then\n"
                                                "  tee -- \"$e\" <\"$p\" >&2 &\n"
                                                "  t=$!\n"
                                                "  exec 2>\"$p\"\n"
                                                "  rm -f -- \"$p\"\n"
                                                "fi\n"
                                                "trap 'r=$?; exec 2>&-; i=0\n"
                                                "  while [ -n \"${t-}\" ] && kill -0 \"$t\" 2>/dev/null && [ "
                                                "$i -lt 10 ]; do sleep 0.1; i=$((i+1)); done\n"
                                                "  printf \"%s\\n\" \"$r\" > \"$f\"' EXIT\n"
                                                "set -e\n"
                                                ". \"$s\"\n";
constexpr const char* kShell = "/bin/sh";

[[noreturn]] void RunChild(const std::string& path, const std::vector<char*>& argv, int nice, int errorPipe)
{
    setpgid(0, 0);
    // Raising the priority needs privileges; without them the child runs at the normal priority.
    setpriority(PRIO_PROCESS, 0, nice);
    execv(path.c_str(), argv.data());
    int error = errno;
    ssize_t written = write(errorPipe, &error, sizeof error);
    (void)written;
    _exit(127);
}

// Where the marker goes: the user's temporary folder, else the system's.
int MakeMarker(std::string& marker)
{
    const char* tmp = std::getenv("TMPDIR");
    for (const std::string& dir : {std::string(tmp && *tmp ? tmp : ""), std::string("/tmp")}) {
        if (dir.empty())
            continue;
        marker = dir + "/vantorkorb-terminal-" + std::string(6, 'X'); // mkstemp fills in the six letters
        const int fd = mkstemp(marker.data());
        if (fd >= 0)
            return fd;
    }
    return -1;
}

} // namespace

std::string TerminalFailedText(const std::string& terminal)
{
    return "The terminal " + terminal + " did not open: ran without a terminal";
}

int NiceValueOf(TPriorityClass priority)
{
    switch (priority) {
    case TPriorityClass::pcIdle:
        return 19;
    case TPriorityClass::pcHigh:
        return -10;
    case TPriorityClass::pcRealTime:
        return -20;
    case TPriorityClass::pcNormal:
        break;
    }
    return 0;
}

TPosixProcesses::TPosixProcesses() : m_environment(CurrentTerminalEnvironment()) {}

TPosixProcesses::TPosixProcesses(TTerminalEnvironment environment) : m_environment(std::move(environment)) {}

void TPosixProcesses::OnTerminalFailed(std::function<void(const std::string& text)> handler)
{
    m_notice->Handler = std::move(handler);
}

TStartResult TPosixProcesses::Start(const TProcessStart& start)
{
    TStartResult result;
    if (start.Program.empty()) {
        result.ErrorCode = ENOENT;
        return result;
    }
    std::string path = ResolveProgram(start.Program, m_environment);
    if (path.empty() || access(path.c_str(), X_OK) != 0) {
        result.ErrorCode = path.empty() ? ENOENT : errno;
        return result;
    }
    std::vector<std::string> words = {start.Program};
    if (!start.ScriptStatusPath.empty()) {
        // "." looks a bare name up on PATH: the script is named by a path.
        const std::string script = path.find('/') == std::string::npos ? "./" + path : path;
        words = {kShell, "-c", kStatusWrapper, "sh", start.ScriptStatusPath, script};
        if (!start.ScriptErrorsPath.empty())
            words = {kShell,
                     "-c",
                     kStatusAndErrorsWrapper,
                     "sh",
                     start.ScriptStatusPath,
                     script,
                     start.ScriptErrorsPath};
        path = kShell;
    }
    words.insert(words.end(), start.Arguments.begin(), start.Arguments.end());
    const std::vector<std::string> prefix = TerminalPrefix(start, m_environment);
    std::optional<TWithoutTerminal> fallback;
    if (!prefix.empty()) {
        // The command inside the terminal first leaves a mark that it did start.
        std::string marker;
        const int fd = MakeMarker(marker);
        if (fd >= 0) {
            close(fd);
            unlink(marker.c_str());
            fallback =
                TWithoutTerminal{marker, path, words, NiceValueOf(start.Priority), prefix.front(), m_notice};
            const std::vector<std::string> mark = {kShell, "-c", ": > \"$0\"; exec \"$@\"", marker};
            words.insert(words.begin(), mark.begin(), mark.end());
        }
        words.insert(words.begin(), prefix.begin(), prefix.end());
        path = prefix.front();
    }
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0) {
        result.ErrorCode = errno;
        return result;
    }
    const int nice = NiceValueOf(start.Priority);
    pid_t pid = fork();
    if (pid == 0)
        RunChild(path, argv, nice, pipeEnds[1]);
    close(pipeEnds[1]);
    if (pid < 0) {
        result.ErrorCode = errno;
        close(pipeEnds[0]);
        return result;
    }
    setpgid(pid, pid);
    auto process = std::make_unique<TPosixProcess>(pid, std::move(fallback));
    // The pipe closes on a successful exec; an errno arrives when exec failed.
    int childError = 0;
    ssize_t got;
    do {
        got = read(pipeEnds[0], &childError, sizeof childError);
    } while (got < 0 && errno == EINTR);
    close(pipeEnds[0]);
    if (got == static_cast<ssize_t>(sizeof childError)) {
        process->DropFallback();
        process->WaitBlocking();
        result.ErrorCode = childError != 0 ? childError : ENOEXEC;
        return result;
    }
    result.Process = std::move(process);
    return result;
}

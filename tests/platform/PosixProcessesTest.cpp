#include "platform/PosixProcesses.h"

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include <gtest/gtest.h>

#include "support/TempDir.h"

namespace {

// Real children in a temporary folder, never inside a terminal window.
class PosixProcesses : public ::testing::Test
{
protected:
    TTempDir dir;
    TPosixProcesses processes{TTerminalEnvironment{}};

    std::string Script(const std::string& name, const std::string& body)
    {
        std::string path = dir.WriteFile(name, "#!/bin/sh\n" + body);
        std::filesystem::permissions(path, std::filesystem::perms::owner_all);
        return path;
    }
    TStartResult Run(const std::string& program, std::vector<std::string> arguments = {},
                     TPriorityClass priority = TPriorityClass::pcNormal, const std::string& statusPath = {})
    {
        TProcessStart start;
        start.Program = program;
        start.Arguments = std::move(arguments);
        start.ScriptStatusPath = statusPath;
        start.Show = TShowState::Hidden;
        start.Priority = priority;
        return processes.Start(start);
    }
    std::vector<std::string> Lines(const std::string& name)
    {
        std::istringstream text(dir.ReadFile(name));
        std::vector<std::string> lines;
        for (std::string line; std::getline(text, line);)
            lines.push_back(line);
        return lines;
    }
    // Writes its arguments one per line into the file named by the first.
    std::string EchoArgs()
    {
        return Script("echo-args.sh", "out=\"$1\"; shift\nfor a do printf '%s\\n' \"$a\"; done > \"$out\"\n");
    }
};

} // namespace

TEST_F(PosixProcesses, ArgumentsArriveAsWordsWithoutAShell)
{
    const std::vector<std::string> words = {"with space", "quote\"d", "100%", "$HOME",      "a;b",
                                            "`id`",       "'single'", "*",    "back\\slash"};
    std::vector<std::string> arguments = {dir.Dir() + "args.txt"};
    arguments.insert(arguments.end(), words.begin(), words.end());
    TStartResult result = Run(EchoArgs(), arguments);
    ASSERT_TRUE(result.Process) << result.ErrorCode;
    result.Process->WaitBlocking();
    EXPECT_TRUE(result.Process->HasEnded());
    EXPECT_EQ(Lines("args.txt"), words);
}

TEST_F(PosixProcesses, AProgramPathIsNeverSplit)
{
    for (const char* folder : {"my games", "dq\"dir", "a\"b'c \\d"}) {
        std::string program = Script(std::string(folder) + "/korb.exe", "printf '%s\\n' \"$0\" > \"$1\"\n");
        TStartResult result = Run(program, {dir.Dir() + "ran.txt"});
        ASSERT_TRUE(result.Process) << folder;
        result.Process->WaitBlocking();
        EXPECT_EQ(Lines("ran.txt"), std::vector<std::string>{program}) << folder;
    }
}

TEST_F(PosixProcesses, PollingSeesTheEndOnlyAfterTheChildEnds)
{
    const std::string go = dir.Dir() + "go";
    std::string program = Script("wait.sh", "while [ ! -e \"$1\" ]; do sleep 0.01; done\n");
    TStartResult result = Run(program, {go});
    ASSERT_TRUE(result.Process);
    EXPECT_FALSE(result.Process->HasEnded());
    std::ofstream(go).put('x');
    while (!result.Process->HasEnded()) {
    }
    EXPECT_TRUE(result.Process->HasEnded());
}

TEST_F(PosixProcesses, AMissingProgramFailsToStart)
{
    TStartResult result = Run(dir.Dir() + "no-such-program", {"arg"});
    EXPECT_FALSE(result.Process);
    EXPECT_EQ(result.ErrorCode, ENOENT);
    EXPECT_FALSE(Run("").Process);
    EXPECT_FALSE(Run("", {"arg"}).Process);
    EXPECT_FALSE(Run("vantorkorb-no-such-program-on-path").Process);
}

TEST_F(PosixProcesses, AFileThatCannotBeExecutedFailsToStart)
{
    std::string path = dir.WriteFile("plain.txt", "not a program");
    TStartResult result = Run(path);
    EXPECT_FALSE(result.Process);
    EXPECT_NE(result.ErrorCode, 0);
    std::string garbage = dir.WriteFile("garbage.exe", std::string("\x7f"
                                                                   "ELF\x01\x02",
                                                                   6));
    std::filesystem::permissions(garbage, std::filesystem::perms::owner_all);
    EXPECT_FALSE(Run(garbage).Process);
}

TEST_F(PosixProcesses, ACrashingChildEndsTheWait)
{
    TStartResult result = Run(Script("crash.sh", "kill -SEGV $$\n"));
    ASSERT_TRUE(result.Process);
    result.Process->WaitBlocking();
    EXPECT_TRUE(result.Process->HasEnded());
}

TEST_F(PosixProcesses, AKilledChildEndsThePollingWait)
{
    TStartResult result = Run(Script("long.sh", "exec sleep 600\n"));
    ASSERT_TRUE(result.Process);
    EXPECT_FALSE(result.Process->HasEnded());
    ASSERT_EQ(kill(result.Process->Id(), SIGKILL), 0);
    while (!result.Process->HasEnded()) {
    }
    SUCCEED();
}

TEST_F(PosixProcesses, TheChildLeadsItsOwnProcessGroupAtTheAskedNiceValue)
{
    // Fields 5 and 19 of /proc/<pid>/stat: process group and nice value.
    std::string program = Script("stat.sh", "cut -d' ' -f5,19 /proc/$$/stat > \"$1\"\n");
    TStartResult result = Run(program, {dir.Dir() + "stat.txt"}, TPriorityClass::pcIdle);
    ASSERT_TRUE(result.Process);
    result.Process->WaitBlocking();
    EXPECT_EQ(Lines("stat.txt"), std::vector<std::string>{std::to_string(result.Process->Id()) + " 19"});
}

TEST_F(PosixProcesses, ARefusedRaiseOfThePriorityStillRuns)
{
    std::string program = Script("ran.sh", "echo ran > \"$1\"\n");
    TStartResult result = Run(program, {dir.Dir() + "ran.txt"}, TPriorityClass::pcRealTime);
    ASSERT_TRUE(result.Process);
    result.Process->WaitBlocking();
    EXPECT_EQ(Lines("ran.txt"), std::vector<std::string>{"ran"});
}

namespace {

// A script whose program line runs what the test names, like the launch script does.
class ScriptStatus : public PosixProcesses
{
protected:
    std::string StatusFile() const { return dir.Dir() + "status"; }
    std::string RunScript(const std::string& programLine, std::vector<std::string> arguments = {})
    {
        const std::string script = Script(
            "run.sh", "printf '%s\\n' 'Starting'\n" + programLine +
                          "\nif [ -t 1 ]; then clear 2>/dev/null; fi\nprintf '%s\\n' done > finished\n");
        TStartResult result = Run(script, std::move(arguments), TPriorityClass::pcNormal, StatusFile());
        EXPECT_TRUE(result.Process);
        if (!result.Process)
            return {};
        result.Process->WaitBlocking();
        return dir.ReadFile("status");
    }
};

} // namespace

TEST_F(ScriptStatus, TellsAProgramThatCouldNotStartOrDiedBySignal)
{
    TCurrentDirScope scope(dir.Path());
    const std::string plain = dir.WriteFile("plain.exe", "#!/bin/sh\necho never\n");
    EXPECT_EQ(RunScript("'" + plain + "' \"$@\""), "126\n");
    EXPECT_EQ(RunScript("'" + dir.Dir() + "missing.exe' \"$@\""), "127\n");
    const std::string crash = Script("crash.exe", "kill -SEGV $$\n");
    EXPECT_EQ(RunScript("'" + crash + "' \"$@\""), std::to_string(128 + SIGSEGV) + "\n");
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "finished"));
}

TEST_F(ScriptStatus, AScriptThatRunsToItsEndReportsNought)
{
    TCurrentDirScope scope(dir.Path());
    const std::string args = Script("a b/args.exe", "for a do printf '%s\\n' \"$a\"; done > args.txt\n");
    const std::vector<std::string> words = {"x\"y'z", "$HOME", "two words", "`id`"};
    EXPECT_EQ(RunScript("'" + args + "' \"$@\"", words), "0\n");
    EXPECT_EQ(Lines("args.txt"), words);
    EXPECT_EQ(Lines("finished"), std::vector<std::string>{"done"});
}

TEST_F(ScriptStatus, AMissingScriptFailsToStartAsBefore)
{
    TStartResult result = Run(dir.Dir() + "no-script.sh", {}, TPriorityClass::pcNormal, StatusFile());
    EXPECT_FALSE(result.Process);
    EXPECT_EQ(result.ErrorCode, ENOENT);
}

TEST_F(ScriptStatus, TheStatusComesBackFromInsideATerminalToo)
{
    TCurrentDirScope scope(dir.Path());
    // A terminal that runs its command and, like real ones, ends with a status of its own.
    const std::string terminal = Script("xterm", "[ \"$1\" = -e ] && shift\n\"$@\"\nexit 0\n");
    TTerminalEnvironment environment;
    environment.HasX11 = true;
    environment.FindProgram = [terminal](const std::string& name) -> std::optional<std::string> {
        return name == "xterm" ? std::optional<std::string>(terminal) : std::nullopt;
    };
    environment.ResolveLink = [](const std::string& path) { return path; };
    TPosixProcesses inTerminal(environment);
    const std::string script = Script("run.sh", "'" + dir.Dir() + "missing.exe' \"$@\"\n");
    TProcessStart start;
    start.Program = script;
    start.ScriptStatusPath = StatusFile();
    TStartResult result = inTerminal.Start(start);
    ASSERT_TRUE(result.Process);
    result.Process->WaitBlocking();
    EXPECT_EQ(dir.ReadFile("status"), "127\n");
}

TEST_F(ScriptStatus, TheScriptRunsOnceWhetherOrNotTheTerminalCouldOpen)
{
    TCurrentDirScope scope(dir.Path());
    // One terminal runs its command; the other ends at once, as xterm does without DISPLAY.
    for (const std::string body : {"[ \"$1\" = -e ] && shift\n\"$@\"\nexit 0\n", "exit 1\n"}) {
        const std::string terminal = Script("xterm", body);
        TTerminalEnvironment environment;
        environment.HasX11 = true;
        environment.FindProgram = [terminal](const std::string& name) -> std::optional<std::string> {
            return name == "xterm" ? std::optional<std::string>(terminal) : std::nullopt;
        };
        environment.ResolveLink = [](const std::string& path) { return path; };
        TPosixProcesses inTerminal(environment);
        const std::string runs = dir.Dir() + "runs";
        std::remove(runs.c_str());
        TProcessStart start;
        start.Program = Script("run.sh", "echo ran >> '" + runs + "'\n");
        start.ScriptStatusPath = StatusFile();
        TStartResult result = inTerminal.Start(start);
        ASSERT_TRUE(result.Process);
        result.Process->WaitBlocking();
        EXPECT_EQ(dir.ReadFile("runs"), "ran\n") << body;
        EXPECT_EQ(dir.ReadFile("status"), "0\n") << body;
    }
}

TEST_F(ScriptStatus, ATerminalThatCannotOpenIsToldOnceAndItsMarkLiesInTheUsersTemporaryFolder)
{
    TCurrentDirScope scope(dir.Path());
    const std::string terminal = Script("xterm", "printf '%s\\n' \"$@\" >> args\nexit 1\n");
    TTerminalEnvironment environment;
    environment.HasX11 = true;
    environment.FindProgram = [terminal](const std::string& name) -> std::optional<std::string> {
        return name == "xterm" ? std::optional<std::string>(terminal) : std::nullopt;
    };
    environment.ResolveLink = [](const std::string& path) { return path; };
    TPosixProcesses inTerminal(environment);
    std::vector<std::string> told;
    inTerminal.OnTerminalFailed([&told](const std::string& text) { told.push_back(text); });
    const std::string temporary = dir.Dir() + "tmp";
    std::filesystem::create_directory(temporary);
    const char* before = std::getenv("TMPDIR");
    const std::string saved = before ? before : "";
    setenv("TMPDIR", temporary.c_str(), 1);
    for (int run = 0; run < 2; ++run) {
        TProcessStart start;
        start.Program = Script("run.sh", "echo ran >> runs\n");
        start.ScriptStatusPath = StatusFile();
        TStartResult result = inTerminal.Start(start);
        ASSERT_TRUE(result.Process);
        result.Process->WaitBlocking();
    }
    before ? setenv("TMPDIR", saved.c_str(), 1) : unsetenv("TMPDIR");
    EXPECT_EQ(told, std::vector<std::string>{TerminalFailedText(terminal)});
    EXPECT_EQ(dir.ReadFile("runs"), "ran\nran\n");
    EXPECT_NE(dir.ReadFile("args").find("\n" + temporary + "/vantorkorb-terminal-"), std::string::npos);
}

TEST(NiceValues, FollowThePriorityClasses)
{
    EXPECT_EQ(NiceValueOf(TPriorityClass::pcIdle), 19);
    EXPECT_EQ(NiceValueOf(TPriorityClass::pcNormal), 0);
    EXPECT_EQ(NiceValueOf(TPriorityClass::pcHigh), -10);
    EXPECT_EQ(NiceValueOf(TPriorityClass::pcRealTime), -20);
}

TEST_F(PosixProcesses, AnEndRequestEndsTheWholeGroupEvenWhatIgnoresSigterm)
{
    // The script's shell and the "emulator" below it both ignore SIGTERM, as a hung game may.
    const std::string pidFile = dir.Dir() + "emu.pid";
    const std::string script =
        Script("stuck.sh", "trap '' TERM\nsleep 600 &\necho $! > \"$1\"\nwait\nwait\n");
    TStartResult result = Run(script, {pidFile});
    ASSERT_TRUE(result.Process);
    while (Lines("emu.pid").empty())
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    const pid_t emulator = std::stoi(Lines("emu.pid").front());
    result.Process->RequestEnd();
    EXPECT_FALSE(result.Process->HasEnded());
    // Bounded so that a regression fails instead of hanging; the end comes after the kill grace time.
    for (int i = 0; i < 1500 && !result.Process->HasEnded(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_TRUE(result.Process->HasEnded());
    // Gone, or a zombie its new parent has not reaped yet.
    std::ifstream stat("/proc/" + std::to_string(emulator) + "/stat");
    std::string pid, name, state;
    EXPECT_TRUE(!(stat >> pid >> name >> state) || state == "Z")
        << "the emulator below the script still runs";
}

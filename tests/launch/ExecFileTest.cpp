#include "launch/ExecFile.h"

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "support/FakeProcesses.h"
#include "support/FakeShell.h"
#include "support/TempDir.h"

TEST(ExecFileTexts, ParametersAreCutTo255Characters)
{
    TFakeProcesses processes;
    TExecFile exec(processes);
    exec.SetParameters(std::string(300, 'p'));
    EXPECT_EQ(exec.Parameters(), std::string(255, 'p'));
    exec.SetCommandLine(std::string(256, 'c'));
    EXPECT_EQ(exec.CommandLine().size(), 255u);
}

TEST(ExecFileTexts, TheJoinedCommandTextIsCutTo255Characters)
{
    TFakeProcesses processes;
    TExecFile exec(processes);
    exec.SetCommandLine(std::string(40, 'c'));
    exec.SetParameters(std::string(250, 'p'));
    exec.Execute();
    ASSERT_EQ(processes.Starts.size(), 1u);
    EXPECT_EQ(processes.Starts[0].Program, std::string(40, 'c'));
    EXPECT_EQ(processes.Starts[0].Arguments, std::vector<std::string>{std::string(214, 'p')});
}

TEST(ExecFileTexts, TheProgramPathIsNeverSplitAndArgumentsSplitAtBlanksOnly)
{
    TFakeProcesses processes;
    TExecFile exec(processes);
    for (const char* program : {"/my games/batch.sh", "/dq\"dir/batch.sh", "/a\\\"b c\"/batch.sh"}) {
        processes.Starts.clear();
        exec.SetCommandLine(program);
        exec.SetParameters("a\"b'c  -vsync\t\"x y\" \\\"");
        exec.Execute();
        ASSERT_EQ(processes.Starts.size(), 1u);
        EXPECT_EQ(processes.Starts[0].Program, program);
        EXPECT_EQ(processes.Starts[0].Arguments,
                  (std::vector<std::string>{"a\"b'c", "-vsync", "\"x", "y\"", "\\\""}));
    }
}

TEST(ExecFileStart, PassesShowStateAndPriority)
{
    TFakeProcesses processes;
    TExecFile exec(processes);
    exec.SetCommandLine("prog");
    exec.WindowStyle = TWindowStyle::wsHide;
    exec.Priority = TPriorityClass::pcIdle;
    exec.Execute();
    ASSERT_EQ(processes.Starts.size(), 1u);
    EXPECT_EQ(processes.Starts[0].Show, TShowState::Hidden);
    EXPECT_EQ(processes.Starts[0].Priority, TPriorityClass::pcIdle);
    EXPECT_TRUE(processes.Starts[0].OwnConsole);
}

TEST(ExecFileStart, AFailedStartCallsOnFailAndRecordsTheError)
{
    TFakeProcesses processes;
    processes.Outcomes.push_back(TFakeProcesses::Failing(13));
    TExecFile exec(processes);
    exec.SetCommandLine("prog");
    exec.Wait = true;
    int failures = 0;
    exec.OnFail = [&](TExecFile& sender) {
        ++failures;
        EXPECT_EQ(&sender, &exec);
    };
    EXPECT_FALSE(exec.Execute());
    EXPECT_EQ(failures, 1);
    EXPECT_EQ(exec.LastError(), 13);
}

TEST(ExecFileStart, WithoutWaitItReturnsFalseAndDoesNotCallOnFail)
{
    TFakeProcesses processes;
    TExecFile exec(processes);
    exec.SetCommandLine("prog");
    bool failed = false;
    exec.OnFail = [&](TExecFile&) { failed = true; };
    EXPECT_FALSE(exec.Execute());
    EXPECT_FALSE(failed);
    EXPECT_EQ(processes.Starts.size(), 1u);
    EXPECT_EQ(processes.BlockingWaits + processes.Polls, 0);
}

TEST(ExecFileAssociate, RetriesWithTheAssociatedProgram)
{
    TFakeProcesses processes;
    processes.Outcomes.push_back(TFakeProcesses::Failing(8));
    TFakeShell shell;
    shell.AssociatedProgram = "/usr/bin/viewer";
    TExecFile exec(processes, &shell);
    exec.Associate = true;
    exec.SetCommandLine("notes.txt");
    exec.SetParameters("-x");
    bool failed = false;
    exec.OnFail = [&](TExecFile&) { failed = true; };
    exec.Execute();
    EXPECT_FALSE(failed);
    ASSERT_EQ(processes.Starts.size(), 2u);
    EXPECT_EQ(processes.Starts[1].Program, "/usr/bin/viewer");
    EXPECT_EQ(processes.Starts[1].Arguments, (std::vector<std::string>{"notes.txt", "-x"}));
    EXPECT_EQ(shell.AssociationLookups, std::vector<std::string>{"notes.txt"});
    EXPECT_EQ(exec.AssociatedProgram(), "/usr/bin/viewer");
}

TEST(ExecFileAssociate, NoAssociatedProgramCallsOnFail)
{
    TFakeProcesses processes;
    processes.Outcomes.push_back(TFakeProcesses::Failing(8));
    TFakeShell shell;
    TExecFile exec(processes, &shell);
    exec.Associate = true;
    exec.SetCommandLine("notes.txt");
    int failures = 0;
    exec.OnFail = [&](TExecFile&) { ++failures; };
    EXPECT_FALSE(exec.Execute());
    EXPECT_EQ(failures, 1);
    EXPECT_EQ(processes.Starts.size(), 1u);
    EXPECT_EQ(exec.LastError(), 8);
}

TEST(ExecFileWait, SuspendBlocksUntilTheEnd)
{
    TFakeProcesses processes;
    processes.Outcomes.push_back(TFakeProcesses::EndingAfter(5));
    TExecFile exec(processes);
    exec.SetCommandLine("prog");
    exec.Wait = true;
    exec.WaitStyle = TWaitStyle::wSuspend;
    EXPECT_TRUE(exec.Execute());
    EXPECT_EQ(processes.BlockingWaits, 1);
    EXPECT_EQ(processes.QuietWaits, 1);
    EXPECT_EQ(processes.EventCalls, 0);
    EXPECT_FALSE(exec.IsWaiting());
}

TEST(ExecFileWait, RegularPollsAndHandlesEventsUntilTheEnd)
{
    TFakeProcesses processes;
    processes.Outcomes.push_back(TFakeProcesses::EndingAfter(3));
    TExecFile exec(processes);
    exec.SetCommandLine("prog");
    exec.Wait = true;
    EXPECT_TRUE(exec.Execute());
    EXPECT_EQ(processes.BlockingWaits, 0);
    EXPECT_EQ(processes.Polls, 4);
    // Once per poll, and once more after the end.
    EXPECT_EQ(processes.EventCalls, 5);
    EXPECT_TRUE(exec.HasEnded());
}

TEST(ExecFileWait, AQuitDuringARegularWaitEndsIt)
{
    TFakeProcesses processes;
    processes.Outcomes.push_back(TFakeProcesses::EndingAfter(1000000));
    processes.QuitOnEventCall = 3;
    TExecFile exec(processes);
    exec.SetCommandLine("prog");
    exec.Wait = true;
    EXPECT_FALSE(exec.Execute());
    EXPECT_EQ(processes.EventCalls, 3);
    EXPECT_FALSE(exec.IsWaiting());
    EXPECT_FALSE(exec.HasEnded());
}

TEST(ExecFileStatus, TheScriptStatusIsReadAfterTheWaitAndItsFileRemoved)
{
    TTempDir dir;
    const std::string statusPath = dir.Dir() + "batch.sh.status";
    TFakeProcesses processes;
    for (const char* written : {"127\n", "139\n", "0\n", "", "garbage\n", "-1\n", "99999\n"}) {
        TFakeProcesses::TOutcome outcome;
        outcome.OnRun = [&, written] {
            if (*written)
                std::ofstream(statusPath) << written;
        };
        processes.Outcomes.push_back(outcome);
    }
    TExecFile exec(processes);
    exec.SetCommandLine(dir.Dir() + "batch.sh");
    exec.Wait = true;
    exec.WaitStyle = TWaitStyle::wSuspend;
    exec.StatusPath = statusPath;
    const std::optional<int> expected[] = {127,          139,          0,           std::nullopt,
                                           std::nullopt, std::nullopt, std::nullopt};
    for (const std::optional<int>& status : expected) {
        EXPECT_TRUE(exec.Execute());
        EXPECT_EQ(exec.LastExitStatus(), status);
        EXPECT_FALSE(std::filesystem::exists(statusPath));
        EXPECT_EQ(processes.Starts.back().ScriptStatusPath, statusPath);
    }
}

TEST(ExecFileStatus, AStaleStatusFileIsNeverTakenForTheRun)
{
    TTempDir dir;
    const std::string statusPath = dir.WriteFile("batch.sh.status", "126\n");
    TFakeProcesses processes;
    TExecFile exec(processes);
    exec.SetCommandLine(dir.Dir() + "batch.sh");
    exec.Wait = true;
    exec.StatusPath = statusPath;
    EXPECT_TRUE(exec.Execute());
    EXPECT_EQ(exec.LastExitStatus(), std::nullopt);
    processes.Outcomes.push_back(TFakeProcesses::Failing(2));
    std::ofstream(statusPath) << "126\n";
    EXPECT_FALSE(exec.Execute());
    EXPECT_EQ(exec.LastExitStatus(), std::nullopt);
}

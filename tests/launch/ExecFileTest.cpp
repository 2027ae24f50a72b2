#include "launch/ExecFile.h"

#include <gtest/gtest.h>

#include "base/CommandText.h"
#include "support/FakeProcesses.h"
#include "support/FakeShell.h"

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
    EXPECT_EQ(processes.Starts[0].CommandText, std::string(40, 'c') + " " + std::string(214, 'p'));
}

TEST(ExecFileTexts, AProgramPathWithBlanksStaysOneWord)
{
    TFakeProcesses processes;
    TExecFile exec(processes);
    exec.SetCommandLine("/my games/batch.sh");
    exec.SetParameters("abc -vsync");
    exec.Execute();
    ASSERT_EQ(processes.Starts.size(), 1u);
    EXPECT_EQ(SplitCommandText(processes.Starts[0].CommandText),
              (std::vector<std::string>{"/my games/batch.sh", "abc", "-vsync"}));
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
    EXPECT_EQ(processes.Starts[1].CommandText, "/usr/bin/viewer notes.txt -x");
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

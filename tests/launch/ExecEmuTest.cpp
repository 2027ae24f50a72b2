#include "launch/ExecEmu.h"

#include <gtest/gtest.h>

#include "support/FakeDialogs.h"
#include "support/FakeProcesses.h"

TEST(ExecEmu, RunsTheScriptAndWaitsBlocking)
{
    TFakeProcesses processes;
    TFakeDialogs dialogs;
    TExecFile exec(processes);
    ConfigureExecEmu(exec, dialogs, "/emu/batch.sh");
    exec.SetParameters("abc -vsync");
    EXPECT_TRUE(exec.Execute());
    ASSERT_EQ(processes.Starts.size(), 1u);
    EXPECT_EQ(processes.Starts[0].Program, "/emu/batch.sh");
    EXPECT_EQ(processes.Starts[0].Arguments, (std::vector<std::string>{"abc", "-vsync"}));
    EXPECT_EQ(processes.Starts[0].ScriptStatusPath, "/emu/batch.sh.status");
    EXPECT_EQ(processes.Starts[0].Show, TShowState::Normal);
    EXPECT_EQ(processes.BlockingWaits, 1);
    EXPECT_TRUE(dialogs.Messages.empty());
}

TEST(ExecEmu, AFailedStartShowsTheFailureMessageOnce)
{
    TFakeProcesses processes;
    processes.Outcomes.push_back(TFakeProcesses::Failing(2));
    TFakeDialogs dialogs;
    TExecFile exec(processes);
    ConfigureExecEmu(exec, dialogs, "/emu/batch.sh");
    EXPECT_FALSE(exec.Execute());
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    const TMessage& message = dialogs.Messages[0];
    EXPECT_EQ(message.Caption, "Error");
    EXPECT_EQ(message.Icon, TMsgIcon::Error);
    EXPECT_EQ(message.Buttons, std::vector<TMsgButton>{TMsgButton::Cancel});
    EXPECT_EQ(message.Text.rfind("Failed to execute BatchFile", 0), 0u);
    EXPECT_NE(message.Text.find("VantorKorb"), std::string::npos);
}

TEST(ScriptFailure, NamesTheProgramAndTheReasonOrSignal)
{
    const std::string program = "/emu/korb.exe";
    const std::string notFound = ScriptFailureText(127, program);
    EXPECT_NE(notFound.find(program), std::string::npos);
    EXPECT_NE(notFound.find("not found"), std::string::npos);
    const std::string denied = ScriptFailureText(126, program);
    EXPECT_NE(denied.find(program), std::string::npos);
    EXPECT_NE(denied.find("permission denied"), std::string::npos);
    const std::string segv = ScriptFailureText(139, program);
    EXPECT_NE(segv.find("signal 11"), std::string::npos);
    EXPECT_NE(segv.find("Segmentation fault"), std::string::npos);
    EXPECT_NE(segv.find(program), std::string::npos);
    EXPECT_NE(ScriptFailureText(137, program).find("signal 9"), std::string::npos);
    for (int ordinary : {0, 1, 2, 125, 128, 255})
        EXPECT_EQ(ScriptFailureText(ordinary, program), "") << ordinary;
}

#include "launch/EmuOutput.h"

#include <gtest/gtest.h>

#include "base/FileError.h"
#include "support/FakeDialogs.h"
#include "support/FakeProcesses.h"
#include "support/FakeShell.h"
#include "support/TempDir.h"

namespace {

// One output check against fake dialogs and shell.
struct TOutputCheck
{
    TTempDir dir;
    TWorkingPaths paths;
    TZipRomPaths zipRomPaths;
    TGameObject game;
    TFakeProcesses processes;
    TExecFile exec{processes};
    TFakeDialogs dialogs;
    TFakeShell shell;
    std::vector<std::string> statusTexts;
    TLaunchContext context{paths, zipRomPaths, game, exec, dialogs, shell, [this](const std::string& text) {
                               statusTexts.push_back(text);
                           }};

    TOutputCheck() { paths.OutputPath = dir.Dir() + "KorbVantor.txt"; }
    void Run(const std::string& output)
    {
        dir.WriteFile("KorbVantor.txt", output);
        CheckEmuOutput(context);
    }
};

TEmuOutcome Outcome(const std::string& text)
{
    return ReadEmuOutcome(SplitOutputLines(text));
}

} // namespace

TEST(OutputLines, SplitsAtEveryKindOfLineEnd)
{
    EXPECT_EQ(SplitOutputLines("a\r\nb\rc\nd"), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitOutputLines("a\n\nb\n"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_TRUE(SplitOutputLines("").empty());
}

TEST(OutputOutcome, CannotAnywhereInALineInLowerCaseIsAFailure)
{
    EXPECT_TRUE(Outcome("ok\nthe file Xcannotbe read\n").Failed);
    EXPECT_FALSE(Outcome("Cannot open\nCANNOT\n").Failed);
    EXPECT_FALSE(Outcome("").Failed);
}

TEST(OutputOutcome, ResolutionIsTheLastWordOfTheLastMatchingLine)
{
    EXPECT_EQ(Outcome("Resolution used: 320x240\n  Resolution now 640x480 \t\n").Resolution, "640x480");
    EXPECT_EQ(Outcome("Resolution").Resolution, "Resolution");
    EXPECT_EQ(Outcome("resolution 1x1").Resolution, "");
}

TEST(OutputOutcome, LinesAfterTheFirstFailureAreNotRead)
{
    TEmuOutcome outcome = Outcome("Resolution 320x200\ncannot\nResolution 640x480\n");
    EXPECT_TRUE(outcome.Failed);
    EXPECT_EQ(outcome.Resolution, "320x200");
}

TEST(OutputOutcome, FrameRateIsTakenAfterTheEqualsSignAsFound)
{
    EXPECT_EQ(Outcome("average FRAME rate = 59.9\n").FrameRate, " 59.9");
    EXPECT_EQ(Outcome("Average frame rate= 1\nAverage frame rate =2=3\n").FrameRate, "2=3");
    EXPECT_EQ(Outcome("Average frame rate 60\n").FrameRate, "");
}

TEST(CheckEmuOutput, ASuccessfulRunPutsTheSummaryIntoTheStatus)
{
    TOutputCheck check;
    check.game.GameName = "Space Bandits";
    check.Run("Korb 1.0\r\nResolution 320x240\r\nAverage frame rate = 60.00\r\n");
    EXPECT_EQ(check.statusTexts, std::vector<std::string>{"Space Bandits: 60.00 @ 320x240"});
    EXPECT_TRUE(check.dialogs.Messages.empty());
}

TEST(CheckEmuOutput, AnEmptyOutputIsASuccessWithAnEmptySummary)
{
    TOutputCheck check;
    check.game.GameName = "G";
    check.Run("");
    EXPECT_EQ(check.statusTexts, std::vector<std::string>{"G: @ "});
}

TEST(CheckEmuOutput, AFailureAsksOnceAndOpensTheOutputOnYes)
{
    TOutputCheck check;
    check.dialogs.Answers.push_back(TMsgButton::Yes);
    check.Run("cannot find rom\ncannot find rom either\n");
    ASSERT_EQ(check.dialogs.Messages.size(), 1u);
    const TMessage& message = check.dialogs.Messages[0];
    EXPECT_EQ(message.Caption, "Error");
    EXPECT_EQ(message.Text, "Errors found when running Korb\rDo you want to see Korb output?");
    EXPECT_EQ(message.Icon, TMsgIcon::Error);
    EXPECT_EQ(message.Buttons, (std::vector<TMsgButton>{TMsgButton::Yes, TMsgButton::No}));
    EXPECT_EQ(check.shell.Opened, std::vector<std::string>{check.paths.OutputPath});
    EXPECT_TRUE(check.statusTexts.empty());
}

TEST(CheckEmuOutput, AFailureAnsweredNoOpensNothing)
{
    TOutputCheck check;
    check.dialogs.Answers.push_back(TMsgButton::No);
    check.Run("cannot\n");
    EXPECT_EQ(check.dialogs.Messages.size(), 1u);
    EXPECT_TRUE(check.shell.Opened.empty());
    EXPECT_TRUE(check.statusTexts.empty());
}

TEST(CheckEmuOutput, AMissingOutputRaisesCannotOpenFile)
{
    TOutputCheck check;
    try {
        CheckEmuOutput(check.context);
        FAIL() << "no error raised";
    } catch (const TFileError& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot open file " + check.paths.OutputPath);
    }
    EXPECT_TRUE(check.statusTexts.empty());
}

TEST(CheckEmuOutput, BinaryOutputIsReadWithoutHarm)
{
    TOutputCheck check;
    std::string bytes;
    for (int i = 0; i < 4096; ++i)
        bytes += static_cast<char>((i * 37) & 0xff);
    bytes += std::string("\0Resolution 9x9\0", 16);
    check.Run(bytes);
    EXPECT_EQ(check.dialogs.Messages.size() + check.statusTexts.size(), 1u);
}

#include "launch/EmuOutput.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

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
    TLaunchContext context{paths,
                           zipRomPaths,
                           game,
                           exec,
                           dialogs,
                           shell,
                           [this](const std::string& text) { statusTexts.push_back(text); },
                           {},
                           {}};

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

TEST(OutputFile, MarkersAndLineEndsSplitByTheReadBoundaryAreFound)
{
    struct TCase
    {
        std::string text;
        bool failed;
        std::string frameRate;
        std::string resolution;
    };
    const TCase cases[] = {
        {"x cannot y\nResolution 1x1\n", true, "", ""},
        {"Resolution 640x480\r\nAverage frame rate = 60\r\n", false, " 60", "640x480"},
        {"Resolution 1x1\rResolution 2x2\r\rAVERAGE frame rate =7", false, "7", "2x2"},
    };
    TTempDir dir;
    for (const TCase& c : cases)
        for (size_t inFirstPiece = 1; inFirstPiece < c.text.size(); ++inFirstPiece) {
            const std::string path =
                dir.WriteFile("out.txt", std::string(kEmuOutputReadSize - inFirstPiece, '\n') + c.text);
            const TEmuOutcome outcome = ReadEmuOutcomeFile(path);
            SCOPED_TRACE(c.text + " split after " + std::to_string(inFirstPiece));
            EXPECT_EQ(outcome.Failed, c.failed);
            EXPECT_EQ(outcome.FrameRate, c.frameRate);
            EXPECT_EQ(outcome.Resolution, c.resolution);
        }
}

TEST(OutputFile, LinesLongerThanManyReadsKeepTheirWholeAnswers)
{
    const std::string word(5 * kEmuOutputReadSize + 3, 'w');
    const std::string rate(3 * kEmuOutputReadSize, '9');
    const std::string blanks(4 * kEmuOutputReadSize, ' ');
    TTempDir dir;
    TEmuOutcome outcome = ReadEmuOutcomeFile(dir.WriteFile(
        "out.txt", "Resolution " + word + "\nResolution 9x9" + blanks + "\t\nAverage frame rate =" + rate));
    EXPECT_FALSE(outcome.Failed);
    EXPECT_EQ(outcome.Resolution, "9x9");
    EXPECT_EQ(outcome.FrameRate, rate);
    outcome = ReadEmuOutcomeFile(dir.WriteFile("out.txt", "Resolution " + word + "\n" + blanks + "cannot"));
    EXPECT_TRUE(outcome.Failed);
    EXPECT_EQ(outcome.Resolution, word);
}

// Without care the open waits for a writer that never comes; the test's timeout catches that.
TEST(CheckEmuOutput, AFifoInPlaceOfTheOutputIsUnreadableAndDoesNotWait)
{
    TOutputCheck check;
    ASSERT_EQ(::mkfifo(check.paths.OutputPath.c_str(), 0600), 0);
    try {
        CheckEmuOutput(check.context);
        FAIL() << "no error raised";
    } catch (const TFileError& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot open file " + check.paths.OutputPath);
    }
    EXPECT_TRUE(check.statusTexts.empty());
}

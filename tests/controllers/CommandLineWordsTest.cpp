#include "controllers/CommandLineWords.h"

#include <gtest/gtest.h>

#include "base/CommandText.h"
#include "catalogue/GameSettingsFiles.h"
#include "launch/CommandLine.h"
#include "support/TempDir.h"

namespace {

TGameSettingsObject DefaultsOf(const std::string& iniFilesDir)
{
    TGameSettingsObject settings;
    LoadSettings(settings, iniFilesDir, "none-such");
    return settings;
}

std::vector<std::string> WordTexts(const TCommandLineWords& words)
{
    std::vector<std::string> texts;
    for (const TCommandWord& word : words.Words)
        texts.push_back(words.Text.substr(word.Begin, word.End - word.Begin));
    return texts;
}

} // namespace

TEST(CommandLineWords, WordsAfterTheNinthAreMarked)
{
    const TCommandLineWords five = SplitArgumentWords(
        "xyz -vert -vsync -res 640x480 -gamma 1.5 -r 22050 -qf 1 -nojoy -ppro -int 0 -cpu 150");
    ASSERT_EQ(five.Words.size(), 17u);
    EXPECT_TRUE(five.SomeDropped());
    for (size_t i = 0; i < five.Words.size(); ++i)
        EXPECT_EQ(five.Words[i].Forwarded, i < 9) << i;
    EXPECT_EQ(WordTexts(five)[8], "22050");
    EXPECT_EQ(five.DroppedText(), "-qf 1 -nojoy -ppro -int 0 -cpu 150");

    const TCommandLineWords nine = SplitArgumentWords("a b c d e f g h i");
    EXPECT_FALSE(nine.SomeDropped());
    EXPECT_EQ(nine.DroppedText(), "");
    const TCommandLineWords ten = SplitArgumentWords("a b c d e f g h i  j ");
    EXPECT_TRUE(ten.SomeDropped());
    EXPECT_EQ(ten.DroppedText(), "j ");
    EXPECT_TRUE(SplitArgumentWords("").Words.empty());
    EXPECT_TRUE(SplitArgumentWords("   ").Words.empty());
}

TEST(CommandLineWords, WordsAreThoseTheProcessStartMakes)
{
    const char* texts[] = {
        "xyz -vsync -res  -nojoy",        // an empty resolution leaves a double blank
        "a \"b c\" d",                    // quotes group
        "a\\\"b c",                       // an escaped quote does not group
        "\"a b\\\\\" c",                  // an escaped backslash before the closing quote
        "x \"unterminated quote runs on", // to the end
        "tab\tand\rreturn\nnewline",
        "\"\" \"\"",
    };
    for (const char* text : texts) {
        const TCommandLineWords words = SplitArgumentWords(text);
        const std::vector<std::string> expected = SplitCommandText(text);
        ASSERT_EQ(words.Words.size(), expected.size()) << text;
        for (size_t i = 0; i < expected.size(); ++i) {
            const std::string span = WordTexts(words)[i];
            EXPECT_EQ(SplitCommandText(span), std::vector<std::string>{expected[i]}) << text << " word " << i;
        }
    }
}

TEST(CommandLineWords, TheShownTextIsWhatTheLaunchBuildsOnceSaved)
{
    TTempDir dir;
    TGameObject game;
    game.ZipName = "xyz";
    game.InstallState = 1;
    TGameSettingsObject settings = DefaultsOf(dir.Dir());
    EXPECT_EQ(ScreenCommandLine("xyz", settings), "xyz -vsync -nojoy -ppro");

    settings.Resolution = "1024x768xx"; // longer than the file keeps
    settings.SamplingRate = "22\n050";  // a line break the file cannot hold
    settings.GammaCorrection = 15;
    settings.QuickFire3 = true;
    settings.InterruptRate = 0;
    settings.V30CpuClock = 150;
    settings.FrameSkip = "";
    SaveSettings(settings, dir.Dir(), "xyz");
    const std::string launched = BuildEmuCommandLine(game, dir.Dir());
    EXPECT_EQ(ScreenCommandLine("xyz", settings), launched);
    EXPECT_EQ(launched,
              "xyz -vsync -res 1024x768 -gamma 1.5 -r 22 050 -qf 3 -nojoy -ppro -skip  -int 0 -cpu 150");
    EXPECT_EQ(SplitArgumentWords(launched).DroppedText(), "-qf 3 -nojoy -ppro -skip  -int 0 -cpu 150");
}

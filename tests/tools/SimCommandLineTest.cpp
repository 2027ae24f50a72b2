// The stand-in emulator as the front-end sees it: its listing, its answers to command lines, its settings.

#include <filesystem>
#include <set>

#include <gtest/gtest.h>

#include "SimGames.h"
#include "ToolProcess.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

void InstallZip(const TTempDir& folder, const std::string& fileName)
{
    folder.WriteFile("ziproms/" + fileName, "PK\x05\x06" + std::string(18, '\0'));
}

size_t PcxCount(const fs::path& folder)
{
    std::error_code error;
    size_t count = 0;
    for (fs::directory_iterator it(folder / "pcx", error), end; !error && it != end; it.increment(error))
        count += it->path().extension() == ".pcx";
    return count;
}

bool HasCannot(const TCommandResult& result)
{
    return result.Output.find("cannot") != std::string::npos;
}

} // namespace

TEST(SimListing, NamesEveryGameAfterTheMarkerLine)
{
    TTempDir folder;
    const TCommandResult result = RunSim(folder.Path(), {"-list"});
    EXPECT_EQ(result.ExitCode, 0);
    const std::vector<std::string> names = ListedGames(result.Output);
    ASSERT_EQ(names.size(), kSimGames.size());
    for (size_t i = 0; i < names.size(); ++i)
        EXPECT_EQ(names[i], kSimGames[i].ZipName);
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size()) << "names repeat";
}

TEST(SimListing, PutsSeveralNamesOnALineWithBlanksAndTabs)
{
    TTempDir folder;
    const std::string output = RunSim(folder.Path(), {"-list"}).Output;
    const std::string afterMarker = output.substr(output.find("games:"));
    EXPECT_NE(afterMarker.find('\t'), std::string::npos);
    EXPECT_NE(afterMarker.find(std::string(kSimGames[0].ZipName) + " " + std::string(kSimGames[1].ZipName)),
              std::string::npos);
    const std::string beforeMarker = output.substr(0, output.find("games:"));
    EXPECT_GE(SplitLines(beforeMarker).size(), 2u) << "free text comes first";
}

TEST(SimListing, EndsEveryLineInCarriageReturnAndLineFeed)
{
    TTempDir folder;
    for (const char* argument : {"-list", "kquest"}) {
        const std::string output = RunSim(folder.Path(), {argument}).Output;
        ASSERT_FALSE(output.empty());
        EXPECT_TRUE(output.ends_with("\r\n")) << argument;
        for (size_t i = 0; i < output.size(); ++i) {
            if (output[i] == '\n') {
                ASSERT_TRUE(i > 0 && output[i - 1] == '\r') << argument << ": a bare line feed at " << i;
            }
        }
    }
}

TEST(SimListing, HelpSaysWhatTheProgramIs)
{
    TTempDir folder;
    const TCommandResult result = RunSim(folder.Path(), {"--help"});
    EXPECT_EQ(result.ExitCode, 0);
    EXPECT_NE(result.Output.find("stand-in"), std::string::npos);
    EXPECT_NE(result.Output.find("-list"), std::string::npos);
    EXPECT_FALSE(HasCannot(result));
}

TEST(SimRun, WithoutRomsSaysCannotAndTakesNoShots)
{
    TTempDir folder;
    const TCommandResult result = RunSim(folder.Path(), {"kquest", "-vsync", "-nojoy", "-ppro"});
    EXPECT_TRUE(HasCannot(result)) << result.Output;
    EXPECT_NE(result.ExitCode, 0);
    EXPECT_EQ(PcxCount(folder.Path()), 0u);
    EXPECT_EQ(LastLineWith(result.Output, "Average frame rate"), "");
}

TEST(SimRun, RejectsUnknownOptionsAndMalformedValues)
{
    const std::vector<std::vector<std::string>> badLines = {
        {"kquest", "-bogus"},
        {"kquest", "-res", "640"},
        {"kquest", "-res", "axb"},
        {"kquest", "-res", "default"},
        {"kquest", "-gamma", "x"},
        {"kquest", "-gamma", "1.55"},
        {"kquest", "-qf", "5"},
        {"kquest", "-qf", "0"},
        {"kquest", "-skip", "10"},
        {"kquest", "-int"},
        {"kquest", "-cpu", "-3"},
        {"kquest", "-r", "fast"},
        {"kquest", "-vsync", "extra"},
        {"kquest", "-res", "9000x9000"},
        {"-vsync"},
        {},
    };
    TTempDir folder;
    InstallZip(folder, "kquest.zip");
    for (const auto& line : badLines) {
        const TCommandResult result = RunSim(folder.Path(), line);
        std::string shown;
        for (const auto& word : line)
            shown += word + " ";
        EXPECT_TRUE(HasCannot(result)) << shown << "\n" << result.Output;
        EXPECT_NE(result.ExitCode, 0) << shown;
    }
    EXPECT_EQ(PcxCount(folder.Path()), 0u);
}

TEST(SimRun, AcceptsEveryOptionTheFrontEndWrites)
{
    TTempDir folder;
    InstallZip(folder, "starrng2.zip");
    const TCommandResult result = RunSim(
        folder.Path(), {"starrng2", "-vert", "-vsync", "-scanlines", "-res", "640x480", "-gamma", "1.5",
                        "-r",       "22050", "-qf",    "1",          "-qf",  "4",       "-nojoy", "-ppro",
                        "-perf",    "-skip", "2",      "-int",       "55",   "-cpu",    "16"});
    EXPECT_FALSE(HasCannot(result)) << result.Output;
    EXPECT_EQ(result.ExitCode, 0);
    const std::vector<std::string> words = SplitWords(LastLineWith(result.Output, "Resolution"));
    ASSERT_FALSE(words.empty());
    EXPECT_EQ(words.back(), "640x480");
}

TEST(SimRun, ReportsResolutionAndFrameRateTheFrontEndReads)
{
    TTempDir folder;
    InstallZip(folder, "kquest.zip");
    const TCommandResult result = RunSim(folder.Path(), {"kquest", "-vsync", "-nojoy", "-ppro"});
    EXPECT_FALSE(HasCannot(result)) << result.Output;
    EXPECT_EQ(SplitWords(LastLineWith(result.Output, "Resolution")).back(), "320x240");
    const std::string rateLine = LastLineWith(result.Output, "Average frame rate");
    ASSERT_EQ(rateLine.rfind("Average frame rate = ", 0), 0u) << rateLine;
    const double rate = std::stod(rateLine.substr(rateLine.find('=') + 1));
    EXPECT_GT(rate, 50.0);
    EXPECT_LT(rate, 61.0);
}

TEST(SimRun, FindsRomFoldersAndArchivesWhoseCaseDiffers)
{
    TTempDir folder;
    folder.WriteFile("roms/pixpanic/pixpa.1b", "rom");
    InstallZip(folder, "ORBORCH.ZIP");
    for (const char* zip : {"pixpanic", "orborch"}) {
        const TCommandResult result = RunSim(folder.Path(), {zip});
        EXPECT_FALSE(HasCannot(result)) << zip << "\n" << result.Output;
    }
    // A folder where an archive belongs is no archive.
    fs::create_directories(folder.Path() / "ziproms" / "kquest.zip");
    EXPECT_TRUE(HasCannot(RunSim(folder.Path(), {"kquest"})));
}

TEST(SimRun, TakesAsManyShotsAsAskedUnderFreeNumbers)
{
    TTempDir folder;
    InstallZip(folder, "starrng2.zip");
    folder.WriteFile("pcx/starrn01.pcx", "an earlier shot");
    const TCommandResult result =
        RunSim(folder.Path(), {"starrng2"}, "KORB_SIM_INI=/nonexistent KORB_SIM_RUN_MS=0 KORB_SIM_SHOTS=3");
    EXPECT_FALSE(HasCannot(result)) << result.Output;
    EXPECT_EQ(PcxCount(folder.Path()), 4u);
    EXPECT_EQ(ReadBytes(folder.Path() / "pcx" / "starrn01.pcx"), "an earlier shot");
    for (const char* name : {"starrn02.pcx", "starrn03.pcx", "starrn04.pcx"})
        EXPECT_TRUE(fs::is_regular_file(folder.Path() / "pcx" / name)) << name;
}

TEST(SimSettingsFile, BesideTheProgramSetsShotsAndFailures)
{
    TTempDir folder;
    InstallZip(folder, "starrng2.zip");
    InstallZip(folder, "kquest.zip");
    fs::copy_file(KORB_SIM_PATH, folder.Path() / "korb.exe");
    folder.WriteFile("korb-sim.ini", "[korb-sim]\r\n; comment\r\nRunMilliseconds=0\r\nShots=1\r\n"
                                     "FailGames=KQuest, other\r\nFrameRate=42.5\r\n");
    const std::string program = (folder.Path() / "korb.exe").string();

    const TCommandResult good = RunSim(folder.Path(), {"starrng2"}, "", program);
    EXPECT_FALSE(HasCannot(good)) << good.Output;
    EXPECT_EQ(PcxCount(folder.Path()), 1u);
    EXPECT_EQ(LastLineWith(good.Output, "Average frame rate"), "Average frame rate = 42.50");

    const TCommandResult failing = RunSim(folder.Path(), {"kquest"}, "", program);
    EXPECT_TRUE(HasCannot(failing)) << failing.Output;
    EXPECT_EQ(PcxCount(folder.Path()), 1u);

    const TCommandResult overridden = RunSim(folder.Path(), {"starrng2"}, "KORB_SIM_FAIL=1", program);
    EXPECT_TRUE(HasCannot(overridden)) << overridden.Output;
}

TEST(SimSettingsFile, IgnoresDamagedValues)
{
    TTempDir folder;
    InstallZip(folder, "starrng2.zip");
    const std::string ini =
        folder.WriteFile("sim.ini", "Shots=lots\nRunMilliseconds=-5\nFail=maybe\n=\n\x01\x02");
    const TCommandResult result =
        RunSim(folder.Path(), {"starrng2"}, "KORB_SIM_RUN_MS=0 KORB_SIM_INI=" + ini);
    EXPECT_FALSE(HasCannot(result)) << result.Output;
    EXPECT_EQ(PcxCount(folder.Path()), 2u) << "the default number of shots";
}

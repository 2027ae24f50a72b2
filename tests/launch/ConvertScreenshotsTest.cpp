// "Convert all to PNG": the four converter runs in order with their argument texts, through a recording
// process service, and the emulator's launch script written back whatever happened.
#include "launch/ConvertScreenshots.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "base/FileError.h"
#include "launch/ExecEmu.h"
#include "launch/LaunchScript.h"
#include "support/FakeDialogs.h"
#include "support/FakeProcesses.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

class ConvertScreenshots : public ::testing::Test
{
protected:
    ConvertScreenshots() : m_execEmu(m_processes)
    {
        m_paths.AppDir = m_dir.Dir();
        m_paths.BatchPath = m_dir.Dir() + "batch.sh";
        m_paths.EmuExe = "./korb.exe";
        m_paths.OutputPath = m_dir.Dir() + "KorbVantor.txt";
        ConfigureExecEmu(m_execEmu, m_dialogs, m_paths.BatchPath);
        WriteLaunchScript(m_paths.BatchPath, "Korb", m_paths.EmuExe, m_paths.OutputPath);
        m_emulatorScript = m_dir.ReadFile("batch.sh");
    }

    // What the script held while each run started.
    void RecordScriptAtEachRun(int runs, int failingRun = -1)
    {
        for (int i = 0; i < runs; ++i) {
            TFakeProcesses::TOutcome outcome =
                i == failingRun ? TFakeProcesses::Failing(2) : TFakeProcesses::TOutcome{};
            outcome.OnRun = [this] { m_scripts.push_back(m_dir.ReadFile("batch.sh")); };
            m_processes.Outcomes.push_back(outcome);
        }
    }

    TTempDir m_dir;
    TWorkingPaths m_paths;
    TFakeDialogs m_dialogs;
    TFakeProcesses m_processes;
    TExecFile m_execEmu;
    std::string m_emulatorScript;
    std::vector<std::string> m_scripts;
};

TEST_F(ConvertScreenshots, FourRunsInOrderThroughTheConverterScript)
{
    RecordScriptAtEachRun(4);
    ConvertAllScreenshots(m_execEmu, m_paths);
    ASSERT_EQ(m_processes.Starts.size(), 4u);
    const std::vector<std::string> folders = {"Titles/*.*", "Flyers/*.*", "Cabinets/*.*", "Gameplay/*.*"};
    for (size_t i = 0; i < folders.size(); ++i) {
        EXPECT_EQ(m_processes.Starts[i].Program, m_dir.Dir() + "batch.sh");
        EXPECT_EQ(m_processes.Starts[i].Arguments,
                  (std::vector<std::string>{"-v.", "-out", "png", "-D", folders[i]}));
    }
    EXPECT_EQ(m_processes.BlockingWaits, 4) << "each run ends before the next begins";

    const std::string converterScript =
        LaunchScriptText(TScriptFlavour::PosixShell, "NConvert", m_dir.Dir() + "nconvert.exe", "");
    ASSERT_EQ(m_scripts.size(), 4u);
    for (const std::string& seen : m_scripts)
        EXPECT_EQ(seen, converterScript);
    EXPECT_EQ(m_dir.ReadFile("batch.sh"), m_emulatorScript);
    EXPECT_TRUE(m_dialogs.Messages.empty());
}

TEST_F(ConvertScreenshots, ARunThatCannotStartIsReportedOnceAndTheOthersStillRun)
{
    RecordScriptAtEachRun(4, 1);
    ConvertAllScreenshots(m_execEmu, m_paths);
    EXPECT_EQ(m_processes.Starts.size(), 4u);
    ASSERT_EQ(m_dialogs.Messages.size(), 1u);
    EXPECT_EQ(m_dialogs.Messages[0].Text, ExecEmuFailMessage().Text);
    EXPECT_EQ(m_dir.ReadFile("batch.sh"), m_emulatorScript);
}

TEST_F(ConvertScreenshots, EveryRunFailingGivesFourMessagesAndTheEmulatorScriptBack)
{
    for (int i = 0; i < 4; ++i)
        m_processes.Outcomes.push_back(TFakeProcesses::Failing(13));
    ConvertAllScreenshots(m_execEmu, m_paths);
    EXPECT_EQ(m_dialogs.Messages.size(), 4u);
    EXPECT_EQ(m_dir.ReadFile("batch.sh"), m_emulatorScript);
}

TEST_F(ConvertScreenshots, AScriptThatCannotBeWrittenEndsTheCommandBeforeAnyRun)
{
    m_paths.BatchPath = m_dir.Dir() + "no-such-folder/batch.sh";
    EXPECT_THROW(ConvertAllScreenshots(m_execEmu, m_paths), TFileError);
    EXPECT_TRUE(m_processes.Starts.empty());
}

TEST_F(ConvertScreenshots, TheConverterLiesBesideTheProgram)
{
    EXPECT_EQ(ConverterPath(m_paths), m_dir.Dir() + "nconvert.exe");
    EXPECT_EQ(ConvertRunParameters().size(), 4u);
}

} // namespace

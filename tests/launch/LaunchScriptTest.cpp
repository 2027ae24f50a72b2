#include "launch/LaunchScript.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "base/FileError.h"
#include "support/TempDir.h"

namespace {

std::string BatchLine(const std::string& text, int number)
{
    size_t start = 0;
    for (int i = 1; i < number; ++i)
        start = text.find("\r\n", start) + 2;
    return text.substr(start, text.find("\r\n", start) - start);
}

} // namespace

TEST(WindowsBatchText, MatchesEveryLineWithOutput)
{
    const std::string text =
        LaunchScriptText(TScriptFlavour::WindowsBatch, "Korb", ".\\korb.exe", "C:\\Korb\\KorbVantor.txt");
    const std::string expected =
        "@echo off\r\n"
        "echo Starting Korb\r\n"
        "\".\\korb.exe\" %1 %2 %3 %4 %5 %6 %7 %8 %9  > \"C:\\Korb\\KorbVantor.txt\"\r\n"
        "cls\r\n"
        "echo Korb has finished.\r\n"
        "echo If this window does not disappear:\r\n"
        "echo 1. Right-click on the title-bar\r\n"
        "echo 2. Click properties\r\n"
        "echo 3. Check \"close on exit\"\r\n";
    EXPECT_EQ(text, expected);
}

TEST(WindowsBatchText, WithoutOutputTheProgramLineEndsInASpace)
{
    const std::string text =
        LaunchScriptText(TScriptFlavour::WindowsBatch, "NConvert", "C:\\nconvert.exe", "");
    EXPECT_EQ(BatchLine(text, 3), "\"C:\\nconvert.exe\" %1 %2 %3 %4 %5 %6 %7 %8 %9 ");
    EXPECT_EQ(BatchLine(text, 2), "echo Starting NConvert");
    EXPECT_EQ(BatchLine(text, 5), "echo NConvert has finished.");
    EXPECT_EQ(text.find(">"), std::string::npos);
}

TEST(PosixScriptText, QuotesPathsAndForwardsArgumentsAsWords)
{
    const std::string text =
        LaunchScriptText(TScriptFlavour::PosixShell, "Korb", "/a b/it's/korb.exe", "/o $x/out");
    EXPECT_EQ(text.rfind("#!/bin/sh\n", 0), 0u);
    EXPECT_NE(text.find("'/a b/it'\\''s/korb.exe' \"$@\" > '/o $x/out'\n"), std::string::npos);
    EXPECT_NE(text.find("\"$9\""), std::string::npos);
    EXPECT_EQ(text.find("\r"), std::string::npos);
}

TEST(PosixScriptText, ABareProgramNameRunsFromTheCurrentFolder)
{
    const std::string text = LaunchScriptText(TScriptFlavour::PosixShell, "NConvert", "nconvert.exe", "");
    EXPECT_NE(text.find("'./nconvert.exe' \"$@\"\n"), std::string::npos);
}

TEST(WriteLaunchScript, WritesAnExecutableScriptAndReplacesAnOldOne)
{
    TTempDir dir;
    const std::string path = dir.WriteFile("batch.sh", std::string(5000, 'x'));
    WriteLaunchScript(path, "Korb", "./korb.exe", "out.txt");
    EXPECT_EQ(dir.ReadFile("batch.sh"),
              LaunchScriptText(TScriptFlavour::PosixShell, "Korb", "./korb.exe", "out.txt"));
    const auto perms = std::filesystem::status(path).permissions();
    EXPECT_NE(perms & std::filesystem::perms::owner_exec, std::filesystem::perms::none);
}

TEST(WriteLaunchScript, AnUnwritablePlaceRaisesCannotCreateFile)
{
    TTempDir dir;
    const std::string path = dir.Dir() + "missing/batch.sh";
    try {
        WriteLaunchScript(path, "Korb", "./korb.exe", "");
        FAIL() << "no error raised";
    } catch (const TFileError& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot create file " + path);
    }
}

TEST(WriteLaunchScript, AScriptOrOutputLinkedOutOfTheFolderIsLeftAloneAndNamed)
{
    for (const char* linked : {"batch.sh", "KorbVantor.txt"}) {
        TTempDir dir, outside;
        const std::string victim = outside.WriteFile("victim", "keep");
        std::filesystem::permissions(victim, std::filesystem::perms::owner_read);
        std::filesystem::create_symlink(victim, dir.Path() / linked);
        try {
            WriteLaunchScript(dir.Dir() + "batch.sh", "Korb", "./korb.exe", dir.Dir() + "KorbVantor.txt");
            FAIL() << linked;
        } catch (const TFileError& error) {
            EXPECT_NE(std::string(error.what()).find(dir.Dir() + linked), std::string::npos) << error.what();
        }
        EXPECT_EQ(outside.ReadFile("victim"), "keep") << linked;
        EXPECT_EQ(std::filesystem::status(victim).permissions(), std::filesystem::perms::owner_read)
            << linked;
        EXPECT_TRUE(std::filesystem::is_symlink(dir.Path() / linked)) << linked;
    }
}

#include "catalogue/InstalledGames.h"

#include <chrono>
#include <filesystem>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "base/DateTimeText.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {
// An emulator folder made the working directory, with extra zipped rom folders beside it.
class InstalledGames : public testing::Test
{
protected:
    InstalledGames() : m_cwd(m_dir.Path())
    {
        fs::create_directory(m_dir.Path() / "ziproms");
        fs::create_directory(m_dir.Path() / "roms");
    }

    void File(const std::string& relative, int ageHours = 1)
    {
        std::string path = m_dir.WriteFile(relative, "PK");
        fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::hours(ageHours));
    }
    void Folder(const std::string& relative) { fs::create_directories(m_dir.Path() / relative); }
    std::string Extra(const std::string& name) const { return m_dir.Dir() + name + "/"; }

    static std::string DateOf(const std::string& path) { return FormatDateTime(*FileModificationTime(path)); }

    TGameObject Detect(const std::string& zipName)
    {
        TGameObjectList catalogue;
        auto game = std::make_unique<TGameObject>();
        game->ZipName = zipName;
        catalogue.AddGame(std::move(game));
        UpdateInstallStates(catalogue, m_zipRomPaths);
        // The single-game path must agree with the whole-catalogue pass.
        TGameObject single;
        single.ZipName = zipName;
        UpdateInstallState(single, m_zipRomPaths);
        EXPECT_EQ(single.InstallState, catalogue.At(0).InstallState) << zipName;
        EXPECT_EQ(single.ZipDate, catalogue.At(0).ZipDate) << zipName;
        ExpectSameStateWithoutDates(catalogue);
        return catalogue.At(0);
    }

    // A detection that skips the dates finds the same states and keeps every record's date as it was.
    void ExpectSameStateWithoutDates(const TGameObjectList& detected)
    {
        TGameObjectList catalogue;
        for (int i = 0; i < detected.Count(); ++i) {
            auto game = std::make_unique<TGameObject>();
            game->ZipName = detected.At(i).ZipName;
            game->InstallState = (detected.At(i).InstallState + 1) % 3;
            game->ZipDate = "kept " + std::to_string(i);
            catalogue.AddGame(std::move(game));
        }
        UpdateInstallStates(catalogue, m_zipRomPaths, TZipDateRead::Skip);
        for (int i = 0; i < detected.Count(); ++i) {
            EXPECT_EQ(catalogue.At(i).InstallState, detected.At(i).InstallState) << detected.At(i).ZipName;
            EXPECT_EQ(catalogue.At(i).ZipDate, "kept " + std::to_string(i)) << detected.At(i).ZipName;
        }
    }

    std::string Search(const std::string& zipName) const
    {
        TGameObject game;
        game.ZipName = zipName;
        return SearchZip(game, m_zipRomPaths);
    }

    TTempDir m_dir;
    TCurrentDirScope m_cwd;
    TZipRomPaths m_zipRomPaths;
};

TEST_F(InstalledGames, NothingFoundIsStateZeroWithoutDate)
{
    TGameObject game = Detect("abc");
    EXPECT_EQ(game.InstallState, 0);
    EXPECT_EQ(game.ZipDate, "");
    EXPECT_EQ(Search("abc"), "");
}

TEST_F(InstalledGames, AZipNameThatIsNoPlainFileNameFindsNothing)
{
    // Every one of these would reach a real archive or rom folder through a separator or "..".
    File("ziproms/abc.zip");
    File("ziproms/sub/abc.zip");
    File("..zip");
    Folder("roms/x/y");
    m_zipRomPaths[0] = Extra("extra");
    File("extra/abc.zip");
    for (const std::string& zip : {std::string("../ziproms/abc"), std::string("sub/abc"), std::string("."),
                                   std::string("x/y"), std::string("..\\ziproms\\abc"), std::string()}) {
        TGameObject game = Detect(zip);
        EXPECT_EQ(game.InstallState, 0) << zip;
        EXPECT_EQ(game.ZipDate, "") << zip;
        EXPECT_EQ(Search(zip), "") << zip;
    }
    EXPECT_EQ(Detect("abc").InstallState, 1);
}

TEST_F(InstalledGames, ArchiveInZipromsIsInstalledWithItsDate)
{
    File("ziproms/abc.zip", 30);
    TGameObject game = Detect("abc");
    EXPECT_EQ(game.InstallState, 1);
    EXPECT_EQ(game.ZipDate, DateOf("ziproms/abc.zip"));
    EXPECT_NE(game.ZipDate, "");
    EXPECT_EQ(Search("abc"), "ziproms/abc.zip");
}

TEST_F(InstalledGames, ExtraPathCopyGivesTheDateButZipromsGivesTheState)
{
    File("ziproms/abc.zip", 30);
    File("extra1/abc.zip", 500);
    m_zipRomPaths[1] = Extra("extra1");
    TGameObject game = Detect("abc");
    EXPECT_EQ(game.InstallState, 1);
    EXPECT_EQ(game.ZipDate, DateOf(Extra("extra1") + "abc.zip"));
    EXPECT_NE(game.ZipDate, DateOf("ziproms/abc.zip"));
}

TEST_F(InstalledGames, RomFolderOnlyIsInstalledWithoutDate)
{
    Folder("roms/abc");
    TGameObject game = Detect("abc");
    EXPECT_EQ(game.InstallState, 1);
    EXPECT_EQ(game.ZipDate, "");
}

TEST_F(InstalledGames, FileNamedLikeARomFolderDoesNotCount)
{
    File("roms/abc");
    Folder("ziproms/abc.zip");
    EXPECT_EQ(Detect("abc").InstallState, 0);
}

TEST_F(InstalledGames, ArchiveOnlyOnAnExtraPathIsStateTwo)
{
    File("extra2/abc.zip");
    m_zipRomPaths[2] = Extra("extra2");
    TGameObject game = Detect("abc");
    EXPECT_EQ(game.InstallState, 2);
    EXPECT_EQ(game.ZipDate, DateOf(Extra("extra2") + "abc.zip"));
    EXPECT_EQ(Search("abc"), Extra("extra2") + "abc.zip");
}

TEST_F(InstalledGames, BareArchiveInTheWorkingDirectoryIsStateTwoAndSearchedFirst)
{
    File("abc.zip");
    File("extra0/abc.zip");
    m_zipRomPaths[0] = Extra("extra0");
    EXPECT_EQ(Detect("abc").InstallState, 2);
    EXPECT_EQ(Search("abc"), "abc.zip");
}

TEST_F(InstalledGames, ExtraPathWithoutTrailingSeparatorGetsOne)
{
    File("extra0/abc.zip");
    m_zipRomPaths[0] = m_dir.Dir() + "extra0";
    EXPECT_EQ(Search("abc"), m_dir.Dir() + "extra0/abc.zip");
    EXPECT_EQ(Detect("abc").InstallState, 2);
}

TEST_F(InstalledGames, EntryEndingInColonIsJoinedWithoutSeparator)
{
    File("drive:abc.zip");
    m_zipRomPaths[1] = "drive:";
    EXPECT_EQ(Search("abc"), "drive:abc.zip");
    EXPECT_EQ(Detect("abc").InstallState, 2);
}

TEST_F(InstalledGames, SemicolonInsideAPathSplitsIt)
{
    File("second/abc.zip");
    m_zipRomPaths[0] = Extra("first") + ";" + Extra("second");
    EXPECT_EQ(Search("abc"), Extra("second") + "abc.zip");
}

TEST_F(InstalledGames, EmptyAndMissingPathsAreSkippedQuietly)
{
    m_zipRomPaths = {"", Extra("missing"), ";;"};
    File("ziproms/abc.zip");
    EXPECT_EQ(Search("abc"), "ziproms/abc.zip");
    EXPECT_EQ(Detect("xyz").InstallState, 0);
}

TEST_F(InstalledGames, NameDifferingInCaseIsFoundAndReturnedAsOnDisk)
{
    File("ziproms/ABC.Zip");
    Folder("roms/RType");
    File("extra1/Galaga.ZIP");
    m_zipRomPaths[1] = Extra("extra1");
    EXPECT_EQ(Detect("abc").InstallState, 1);
    EXPECT_EQ(Search("abc"), "ziproms/ABC.Zip");
    EXPECT_EQ(Detect("rtype").InstallState, 1);
    EXPECT_EQ(Detect("galaga").InstallState, 2);
    EXPECT_EQ(Search("galaga"), Extra("extra1") + "Galaga.ZIP");
    EXPECT_EQ(Detect("galaga").ZipDate, DateOf(Extra("extra1") + "Galaga.ZIP"));
}

TEST_F(InstalledGames, ExactNameWinsOverCaseVariants)
{
    File("ziproms/ABC.zip");
    File("ziproms/abc.zip");
    File("ziproms/Abc.zip");
    EXPECT_EQ(Search("abc"), "ziproms/abc.zip");
    EXPECT_EQ(Search("aBC"), "ziproms/ABC.zip"); // no exact one: the first in byte order
}

TEST_F(InstalledGames, WholeCatalogueIsDetectedInOnePass)
{
    File("ziproms/one.zip");
    Folder("roms/two");
    File("extra0/three.zip");
    m_zipRomPaths[0] = Extra("extra0");
    TGameObjectList catalogue;
    for (const char* zip : {"one", "two", "three", "four", "ONE"}) {
        auto game = std::make_unique<TGameObject>();
        game->ZipName = zip;
        game->InstallState = 7;
        catalogue.AddGame(std::move(game));
    }
    UpdateInstallStates(catalogue, m_zipRomPaths);
    std::vector<int> states;
    for (int i = 0; i < catalogue.Count(); ++i) {
        states.push_back(catalogue.At(i).InstallState);
    }
    EXPECT_EQ(states, (std::vector<int>{1, 1, 2, 0, 1}));
}

TEST_F(InstalledGames, ArchiveAddedLaterIsSeenByTheNextPass)
{
    TGameObjectList catalogue;
    auto game = std::make_unique<TGameObject>();
    game->ZipName = "abc";
    catalogue.AddGame(std::move(game));
    UpdateInstallStates(catalogue, m_zipRomPaths);
    EXPECT_EQ(catalogue.At(0).InstallState, 0);
    File("ziproms/abc.zip");
    UpdateInstallStates(catalogue, m_zipRomPaths);
    EXPECT_EQ(catalogue.At(0).InstallState, 1);
}
TEST_F(InstalledGames, SeveralCaseVariantsGiveTheDateOfTheFirstInByteOrder)
{
    File("ziproms/abc.ZIP", 10);
    File("ziproms/ABC.zip", 20);
    File("ziproms/Abc.zip", 30);
    TGameObject game = Detect("aBc");
    EXPECT_EQ(game.InstallState, 1);
    EXPECT_EQ(game.ZipDate, DateOf("ziproms/ABC.zip"));
    EXPECT_EQ(Detect("abc").ZipDate, DateOf("ziproms/ABC.zip"));
    EXPECT_EQ(Detect("Abc").ZipDate, DateOf("ziproms/Abc.zip"));
    File("ziproms/aBc.zip", 40);
    EXPECT_EQ(Detect("aBc").ZipDate, DateOf("ziproms/aBc.zip")); // the exact name wins again
}

TEST_F(InstalledGames, AFolderNamedLikeTheArchiveIsPassedOver)
{
    Folder("extra0/abc.zip");
    Folder("ABC.zip");
    File("extra1/Abc.zip", 50);
    m_zipRomPaths[0] = Extra("extra0");
    m_zipRomPaths[1] = Extra("extra1");
    TGameObject game = Detect("abc");
    EXPECT_EQ(game.InstallState, 2);
    EXPECT_EQ(game.ZipDate, DateOf(Extra("extra1") + "Abc.zip"));
    EXPECT_EQ(Search("abc"), Extra("extra1") + "Abc.zip");
}

TEST_F(InstalledGames, LinksCountAsWhatTheyPointTo)
{
    File("store/real.bin", 70);
    Folder("store/unpacked");
    fs::create_symlink(m_dir.Path() / "store/real.bin", m_dir.Path() / "ziproms/linked.zip");
    fs::create_symlink(m_dir.Path() / "store/unpacked", m_dir.Path() / "roms/folded");
    fs::create_symlink(m_dir.Path() / "store/nothing", m_dir.Path() / "ziproms/broken.zip");
    fs::create_symlink(m_dir.Path() / "store/real.bin", m_dir.Path() / "roms/filelink");
    TGameObject linked = Detect("LINKED");
    EXPECT_EQ(linked.InstallState, 1);
    EXPECT_EQ(linked.ZipDate, DateOf("store/real.bin"));
    EXPECT_EQ(Detect("folded").InstallState, 1);
    EXPECT_EQ(Detect("folded").ZipDate, "");
    EXPECT_EQ(Detect("broken").InstallState, 0);
    EXPECT_EQ(Detect("filelink").InstallState, 0);
}

TEST_F(InstalledGames, EmptySearchEntriesAreSkippedAndTheOrderKept)
{
    File("one/abc.zip", 10);
    File("two/abc.zip", 20);
    File("ziproms/abc.zip", 30);
    m_zipRomPaths = {";;", ";" + Extra("two") + ";;" + Extra("one") + ";", ""};
    EXPECT_EQ(Detect("abc").ZipDate, DateOf(Extra("two") + "abc.zip"));
    EXPECT_EQ(Search("abc"), Extra("two") + "abc.zip");
    m_zipRomPaths = {";", "", ";;;"};
    EXPECT_EQ(Detect("abc").ZipDate, DateOf("ziproms/abc.zip"));
}

TEST_F(InstalledGames, EntryEndingInColonInsideAFolderKeepsItsLeaf)
{
    File("sub/drive:ABC.zip", 5);
    m_zipRomPaths[2] = "sub/drive:";
    TGameObject game = Detect("abc");
    EXPECT_EQ(game.InstallState, 2);
    EXPECT_EQ(game.ZipDate, DateOf("sub/drive:ABC.zip"));
    EXPECT_EQ(Search("abc"), "sub/drive:ABC.zip");
}

TEST_F(InstalledGames, ZipDatesFollowTheDiskAndLeaveTheStateAlone)
{
    File("ziproms/abc.zip", 30);
    File("extra0/xyz.zip", 30);
    m_zipRomPaths[0] = Extra("extra0");
    TGameObjectList catalogue;
    for (const char* zip : {"abc", "xyz", "../ziproms/abc"}) {
        auto game = std::make_unique<TGameObject>();
        game->ZipName = zip;
        catalogue.AddGame(std::move(game));
    }
    UpdateInstallStates(catalogue, m_zipRomPaths);
    File("ziproms/abc.zip", 400);
    fs::remove(m_dir.Path() / "extra0/xyz.zip");
    catalogue.At(2).ZipDate = "stale";
    UpdateZipDates(catalogue, m_zipRomPaths);
    EXPECT_EQ(catalogue.At(0).ZipDate, DateOf("ziproms/abc.zip"));
    EXPECT_EQ(catalogue.At(1).ZipDate, "");
    EXPECT_EQ(catalogue.At(2).ZipDate, "");
    // The states are those of the detection until the next one.
    EXPECT_EQ(catalogue.At(1).InstallState, 2);
    EXPECT_EQ(catalogue.At(2).InstallState, 0);
}

// The whole-catalogue pass and the single lookups take different roads to the same answers.
TEST_F(InstalledGames, ThePassAgreesWithSingleLookupsOnAMixedCollection)
{
    std::mt19937 random(11);
    m_zipRomPaths = {Extra("extra0"), Extra("extra1") + ";" + "drive:", ""};
    const std::vector<std::string> places = {"ziproms/", "roms/", "", "extra0/", "extra1/", "drive:"};
    auto spelled = [&](std::string name) {
        for (char& c : name)
            if (random() % 3 == 0)
                c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
        return name;
    };
    TGameObjectList catalogue;
    for (int i = 0; i < 120; ++i) {
        const std::string zip = "gm" + std::to_string(i);
        for (int copies = static_cast<int>(random() % 3); copies > 0; --copies) {
            const std::string& place = places[random() % places.size()];
            std::error_code taken; // the same spelling may have been drawn as a file already
            if (place == "roms/" || random() % 7 == 0)
                fs::create_directories(
                    m_dir.Path() / (place + spelled(zip) + (place == "roms/" ? "" : ".zip")), taken);
            else
                File(place + spelled(zip + ".zip"), static_cast<int>(random() % 1000));
        }
        auto game = std::make_unique<TGameObject>();
        game->ZipName = spelled(zip);
        catalogue.AddGame(std::move(game));
    }
    UpdateInstallStates(catalogue, m_zipRomPaths);
    int counts[3] = {0, 0, 0};
    for (int i = 0; i < catalogue.Count(); ++i) {
        const TGameObject& game = catalogue.At(i);
        TGameObject single;
        single.ZipName = game.ZipName;
        UpdateInstallState(single, m_zipRomPaths);
        EXPECT_EQ(game.InstallState, single.InstallState) << game.ZipName;
        EXPECT_EQ(game.ZipDate, single.ZipDate) << game.ZipName;
        const std::string archive = Search(game.ZipName);
        EXPECT_EQ(game.ZipDate, archive.empty() ? "" : DateOf(archive)) << game.ZipName;
        ++counts[game.InstallState];
    }
    ExpectSameStateWithoutDates(catalogue);
    // Every state occurs, so the comparison covers each road.
    EXPECT_GT(counts[0], 0);
    EXPECT_GT(counts[1], 0);
    EXPECT_GT(counts[2], 0);
}
} // namespace

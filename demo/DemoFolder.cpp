#include "DemoFolder.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "DemoPictures.h"
#include "DemoTexts.h"
#include "SimPicture.h"
#include "SoundWriters.h"
#include "ZipWriter.h"

namespace fs = std::filesystem;

namespace {

void WriteFile(const fs::path& path, const std::string& bytes)
{
    fs::create_directories(path.parent_path());
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), std::streamsize(bytes.size()));
    if (!file.flush())
        throw std::runtime_error("cannot write " + path.string());
}

// Made-up rom images: the same bytes for the same game every time.
std::string RomBytes(const TSimGame& game, int part)
{
    unsigned state = NameHash(std::string(game.ZipName)) + unsigned(part);
    std::string bytes(4096 + size_t(part) * 1024 + (state % 16) * 512, '\0');
    for (char& b : bytes) {
        state = state * 1664525u + 1013904223u;
        b = char(state >> 24);
    }
    return bytes;
}

std::string RomName(const TSimGame& game, int part)
{
    return std::string(game.ZipName.substr(0, 5)) + "." + std::to_string(part) + char('a' + part);
}

std::string ZipArchive(const TSimGame& game)
{
    TStoredZipWriter zip(game.Year, 1 + game.Year % 12, 1 + game.Year % 28);
    for (int part = 1; part <= 3; ++part)
        zip.AddFile(RomName(game, part), RomBytes(game, part));
    return zip.Finish();
}

std::string Upper(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
    return out;
}

// The front-end shows an archive's date; give each the game's release day instead of today.
void DateLikeRelease(const fs::path& archive, const TSimGame& game)
{
    using namespace std::chrono;
    const sys_days day = year(game.Year) / month(unsigned(1 + game.Year % 12)) / std::chrono::day(12);
    std::error_code error;
    fs::last_write_time(archive, file_clock::from_sys(sys_seconds(day) + hours(12)), error);
}

void WriteZip(const fs::path& archive, const TSimGame& game)
{
    WriteFile(archive, ZipArchive(game));
    DateLikeRelease(archive, game);
}

void WriteRoms(const fs::path& folder, const TSimGame& game)
{
    const std::string zip(game.ZipName);
    switch (game.Install) {
    case TSimInstall::ZipArchive:
        WriteZip(folder / "ziproms" / (zip + ".zip"), game);
        break;
    case TSimInstall::UpperCaseZip:
        WriteZip(folder / "ziproms" / (Upper(zip) + ".ZIP"), game);
        break;
    case TSimInstall::ExtraPath:
        WriteZip(folder / "extra-roms" / (zip + ".zip"), game);
        break;
    case TSimInstall::RomFolder:
        for (int part = 1; part <= 3; ++part)
            WriteFile(folder / "roms" / zip / RomName(game, part), RomBytes(game, part));
        break;
    case TSimInstall::Missing:
        break;
    }
}

constexpr TPictureFormat kFormats[] = {TPictureFormat::Pcx256, TPictureFormat::Png, TPictureFormat::Jpeg,
                                       TPictureFormat::Pcx16,  TPictureFormat::Bmp, TPictureFormat::Png};
constexpr QSize kScreenSizes[] = {{320, 240}, {384, 256}, {256, 224}, {640, 480}};

QString Target(const fs::path& folder, const char* category, const std::string& name, TPictureFormat format)
{
    return QString::fromStdString((folder / category / name).string()) + ExtensionOf(format);
}

// Every game gets a different mix, so each category shows every format and some pictures are missing.
void WritePictures(const fs::path& folder, const TSimGame& game, size_t index)
{
    const std::string zip(game.ZipName);
    for (const char* category : {"Titles", "Gameplay", "Flyers", "Cabinets"})
        fs::create_directories(folder / category);
    const QSize screen = kScreenSizes[index % 4];
    if (index % 10 != 9) {
        const TPictureFormat format = game.SixteenColours ? TPictureFormat::Pcx16 : kFormats[index % 6];
        SavePicture(DrawTitleScreen(game, screen), Target(folder, "Titles", zip, format), format, game);
    }
    for (int shot = 1; shot <= int(index % 4); ++shot) {
        const TPictureFormat format = kFormats[(index + size_t(shot)) % 6];
        char number[8];
        std::snprintf(number, sizeof number, ".%03d", shot);
        SavePicture(DrawGameplay(game, screen, shot), Target(folder, "Gameplay", zip + number, format),
                    format, game);
    }
    if (index % 3 != 2) {
        static constexpr TPictureFormat kFlyerFormats[] = {TPictureFormat::Jpeg, TPictureFormat::PngAlpha,
                                                           TPictureFormat::Bmp, TPictureFormat::Pcx256};
        const TPictureFormat format = kFlyerFormats[index % 4];
        const QSize size = index % 2 ? QSize(300, 420) : QSize(420, 600);
        SavePicture(DrawFlyer(game, size), Target(folder, "Flyers", zip, format), format, game);
    }
    if (index % 4 != 3) {
        static constexpr TPictureFormat kCabinetFormats[] = {TPictureFormat::PngAlpha, TPictureFormat::Jpeg,
                                                             TPictureFormat::Pcx16, TPictureFormat::PngAlpha,
                                                             TPictureFormat::Bmp};
        const TPictureFormat format = kCabinetFormats[index % 5];
        const QSize size = index % 2 ? QSize(240, 400) : QSize(300, 500);
        SavePicture(DrawCabinet(game, size), Target(folder, "Cabinets", zip, format), format, game);
    }
}

void WriteSounds(const fs::path& folder, const TSimGame& game, size_t index)
{
    const std::string zip(game.ZipName);
    const unsigned seed = NameHash(zip);
    fs::create_directories(folder / "Sound");
    if (index % 5 != 4)
        WriteFile(folder / "Sound" / (zip + ".mid"), MakeMidiTune(seed));
    if (index % 3 == 0)
        WriteFile(folder / "Sound" / (zip + ".wav"), MakeWaveJingle(seed));
}

void InstallEmulator(const fs::path& folder, const std::string& simPath)
{
    std::error_code error;
    fs::copy_file(simPath, folder / "korb.exe", fs::copy_options::overwrite_existing, error);
    if (error)
        throw std::runtime_error("cannot copy the stand-in emulator " + simPath + ": " + error.message());
    fs::permissions(folder / "korb.exe", fs::perms::owner_all | fs::perms::group_read |
                                             fs::perms::group_exec | fs::perms::others_read |
                                             fs::perms::others_exec);
    WriteFile(folder / "korb-sim.ini", "; How the stand-in emulator behaves (see korb.exe --help).\n"
                                       "RunMilliseconds=1500\n"
                                       "Shots=2\n"
                                       "Fail=0\n"
                                       "; These games always fail, to show how VantorKorb reports errors.\n"
                                       "FailGames=mrmop\n");
}

// The extra rom folder is known to the front-end from its own settings; the screenshot key keeps the
// first start from taking the folder for an old layout.
void WriteFrontEndSettings(const fs::path& folder)
{
    WriteFile(folder / "Vantorkorb.ini", "[VantorKorb]\r\nEmuExePath=./\r\nZipRomPath0=extra-roms/\r\n"
                                         "[Screenshot]\r\nTitle=1\r\n");
}

} // namespace

// The program "Convert all to PNG" runs; the front-end looks for it under the Windows converter's name.
void InstallConverter(const fs::path& folder, const std::string& convertPath)
{
    if (convertPath.empty())
        return;
    std::error_code error;
    fs::copy_file(convertPath, folder / "nconvert.exe", fs::copy_options::overwrite_existing, error);
    if (error)
        throw std::runtime_error("cannot copy the converter " + convertPath + ": " + error.message());
    fs::permissions(folder / "nconvert.exe", fs::perms::owner_all | fs::perms::group_read |
                                                 fs::perms::group_exec | fs::perms::others_read |
                                                 fs::perms::others_exec);
}

void WriteDemoFolder(const std::string& folderName, const std::string& simPath,
                     const std::string& convertPath)
{
    const fs::path folder(folderName);
    fs::create_directories(folder);
    InstallEmulator(folder, simPath);
    InstallConverter(folder, convertPath);
    WriteFile(folder / "Readme.txt", ReadmeText());
    // The front-end's own documents, as they are installed with it.
    for (const char* name : {"VantorKorb.txt", "VantorKorbFaq.txt"})
        std::filesystem::copy_file(std::filesystem::path(KORB_DOCS_DIR) / name, folder / name,
                                   std::filesystem::copy_options::overwrite_existing);
    WriteFrontEndSettings(folder);
    for (size_t i = 0; i < kSimGames.size(); ++i) {
        WriteRoms(folder, kSimGames[i]);
        WritePictures(folder, kSimGames[i], i);
        WriteSounds(folder, kSimGames[i], i);
    }
}

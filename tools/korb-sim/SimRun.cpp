#include "SimRun.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <thread>

#include "PcxEncoder.h"
#include "SimGames.h"
#include "SimOptions.h"
#include "SimPicture.h"
#include "SimText.h"

namespace fs = std::filesystem;

namespace {

constexpr int kMinSide = 64;
constexpr int kMaxSide = 2048;

// The exact name first, then one that differs only in letter case, as a case-blind file system would.
std::string FindEntry(const std::string& folder, const std::string& name, bool wantFolder)
{
    std::error_code error;
    const fs::path exact = fs::path(folder) / name;
    if (wantFolder ? fs::is_directory(exact, error) : fs::is_regular_file(exact, error))
        return folder + "/" + name;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string found = it->path().filename().string();
        const bool kindMatches = wantFolder ? it->is_directory(error) : it->is_regular_file(error);
        if (kindMatches && Lower(found) == Lower(name))
            return folder + "/" + found;
    }
    return {};
}

std::string FindRoms(const std::string& zipName)
{
    std::string found = FindEntry("ziproms", zipName + ".zip", false);
    return found.empty() ? FindEntry("roms", zipName, true) : found;
}

// Six letters of the zip name and a two-digit number: the emulator's old 8.3 habit.
std::string NextShotName(const std::string& zipName)
{
    const std::string stem = Lower(zipName.substr(0, 6));
    for (int n = 1;; ++n) {
        char number[16];
        std::snprintf(number, sizeof number, "%02d", n);
        const std::string name = "pcx/" + stem + number + ".pcx";
        std::error_code error;
        if (!fs::exists(name, error))
            return name;
    }
}

bool SaveShot(const TSimOptions& options, const TSimGame* game, int number, std::ostream& out)
{
    TShotRequest request;
    request.ZipName = options.ZipName;
    request.Title = game ? std::string(game->ReadmeName) : options.ZipName;
    request.Width = options.Width;
    request.Height = options.Height;
    request.ShotNumber = number;
    request.SixteenColours = game && game->SixteenColours;
    const TIndexedPicture picture = RenderShot(request);
    const std::string bytes = request.SixteenColours ? EncodePcx16(picture) : EncodePcx256(picture);

    std::error_code error;
    fs::create_directories("pcx", error);
    const std::string name = NextShotName(options.ZipName);
    std::ofstream file(name, std::ios::binary);
    file.write(bytes.data(), std::streamsize(bytes.size()));
    if (!file.flush()) {
        out << "Error: cannot write the screenshot " << name << "\n";
        return false;
    }
    out << "Screenshot saved to " << name << (request.SixteenColours ? " (16 colours)" : " (256 colours)")
        << "\n";
    return true;
}

bool FailsByChoice(const TSimSettings& settings, const std::string& zipName)
{
    const auto& games = settings.FailGames;
    return settings.Fail || std::find(games.begin(), games.end(), Lower(zipName)) != games.end();
}

double FrameRate(const TSimSettings& settings, const TSimOptions& options)
{
    if (settings.FrameRate > 0)
        return settings.FrameRate;
    return options.InterruptRate * 0.999 / (options.FrameSkip + 1);
}

void PrintSettings(const TSimOptions& options, std::ostream& out)
{
    out << "Screen Resolution " << options.Resolution << "\n";
    out << "Display: " << (options.VerticalDisplay ? "vertical" : "horizontal")
        << (options.Vsync ? ", synchronised" : "") << (options.ScanLines ? ", scan lines" : "") << "\n";
    out << "Gamma " << options.GammaTenths / 10 << "." << options.GammaTenths % 10 << ", sound "
        << (options.SamplingRate ? std::to_string(options.SamplingRate) + " Hz" : std::string("default rate"))
        << ", joystick " << (options.Joystick ? "on" : "off") << "\n";
    out << "CPU " << options.V30CpuClock << " MHz, interrupts " << options.InterruptRate << " Hz, frame skip "
        << options.FrameSkip << (options.PproOptimized ? ", Pentium Pro code" : "")
        << (options.PerfCounter ? ", performance counter" : "") << "\n";
}

// The run lasts RunMilliseconds; the shots are spread evenly over it.
bool PlayAndShoot(const TSimOptions& options, const TSimGame* game, const TSimSettings& settings,
                  std::ostream& out)
{
    const auto pause = std::chrono::milliseconds(settings.RunMilliseconds / (settings.Shots + 1));
    for (int shot = 1; shot <= settings.Shots; ++shot) {
        std::this_thread::sleep_for(pause);
        if (!SaveShot(options, game, shot, out))
            return false;
    }
    std::this_thread::sleep_for(pause);
    return true;
}

} // namespace

void PrintHelp(std::ostream& out)
{
    out << "korb-sim: a stand-in for the console arcade emulator korb.exe, made to try out the VantorKorb\n"
           "front-end where the real emulator does not run. It emulates nothing.\n\n"
           "  korb.exe -list            print the supported games\n"
           "  korb.exe ZIP [options]    \"run\" the game ZIP from ziproms/ZIP.zip or roms/ZIP/,\n"
           "                            saving screenshots as PCX files into pcx/\n\n"
           "Options: -vert -vsync -scanlines -nojoy -ppro -perf -res WxH -gamma N.N -r RATE\n"
           "         -qf 1..4 -skip 0..9 -int RATE -cpu MHZ\n\n"
           "korb-sim.ini beside the program sets RunMilliseconds, Shots, Fail (0/1), FailGames and\n"
           "FrameRate; the variables KORB_SIM_RUN_MS, KORB_SIM_SHOTS, KORB_SIM_FAIL, KORB_SIM_FAIL_GAMES,\n"
           "KORB_SIM_FRAME_RATE and KORB_SIM_INI override it.\n";
}

void PrintListing(std::ostream& out)
{
    out << "Korb arcade emulator (stand-in) version 1.0\n"
           "Every game below is fictional; run korb.exe --help for the options.\n\n"
           "Supported games:\n";
    for (size_t i = 0; i < kSimGames.size(); ++i) {
        out << kSimGames[i].ZipName;
        out << ((i + 1) % 6 == 0 ? "\n" : (i % 4 == 2 ? "\t" : " "));
    }
    // Nothing may follow the names: every word after the marker line counts as a game.
    out << "\n";
}

int RunGame(const std::vector<std::string>& arguments, const TSimSettings& settings, std::ostream& out)
{
    out << "Korb arcade emulator (stand-in) version 1.0\n";
    std::string line;
    for (const std::string& argument : arguments)
        line += (line.empty() ? "" : " ") + argument;
    out << "Command line: " << line << "\n";

    const TSimOptions options = ParseSimArguments(arguments);
    if (!options.Error.empty()) {
        out << "Error: " << options.Error << "\n";
        return 2;
    }
    const std::string roms = FindRoms(options.ZipName);
    if (roms.empty()) {
        out << "Error: cannot find ziproms/" << options.ZipName << ".zip or roms/" << options.ZipName
            << "/\n";
        return 1;
    }
    const TSimGame* game = FindSimGame(options.ZipName);
    out << "Loading " << (game ? std::string(game->ReadmeName) : options.ZipName) << " from " << roms << "\n";
    if (options.Width < kMinSide || options.Width > kMaxSide || options.Height < kMinSide ||
        options.Height > kMaxSide) {
        out << "Error: cannot set the video mode " << options.Resolution << "\n";
        return 1;
    }
    PrintSettings(options, out);
    if (FailsByChoice(settings, options.ZipName)) {
        out << "Error: cannot initialise the sound hardware (failure asked for in korb-sim.ini)\n";
        return 1;
    }
    out.flush();
    if (!PlayAndShoot(options, game, settings, out))
        return 1;
    char rate[32];
    std::snprintf(rate, sizeof rate, "%.2f", FrameRate(settings, options));
    out << "Average frame rate = " << rate << "\n";
    return 0;
}

#include "DemoTexts.h"

#include <sstream>

#include "SimGames.h"

namespace {

constexpr size_t kNameColumn = 40;

std::string WithCrLf(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

} // namespace

std::string ReadmeText()
{
    std::ostringstream text;
    text << "KORB - console arcade emulator, stand-in edition 1.0\n"
            "=====================================================\n\n"
            "This folder is a demonstration set for the VantorKorb front-end. The program korb.exe in it\n"
            "is a stand-in: it answers like the real emulator, shows nothing, waits a moment and saves a\n"
            "few screenshots into the folder pcx. All games below are fictional.\n\n"
            "Usage: korb.exe <zipname> [options]\n\n"
            "  -vert        vertical display            -vsync       wait for the vertical retrace\n"
            "  -scanlines   draw scan lines             -res WxH     screen resolution, e.g. 640x480\n"
            "  -gamma N.N   gamma correction            -r RATE      sound sampling rate\n"
            "  -qf N        quick fire on button N      -nojoy       no joystick\n"
            "  -ppro        Pentium Pro code            -perf        use the performance counter\n"
            "  -skip N      frame skip                  -int N       interrupt rate\n"
            "  -cpu N       V30 clock in MHz\n\n"
            "Roms are looked for in ziproms/<zipname>.zip and then in the folder roms/<zipname>.\n"
            "A few games keep their archives in extra-roms/, a folder VantorKorb knows as a zipped rom "
            "path.\n\n"
            "korb-sim.ini beside korb.exe sets how long a run lasts, how many screenshots it takes and\n"
            "which games fail. Mister Mop's Mayhem always fails, to show how VantorKorb reports an\n"
            "emulator error.\n\n"
            "Supported games\n"
            "---------------\n\n";
    text << std::string("Game").append(kNameColumn - 4, ' ') << "Internal name\n";
    text << std::string(kNameColumn + 13, '-') << "\n";
    for (const TSimGame& game : kSimGames) {
        std::string name(game.ReadmeName);
        name.append(name.size() < kNameColumn ? kNameColumn - name.size() : 1, ' ');
        text << name << game.ZipName << "\n";
    }
    text << "\nHave fun, and remember that none of these games exists.\n";
    return WithCrLf(text.str());
}


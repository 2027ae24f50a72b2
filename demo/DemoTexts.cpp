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

std::string GuideText()
{
    return "VantorKorb - a front-end for the Korb arcade emulator\n"
           "=====================================================\n\n"
           "VantorKorb shows the games that Korb supports, tells you which of them are installed,\n"
           "shows their pictures, plays their music, keeps the emulator settings of every game and\n"
           "starts a game with a double click.\n\n"
           "Getting started\n"
           "---------------\n"
           "Start VantorKorb in the emulator's folder, the one that holds korb.exe and Readme.txt.\n"
           "If it cannot find korb.exe there it asks you where the emulator is. At the first start, and\n"
           "whenever korb.exe has changed, VantorKorb asks the emulator for its list of games and takes\n"
           "the names of the games from Readme.txt.\n\n"
           "The game list\n"
           "-------------\n"
           "Installed games have a coloured icon; games whose roms are missing are greyed. A game is\n"
           "installed when its zip archive lies in ziproms/ or its rom folder in roms/. With\n"
           "Settings > Set Zipped Rompaths you can name up to three more folders that hold zip archives;\n"
           "a game found there is copied into ziproms/ for the time it runs.\n"
           "View > Installed Games, Uninstalled Games and All Games choose what the list shows;\n"
           "Large Icons, Small Icons, List and Details choose how. Sort by Name, Zipname or Zipdate,\n"
           "ascending or descending, or click a column heading in the Details view.\n\n"
           "Starting a game\n"
           "---------------\n"
           "Double-click an installed game or press Start. VantorKorb writes batch.sh, runs the emulator\n"
           "in a terminal window and waits until it ends. Screenshots that you take while playing are\n"
           "filed under Gameplay/ as zipname.001.pcx, zipname.002.pcx and so on. The status bar then\n"
           "shows the game, its average frame rate and the screen resolution. When Korb reports an\n"
           "error, VantorKorb offers to show you what the emulator printed.\n\n"
           "Settings\n"
           "--------\n"
           "The Settings tab holds the emulator options of the selected game: display, resolution,\n"
           "gamma, sound sampling rate, quick fire, joystick, frame skip, interrupt rate and CPU clock.\n"
           "They are saved when you leave the tab, one file per game in the folder of settings files.\n"
           "Settings > Set Default Settings edits the values that every game without its own file uses.\n\n"
           "Screenshots\n"
           "-----------\n"
           "Pictures are looked for in four folders: Titles/ (zipname.pcx), Gameplay/ (zipname.001.pcx,\n"
           "zipname.002.png ...), Flyers/ and Cabinets/ (zipname.jpg and the like). PCX, PNG, JPG and\n"
           "BMP files are shown. The ScreenShot menu chooses the kinds of picture, the scaling (Original,\n"
           "Scaled, Stretched) and the slideshow; the buttons under the picture step through them.\n"
           "The ScreenShot menu can also convert all screenshots to PNG with an outside converter.\n\n"
           "Music\n"
           "-----\n"
           "When you select a game, VantorKorb plays Sound/zipname.mid (Sound > Music) or\n"
           "Sound/zipname.wav (Sound > Samples) once. Sound > No Sound keeps it quiet.\n\n"
           "Tools\n"
           "-----\n"
           "Tools > Check for new Installed games looks for roms again; Check for new Supported games\n"
           "asks the emulator for its list again. Report Needed Stuff writes needed.txt with the\n"
           "archives, pictures and tunes that are missing.\n\n"
           "VantorKorb remembers its window, the list's look and the options of the menus in\n"
           "Vantorkorb.ini in the emulator's folder.\n";
}

std::string FaqText()
{
    return "VantorKorb - frequently asked questions\n"
           "=======================================\n\n"
           "Q: A game is in the list but greyed out. Why can't I start it?\n"
           "A: Its roms are missing. Put zipname.zip into ziproms/ or the unpacked files into\n"
           "   roms/zipname/, or name the folder that holds the zip with Settings > Set Zipped Rompaths,\n"
           "   then choose Tools > Check for new Installed games.\n\n"
           "Q: At start I am told that some gamenames were not found in the readme.\n"
           "A: The emulator lists a game that Readme.txt does not describe. Use the Readme.txt that came\n"
           "   with your korb.exe; VantorKorb shows only games that both of them know.\n\n"
           "Q: I installed a newer korb.exe, but its new games do not show up.\n"
           "A: Choose Tools > Check for new Supported games. VantorKorb also notices a changed\n"
           "   korb.exe by itself at the next start.\n\n"
           "Q: Where do my screenshots go?\n"
           "A: Korb saves them into pcx/ while you play; when the game ends VantorKorb moves them to\n"
           "   Gameplay/ and numbers them: zipname.001.pcx, zipname.002.pcx ...\n\n"
           "Q: Can I use other pictures than screenshots?\n"
           "A: Yes. Put title screens into Titles/, flyers into Flyers/ and cabinet photos into\n"
           "   Cabinets/, named after the zip name, as PCX, PNG, JPG or BMP.\n\n"
           "Q: The music plays only once.\n"
           "A: That is on purpose: the tune of a game plays once when you select it. Choose\n"
           "   Sound > Music again to hear it again, or Sound > No Sound for silence.\n\n"
           "Q: The game does not start and I get \"Errors found when running Korb\".\n"
           "A: The emulator printed an error. Answer Yes to read its output; often an option in the\n"
           "   Settings tab is one that your korb.exe does not understand, or the roms are damaged.\n\n"
           "Q: How do I run the real Windows emulator on Linux?\n"
           "A: Replace korb.exe by a small script of that name that starts the real program through\n"
           "   Wine or DOSBox and passes its arguments on.\n\n"
           "Q: Which files does VantorKorb write?\n"
           "A: Vantorkorb.ini, one settings file per game, batch.sh and the emulator's output while a\n"
           "   game runs, listinfo.txt with the emulator's game list, and needed.txt when you ask for it.\n";
}

#pragma once
// The fictional games that the stand-in emulator supports; the demo folder's readme lists the same ones.

#include <array>
#include <string_view>

// Where the demo folder puts a game's roms; the stand-in itself only looks at its working directory.
enum class TSimInstall { ZipArchive, RomFolder, ExtraPath, UpperCaseZip, Missing };

struct TSimGame
{
    std::string_view ZipName;
    std::string_view ReadmeName; // as the readme spells it; the front-end title-cases it
    std::string_view Maker;
    int Year;
    bool SixteenColours; // shots in four 1-bit planes instead of one 8-bit plane
    TSimInstall Install;
};

inline constexpr std::array<TSimGame, 40> kSimGames{{
    {"starrng2", "STAR RANGER II", "Orbis Ludens", 1986, false, TSimInstall::ZipArchive},
    {"kquest", "Knight's Quest", "Bramble Soft", 1984, true, TSimInstall::ZipArchive},
    {"herosup2", "SUPER-HERO 2 II", "Capeworks", 1991, false, TSimInstall::ZipArchive},
    {"pixpanic", "Pixel Panic", "Tinytron", 1982, true, TSimInstall::RomFolder},
    {"lunrover", "LUNAR ROVER DELTA", "Orbis Ludens", 1988, false, TSimInstall::ZipArchive},
    {"wyrmhol", "Wyrm's Hollow", "Bramble Soft", 1987, false, TSimInstall::ExtraPath},
    {"glasslab", "GLASS LABYRINTH", "Prism Play", 1990, false, TSimInstall::Missing},
    {"ttank3k", "Turbo Tanks 3000", "Heavy Metal Games", 1993, false, TSimInstall::ZipArchive},
    {"robochef", "ROBO-CHEF", "Tinytron", 1985, true, TSimInstall::RomFolder},
    {"galgard", "Galactic Gardener", "Greenbyte", 1989, false, TSimInstall::ZipArchive},
    {"neonral3", "NEON RALLY 3", "Velocity Works", 1994, false, TSimInstall::ZipArchive},
    {"bubbaron", "Bubble Barons", "Fizzco", 1983, true, TSimInstall::Missing},
    {"citadel3", "THE LOST CITADEL III", "Bramble Soft", 1992, false, TSimInstall::ZipArchive},
    {"mechamol", "Mecha-Mole", "Capeworks", 1986, false, TSimInstall::ExtraPath},
    {"skyharv", "SKY HARVEST", "Greenbyte", 1990, false, TSimInstall::ZipArchive},
    {"orourke", "Captain O'Rourke", "Seaside Circuits", 1985, true, TSimInstall::ZipArchive},
    {"frostfgt", "FROSTLINE FIGHTERS", "Heavy Metal Games", 1995, false, TSimInstall::RomFolder},
    {"cosmocou", "Cosmo Courier", "Orbis Ludens", 1987, false, TSimInstall::Missing},
    {"jungjmp4", "JUNGLE JUMPER IV", "Vine & Vector", 1991, false, TSimInstall::ZipArchive},
    {"voltvipr", "Volt Viper", "Velocity Works", 1988, true, TSimInstall::ZipArchive},
    {"orborch", "ORBITAL ORCHARD", "Greenbyte", 1992, false, TSimInstall::UpperCaseZip},
    {"magmamn2", "Magma Miners 2", "Deepdig", 1989, false, TSimInstall::ZipArchive},
    {"paperpil", "PAPER PLANE PILOT", "Fizzco", 1984, true, TSimInstall::Missing},
    {"zephyrz", "Zephyr Zone", "Prism Play", 1993, false, TSimInstall::ExtraPath},
    {"clockcas", "CLOCKWORK CASTLE", "Cogsmith", 1986, false, TSimInstall::ZipArchive},
    {"sprocket", "Sergeant Sprocket", "Cogsmith", 1988, false, TSimInstall::RomFolder},
    {"quasarq", "QUASAR QUILT", "Prism Play", 1994, true, TSimInstall::Missing},
    {"harbhop", "Harbour Hopper", "Seaside Circuits", 1983, false, TSimInstall::ZipArchive},
    {"turnip6", "THUNDER TURNIP VI", "Greenbyte", 1996, false, TSimInstall::ZipArchive},
    {"witchbrw", "Witch's Brew-Ha-Ha", "Bramble Soft", 1990, false, TSimInstall::Missing},
    {"tidaltit", "TIDAL TITANS", "Seaside Circuits", 1992, true, TSimInstall::ZipArchive},
    {"rodeo99", "Rocket Rodeo 1999", "Velocity Works", 1997, false, TSimInstall::ExtraPath},
    {"inkblot", "INKBLOT INVADERS", "Tinytron", 1981, true, TSimInstall::ZipArchive},
    {"marblem", "Marble Monsoon", "Fizzco", 1991, false, TSimInstall::Missing},
    {"canyonc", "CANYON CARAVAN", "Vine & Vector", 1989, false, TSimInstall::RomFolder},
    {"mrmop", "Mister Mop's Mayhem", "Capeworks", 1987, false, TSimInstall::ZipArchive},
    {"noodlebr", "NEBULA NOODLE BAR", "Orbis Ludens", 1995, false, TSimInstall::Missing},
    {"geargr8", "Gear-Grinder 8", "Cogsmith", 1993, true, TSimInstall::ZipArchive},
    {"polarpcl", "POLAR PARCEL", "Deepdig", 1985, false, TSimInstall::ExtraPath},
    {"larks12", "Lantern Larks XII", "Vine & Vector", 1998, false, TSimInstall::Missing},
}};

// The game of that archive name, ignoring ASCII letter case; nullptr when the stand-in does not know it.
inline const TSimGame* FindSimGame(std::string_view zipName)
{
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
    for (const TSimGame& game : kSimGames) {
        if (game.ZipName.size() != zipName.size())
            continue;
        bool same = true;
        for (size_t i = 0; i < zipName.size() && same; ++i)
            same = lower(game.ZipName[i]) == lower(zipName[i]);
        if (same)
            return &game;
    }
    return nullptr;
}

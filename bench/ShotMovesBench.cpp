// Runs one move of screenshots on a folder, for kill trials (bench/kill-trials.sh) and for timing the
// capture folder put aside: ShotMovesBench migrate|harvest|aside FOLDER [GAMES]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "shots/ScreenshotFiles.h"
#include "shots/ScreenshotMigration.h"

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s migrate|harvest|aside FOLDER [GAMES]\n", argv[0]);
        return 2;
    }
    const std::string mode = argv[1];
    const std::string dir = std::string(argv[2]) + "/";
    const int games = argc > 3 ? std::atoi(argv[3]) : 50;
    const auto start = std::chrono::steady_clock::now();
    if (mode == "migrate") {
        std::vector<std::string> zips;
        for (int i = 0; i < games; ++i) {
            char zip[16];
            std::snprintf(zip, sizeof zip, "g%05d", i);
            zips.push_back(zip);
        }
        MoveOldScreenshots({dir + "pcx/", dir + "Titles/", dir + "Gameplay/"}, zips);
    } else if (mode == "harvest") {
        HarvestNewScreenshots(dir + "pcx/", dir + "Gameplay/", "game");
    } else if (mode == "aside") {
        ClearCaptureDir(dir + "pcx/", dir + "pcxback/");
    } else {
        return 2;
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    std::printf("%s: %.3f s\n", mode.c_str(), took.count());
    return 0;
}

#pragma once
// Moving screenshots from the old single "pcx" folder, named by six characters of the zip name and a
// two-digit number, into the title and game-play folders under the whole zip name.

#include <string>
#include <vector>

#include "platform/Dialogs.h"

struct TMigrationDirs
{
    std::string OldDir; // the old folder with its trailing separator, e.g. "pcx/"
    std::string TitlesDir;
    std::string GameplayDir;
};

// What one pass did: every old name with the path it went to, and the old names that stayed.
struct TMigrationResult
{
    std::vector<std::pair<std::string, std::string>> Moved;
    std::vector<std::string> Kept;
};

// Walks the games in catalogue order and moves shots 01 to 09 of each; the first game of a shared
// six-character prefix takes the files. An existing target is never replaced: a taken game-play number
// gives way to the next free one, a title whose target exists stays where it is. Removes the old folder
// when it is left empty. No question, no message.
TMigrationResult MoveOldScreenshots(const TMigrationDirs& dirs, const std::vector<std::string>& zipNames);

// Beeps, asks whether to move the old shots and, on Yes, moves them and says so. Any other answer
// changes nothing and shows nothing more.
void MigrateOldScreenshots(TDialogs& dialogs, const TMigrationDirs& dirs,
                           const std::vector<std::string>& zipNames);

inline constexpr const char* kMigrationQuestion =
    "VantorKorb has changed screenshots placement.\rAutomatically move and rename you Screenshots?";
// The closing message: kMigrationDone, and how many moved and stayed when not all did.
std::string MigrationDoneText(const TMigrationResult& result, const std::string& oldDir);
inline constexpr const char* kMigrationDone = "Your old screenshots (if any) were moved and renamed.";

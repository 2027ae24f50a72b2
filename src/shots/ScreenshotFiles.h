#pragma once
// The screenshot files of a game: category folders, name rules, the list of one game's pictures and the
// filing of the shots the emulator took during a run. Plain file operations; no picture is decoded here.

#include <functional>
#include <string>
#include <vector>

struct TScreenshotCategories
{
    bool Title = true;
    bool Gameplay = true;
    bool Flyer = true;
    bool Cabinet = true;
};

struct TScreenshotDirs
{
    std::string TitlesDir;
    std::string GameplayDir;
    std::string FlyersDir;
    std::string CabinetsDir;
};

// One picture of a game: the list entry (folder + lower-case name) and the file as it is really named,
// which differs from the entry where the file system keeps letter case.
struct TScreenshotEntry
{
    std::string Entry;
    std::string RealPath;
};

// Category folder followed by the found name in lower case: title, game play (sorted), flyer, cabinet.
std::vector<std::string> BuildScreenshotList(const TScreenshotDirs& dirs, const std::string& zip,
                                             const TScreenshotCategories& categories);
// The same list, each entry with the name under which its file is opened.
std::vector<TScreenshotEntry> BuildScreenshotEntries(const TScreenshotDirs& dirs, const std::string& zip,
                                                     const TScreenshotCategories& categories);
// The first free "<zip>.NNN" in gameplayDir, always ending in ".pcx".
std::string NextFreeGameplayName(const std::string& gameplayDir, const std::string& zip);
// Puts aside what lies in pcxDir before a run; a file is deleted only after its copy succeeded. In a large
// folder progress hears every so many entries how many of all were gone through, and once at the end.
using TProgress = std::function<void(size_t done, size_t total)>;
void ClearCaptureDir(const std::string& pcxDir, const std::string& pcxBackDir,
                     const TProgress& progress = {});
// Moves the PCX shots of the run into gameplayDir under the next free numbers; removes an empty pcxDir.
void HarvestNewScreenshots(const std::string& pcxDir, const std::string& gameplayDir, const std::string& zip);
// "001" to "999", then all digits.
std::string GameplayNumberText(int number);
// The extensions of the pictures a screenshot folder holds, lower case.
inline constexpr const char* kImageExtensions[] = {".pcx", ".jpg", ".bmp", ".png"};
// True for one of them after the last dot of the lower-case name.
bool HasImageExtension(const std::string& lowerName);

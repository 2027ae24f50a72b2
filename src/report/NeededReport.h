#pragma once
// The needed-files report: which games lack their archive, pictures or music, written as "needed.txt".

#include <stdexcept>
#include <string>

#include "base/WorkingPaths.h"

class TGameObjectList;
class TShell;

// Raised when the report file cannot be written; the text names the file.
class TNeededReportError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

inline constexpr const char* kNeededReportName = "needed.txt";

// One entry line: the game name fitted to exactly 40 columns, " | ", the zip name with its suffix.
std::string FormatNeededLine(const std::string& gameName, const std::string& zipAndSuffix);

// The whole report text, lines ending in CR LF. Every picture and sound folder is listed once.
std::string BuildNeededReport(const TGameObjectList& catalogue, const TWorkingPaths& paths,
                              const std::string& versionText);

// Builds the report, saves it as "needed.txt" in the current directory (replacing an older one only
// once the new one is complete) and opens it with the desktop's program. Throws TNeededReportError
// before anything is opened when the file cannot be written.
void WriteNeededReport(const TGameObjectList& catalogue, const TWorkingPaths& paths,
                       const std::string& versionText, TShell& shell);

#pragma once
// Where the front-end's own help documents are read: the emulator folder's copy first, so a folder can ship
// its own, else the copy installed with the program.

#include <string>

// The installed documents' folder, found from where the running program lies (<prefix>/games or
// <prefix>/bin beside <prefix>/share/doc/vantorkorb), with a trailing slash.
std::string InstalledDocumentFolder();

// appDir ends in a slash. When neither copy exists the emulator folder's name is returned, so the opener
// names the file the user expects to find there.
std::string HelpDocumentPath(const std::string& appDir, const std::string& name,
                             const std::string& installedFolder = InstalledDocumentFolder());

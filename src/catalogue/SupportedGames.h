#pragma once
// Filling the catalogue from the emulator's game listing and its readme.

#include <string>
#include <string_view>

#include "catalogue/GameObject.h"

struct TImportResult
{
    // The listed names that no readme line matched; 0 means no message.
    int UnmatchedNames = 0;
    // "<n> gamenames not found in Korb ReadMe.txt!" when UnmatchedNames > 0, else empty.
    std::string Message;
};

// Empties the catalogue and refills it. Throws TFileError ("File not found" for a missing file) when
// the listing or the readme cannot be read; the catalogue is then empty.
TImportResult ImportCatalogue(TGameObjectList& catalogue, const std::string& listInfoPath,
                              const std::string& readmePath);

// The same from the two files' bytes; never throws for any content.
TImportResult ImportCatalogueFromBytes(TGameObjectList& catalogue, std::string_view listing,
                                       std::string_view readme);

std::string TitleCase(std::string_view text);

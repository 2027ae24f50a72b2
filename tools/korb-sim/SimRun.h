#pragma once
// What the stand-in does for each kind of command line; output goes to the given stream.

#include <ostream>
#include <string>
#include <vector>

#include "SimSettings.h"

void PrintHelp(std::ostream& out);
void PrintListing(std::ostream& out);
// Runs one game in the working directory; returns the process exit code.
int RunGame(const std::vector<std::string>& arguments, const TSimSettings& settings, std::ostream& out);

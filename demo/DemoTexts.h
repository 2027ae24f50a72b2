#pragma once
// The demo folder's text of its own: the emulator's readme with its table of games.

#include <string>

// Lines end in CR LF, as the emulator's own readme does.
std::string ReadmeText();

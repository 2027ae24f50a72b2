#pragma once
// The demo folder's texts: the emulator's readme with its table of games, and the front-end's guide and FAQ.

#include <string>

// Lines end in CR LF, as the emulator's own readme does.
std::string ReadmeText();
std::string GuideText();
std::string FaqText();

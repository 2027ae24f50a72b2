#pragma once
// A 5x7 capital-letter font, so the stand-in can write a game's name into its shots without any library.

#include <string_view>

#include "PcxEncoder.h"

// Width in pixels of the text at that scale (glyphs 5 wide with one column of space between).
int TextWidth(std::string_view text, int scale);
// Draws the text with its top-left corner at (x, y); pixels outside the picture are left out.
void DrawText(TIndexedPicture& picture, int x, int y, int scale, std::string_view text, uint8_t colour);

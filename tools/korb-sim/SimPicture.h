#pragma once
// Draws one screenshot of a game: a pattern of its own colours with its name written across it.

#include <string>

#include "PcxEncoder.h"

struct TShotRequest
{
    std::string ZipName;
    std::string Title; // drawn in capitals
    int Width = 320;
    int Height = 240;
    int ShotNumber = 1;          // moves the pattern so the shots of one run differ
    bool SixteenColours = false; // indices 0..15 only
};

TIndexedPicture RenderShot(const TShotRequest& request);

// The same small number for the same name; picks a game's colours and pattern.
unsigned NameHash(const std::string& name);

#pragma once
// Playing one music (MIDI) or sample (WAV) file at a time.

#include <string>

class TMedia
{
public:
    virtual ~TMedia() = default;
    // Opens the file for playing; false when it cannot be opened or decoded.
    virtual bool Open(const std::string& path) = 0;
    virtual bool Play() = 0;
    virtual bool IsPlaying() = 0;
    virtual void Stop() = 0;
    // Stops for good, as the program closes: nothing opens again. The sound device may still be closing in
    // the background until the player is destroyed.
    virtual void Release() {}
};

#pragma once
// Recording media player for tests: no sound; plays until stopped or told it has finished.

#include <string>
#include <vector>

#include "platform/Media.h"

class TFakeMedia : public TMedia
{
public:
    bool Open(const std::string& path) override;
    bool Play() override;
    bool IsPlaying() override { return m_playing; }
    void Stop() override;

    // Lets a test end the playing as if the file had reached its end.
    void Finish() { m_playing = false; }

    // Script.
    bool OpenResult = true;
    bool PlayResult = true;

    // Record.
    std::vector<std::string> Opened;
    int PlayCount = 0;
    int StopCount = 0;

private:
    bool m_open = false;
    bool m_playing = false;
};

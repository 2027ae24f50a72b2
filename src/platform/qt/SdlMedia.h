#pragma once
// Music and samples through SDL2_mixer: MIDI rendered by FluidSynth with the GM soundfont, WAV as is.

#include <string>
#include <thread>

#include "platform/Media.h"

struct _Mix_Music;

class TSdlMedia : public TMedia
{
public:
    TSdlMedia();
    ~TSdlMedia() override;
    TSdlMedia(const TSdlMedia&) = delete;
    TSdlMedia& operator=(const TSdlMedia&) = delete;

    bool Open(const std::string& path) override;
    bool Play() override;
    bool IsPlaying() override;
    void Stop() override;
    void Release() override;

private:
    bool EnsureAudio();
    void Close();

    bool m_audioTried = false;
    bool m_audioOpen = false;
    bool m_released = false;
    _Mix_Music* m_music = nullptr;
    std::thread m_closing;
};

#include "platform/qt/SdlMedia.h"

#include <filesystem>
#include <fstream>

#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>

namespace {

// Where the Debian soundfont packages put a General MIDI set; the first one present is used.
const char* const kSoundFonts[] = {"/usr/share/sounds/sf2/TimGM6mb.sf2",
                                   "/usr/share/sounds/sf2/default-GM.sf2",
                                   "/usr/share/sounds/sf2/FluidR3_GM.sf2"};

// FluidSynth takes a bare MIDI header as a song that never plays; such a file counts as broken.
bool LooksPlayable(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    char head[18] = {};
    in.read(head, sizeof head);
    const std::string start(head, static_cast<size_t>(in.gcount()));
    if (start.rfind("MThd", 0) != 0)
        return true;
    return start.size() == sizeof head && start.compare(14, 4, "MTrk") == 0;
}

} // namespace

TSdlMedia::TSdlMedia() = default;

TSdlMedia::~TSdlMedia()
{
    Close();
    if (m_closing.joinable())
        m_closing.join();
    else if (m_audioOpen)
        Mix_CloseAudio();
    if (m_audioOpen) {
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
}

// Closing the device waits for the audio thread to drain its buffers (0.1-0.2 s); the rest of the
// program's close need not wait with it.
void TSdlMedia::Release()
{
    Close();
    m_released = true;
    if (m_audioOpen && !m_closing.joinable())
        m_closing = std::thread([] { Mix_CloseAudio(); });
}

// Audio starts with the first file, so a program that never plays opens no device.
bool TSdlMedia::EnsureAudio()
{
    if (m_audioTried)
        return m_audioOpen;
    m_audioTried = true;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return false;
    Mix_Init(MIX_INIT_MID);
    if (Mix_OpenAudio(MIX_DEFAULT_FREQUENCY, MIX_DEFAULT_FORMAT, 2, 2048) != 0) {
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    for (const char* font : kSoundFonts) {
        std::error_code ec;
        if (std::filesystem::is_regular_file(font, ec)) {
            Mix_SetSoundFonts(font);
            break;
        }
    }
    m_audioOpen = true;
    return true;
}

void TSdlMedia::Close()
{
    if (!m_music)
        return;
    Mix_HaltMusic();
    Mix_FreeMusic(m_music);
    m_music = nullptr;
}

bool TSdlMedia::Open(const std::string& path)
{
    Close();
    if (m_released || !EnsureAudio())
        return false;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec) || !LooksPlayable(path))
        return false;
    m_music = Mix_LoadMUS(path.c_str());
    return m_music != nullptr;
}

bool TSdlMedia::Play()
{
    // One pass through the file, no repeat.
    return m_music && Mix_PlayMusic(m_music, 1) == 0;
}

bool TSdlMedia::IsPlaying()
{
    return m_music && Mix_PlayingMusic() != 0;
}

void TSdlMedia::Stop()
{
    if (m_music)
        Mix_HaltMusic();
}

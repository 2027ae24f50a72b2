#pragma once
// The selected game's music or sound sample, played once through the platform's media service.

#include <string>

class TDialogs;
class TGameObject;
class TMedia;

enum class TSoundMode { Music, Samples, None };

class TGameSound
{
public:
    // Either service may be null; nothing then plays or beeps.
    TGameSound(TMedia* media, TDialogs* dialogs);

    // SoundDir + ZipName + ".mid" or ".wav"; a missing file stops what plays and clears the file name.
    void PlayGameSound(const TGameObject* game, const std::string& soundDir, TSoundMode mode);
    // Stops playing; errors of the player are ignored.
    void Stop();
    const std::string& FileName() const { return m_fileName; }

private:
    TMedia* m_media;
    TDialogs* m_dialogs;
    std::string m_fileName;
};

// The file in folder whose name equals name, first exactly, then without regard to ASCII case; empty if none.
std::string FindFileIgnoringCase(const std::string& folder, const std::string& name);

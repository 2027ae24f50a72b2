#include "controllers/GameSound.h"

#include "base/FolderListing.h"
#include "base/PlainFileName.h"
#include "catalogue/GameObject.h"
#include "platform/Dialogs.h"
#include "platform/Media.h"

std::string FindFileIgnoringCase(const std::string& folder, const std::string& name)
{
    // A name is one entry of the folder: separators or an empty name address nothing.
    return FindEntry(folder, name, TEntryKind::File).value_or(std::string());
}

TGameSound::TGameSound(TMedia* media, TDialogs* dialogs) : m_media(media), m_dialogs(dialogs) {}

void TGameSound::PlayGameSound(const TGameObject* game, const std::string& soundDir, TSoundMode mode)
{
    std::string file;
    if (game && mode != TSoundMode::None) {
        // ".." + ".mid" looks like a plain name, so the zip name is checked on its own.
        if (IsPlainFileName(game->ZipName)) {
            file =
                FindFileIgnoringCase(soundDir, game->ZipName + (mode == TSoundMode::Music ? ".mid" : ".wav"));
        }
    }
    if (file.empty()) {
        Stop();
        m_fileName.clear();
        return;
    }
    m_fileName = file;
    if (m_media && !(m_media->Open(file) && m_media->Play()) && m_dialogs) {
        m_dialogs->Beep();
    }
}

void TGameSound::Stop()
{
    if (m_media && m_media->IsPlaying()) {
        m_media->Stop();
    }
}

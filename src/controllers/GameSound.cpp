#include "controllers/GameSound.h"

#include <filesystem>
#include <system_error>

#include "catalogue/GameObject.h"
#include "platform/Dialogs.h"
#include "platform/Media.h"

namespace fs = std::filesystem;

namespace {
bool SameIgnoringCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        auto lower = [](unsigned char c) { return (c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c; };
        if (lower(static_cast<unsigned char>(a[i])) != lower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}
} // namespace

std::string FindFileIgnoringCase(const std::string& folder, const std::string& name)
{
    // A name is one entry of the folder: separators or an empty name address nothing.
    if (name.empty() || name.find('/') != std::string::npos || name.find('\\') != std::string::npos) {
        return {};
    }
    std::error_code error;
    const std::string exact = folder + name;
    if (fs::is_regular_file(exact, error)) {
        return exact;
    }
    const fs::path dir = folder.empty() ? fs::path(".") : fs::path(folder);
    for (fs::directory_iterator it(dir, error), end; !error && it != end; it.increment(error)) {
        if (SameIgnoringCase(it->path().filename().string(), name) && it->is_regular_file(error)) {
            return folder + it->path().filename().string();
        }
    }
    return {};
}

TGameSound::TGameSound(TMedia* media, TDialogs* dialogs) : m_media(media), m_dialogs(dialogs) {}

void TGameSound::PlayGameSound(const TGameObject* game, const std::string& soundDir, TSoundMode mode)
{
    std::string file;
    if (game && mode != TSoundMode::None) {
        file = FindFileIgnoringCase(soundDir, game->ZipName + (mode == TSoundMode::Music ? ".mid" : ".wav"));
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

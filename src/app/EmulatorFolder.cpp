#include "app/EmulatorFolder.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/Startup.h"
#include "base/FileKinds.h"
#include "base/SettingsFile.h"
#include "base/WorkingPaths.h"
#include "platform/FolderLock.h"

namespace fs = std::filesystem;

namespace {

const char* const kRecentFileName = "EmulatorFolders.ini";
const char* const kRecentSection = "Folders";
// Five folder names fit many times over; anything larger is not ours and is not read.
constexpr std::uintmax_t kMaxRecentFileSize = 64 * 1024;
constexpr size_t kMaxFolderLength = 4096;

bool IsDirectory(const std::string& path)
{
    std::error_code ec;
    return fs::is_directory(path, ec);
}

std::string WithSeparator(std::string folder)
{
    if (folder.empty() || folder.back() != kPathSep)
        folder += kPathSep;
    return folder;
}

// Only absolute names of printable bytes: anything else is damage, not a folder we wrote.
bool IsPlausibleFolder(const std::string& folder)
{
    if (folder.empty() || folder.size() > kMaxFolderLength || folder.front() != kPathSep)
        return false;
    return std::none_of(folder.begin(), folder.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; });
}

TMessage InUseMessage(const std::string& folder)
{
    return ErrorMessage("VantorKorb is already running in " + folder + "\r" +
                        "Close it first, or choose another emulator folder.");
}

} // namespace

TRecentFolders::TRecentFolders(std::string configDir) : m_configDir(WithSeparator(std::move(configDir))) {}

std::string TRecentFolders::FilePath() const
{
    return m_configDir + kRecentFileName;
}

void TRecentFolders::Load()
{
    m_folders.clear();
    std::error_code ec;
    const std::string path = FilePath();
    if (!fs::is_regular_file(path, ec) || fs::file_size(path, ec) > kMaxRecentFileSize || ec)
        return;
    try {
        const TSettingsFile file = TSettingsFile::Open(path);
        for (size_t i = 1; i <= kMaxFolders; ++i) {
            const std::string folder = file.ReadString(kRecentSection, std::to_string(i), "");
            if (IsPlausibleFolder(folder) &&
                std::find(m_folders.begin(), m_folders.end(), WithSeparator(folder)) == m_folders.end())
                m_folders.push_back(WithSeparator(folder));
        }
    } catch (const std::exception&) {
        m_folders.clear();
    }
}

bool TRecentFolders::Remember(const std::string& folder)
{
    const std::string entry = WithSeparator(folder);
    if (!IsPlausibleFolder(entry))
        return false;
    m_folders.erase(std::remove(m_folders.begin(), m_folders.end(), entry), m_folders.end());
    m_folders.insert(m_folders.begin(), entry);
    if (m_folders.size() > kMaxFolders)
        m_folders.resize(kMaxFolders);
    std::error_code ec;
    fs::create_directories(m_configDir, ec);
    try {
        TSettingsFile file = TSettingsFile::FromBytes("", FilePath());
        for (size_t i = 0; i < m_folders.size(); ++i)
            file.WriteString(kRecentSection, std::to_string(i + 1), m_folders[i]);
        file.UpdateFile();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

TFolderDecision ChooseEmulatorFolder(const std::string& startFolder,
                                     const std::vector<std::string>& remembered, TDialogs& dialogs)
{
    const std::string start = WithSeparator(startFolder);
    if (IsEmulatorFolder(start))
        return {TFolderSource::StartFolder, start};
    if (!remembered.empty() && IsDirectory(remembered.front()) && IsEmulatorFolder(remembered.front()))
        return {TFolderSource::Remembered, WithSeparator(remembered.front())};
    // A remembered folder on removable media that is gone is no place to open the dialog in.
    const std::string initialDir =
        !remembered.empty() && IsDirectory(remembered.front()) ? WithSeparator(remembered.front()) : start;
    std::string missing = std::string(".") + kPathSep + kEmulatorName;
    if (const auto picked = dialogs.OpenFile(LocateEmulatorRequest(initialDir))) {
        const std::string folder = FolderOf(*picked);
        if (FindEmulator(folder))
            return {TFolderSource::Picked, folder};
        missing = folder + kEmulatorName;
    }
    dialogs.ShowMessage(EmulatorMissingMessage(missing));
    return {};
}

bool EnterFolder(const TFolderDecision& decision, TDialogs& dialogs, TFolderLock* lock)
{
    if (decision.Source == TFolderSource::Cancelled)
        return false;
    if (lock && !lock->Acquire(decision.Folder)) {
        dialogs.ShowMessage(InUseMessage(decision.Folder));
        return false;
    }
    std::error_code ec;
    fs::current_path(decision.Folder, ec);
    if (ec) {
        dialogs.ShowMessage(ErrorMessage("Cannot open folder " + decision.Folder + "\r" + ec.message()));
        return false;
    }
    return true;
}

std::optional<TLoadOutcome> SwitchEmulatorFolder(TStartup& startup, const std::string& folder,
                                                 TDialogs& dialogs, TFolderLock* lock)
{
    const std::string target = WithSeparator(folder);
    if (!IsDirectory(target) || !IsEmulatorFolder(target)) {
        dialogs.ShowMessage(ErrorMessage("No emulator found in " + target));
        return std::nullopt;
    }
    if (lock && !lock->Acquire(target)) {
        dialogs.ShowMessage(InUseMessage(target));
        return std::nullopt;
    }
    // Saved before the move: the emulator's date is read through the old, possibly relative, path.
    startup.SaveSequence();
    // Refused at the last moment, the old folder is loaded again: the window always shows a loaded folder.
    if (!EnterFolder({TFolderSource::Picked, target}, dialogs) && lock)
        lock->Acquire(startup.Paths().AppDir);
    return startup.LoadSequence(true);
}

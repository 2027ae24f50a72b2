#pragma once
// Which emulator folder the program runs in: the start folder, the one used last, or one the user picks;
// and the switch to another one, which drives the start-up sequence.

#include <optional>
#include <string>
#include <vector>

#include "app/EmulatorFiles.h"
#include "platform/Dialogs.h"

class TFolderLock;
class TStartup;
enum class TLoadOutcome;

// The emulator folders used last, most recent first, in one small file of ours inside configDir.
class TRecentFolders
{
public:
    static constexpr size_t kMaxFolders = 5;

    explicit TRecentFolders(std::string configDir);
    // Reads the file. A missing, unreadable or damaged file gives fewer folders, never an error.
    void Load();
    const std::vector<std::string>& Folders() const { return m_folders; }
    // Puts the folder first and rewrites the file atomically; false when it could not be written.
    bool Remember(const std::string& folder);
    std::string FilePath() const;

private:
    std::string m_configDir;
    std::vector<std::string> m_folders;
};

enum class TFolderSource { StartFolder, Remembered, Picked, Cancelled };

struct TFolderDecision
{
    TFolderSource Source = TFolderSource::Cancelled;
    std::string Folder; // with a trailing separator; empty when cancelled
};

// Started in an emulator folder, the program stays there; otherwise it goes to the folder used last if
// that is still an emulator folder, else it asks for the emulator at once. A cancelled question shows the
// missing-emulator message. Nothing is written.
TFolderDecision ChooseEmulatorFolder(const std::string& startFolder,
                                     const std::vector<std::string>& remembered, TDialogs& dialogs);

// Makes the decided folder the working directory, first taking its lock when one is given: a folder that
// another running program works in is refused. Shows why and returns false when it cannot.
bool EnterFolder(const TFolderDecision& decision, TDialogs& dialogs, TFolderLock* lock = nullptr);

// Saves as on close, makes folder the working directory and loads as at start. A folder without the
// emulator or in use by another running program is reported and nothing is saved or loaded (the result
// is then nothing).
std::optional<TLoadOutcome> SwitchEmulatorFolder(TStartup& startup, const std::string& folder,
                                                 TDialogs& dialogs, TFolderLock* lock = nullptr);

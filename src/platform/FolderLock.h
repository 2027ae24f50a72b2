#pragma once
// One program per emulator folder: an advisory lock named after the folder, released by the system when
// the process ends however it ends.

#include <string>

class TFolderLock
{
public:
    // lockDir holds the lock files (a per-user runtime folder); it is created when needed.
    explicit TFolderLock(std::string lockDir);
    ~TFolderLock();
    TFolderLock(const TFolderLock&) = delete;
    TFolderLock& operator=(const TFolderLock&) = delete;

    // Takes the folder's lock and gives up the one held before. False, keeping the old lock, when another
    // holder has it. A lock that cannot be made at all (no lock folder) does not stand in the way: true.
    bool Acquire(const std::string& folder);
    const std::string& Folder() const { return m_folder; }

private:
    std::string m_lockDir;
    std::string m_folder;
    int m_fd = -1;
};

#include "platform/FolderLock.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <filesystem>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// The same folder by another way (a link, a trailing separator) must give the same lock.
std::string Identity(const std::string& folder)
{
    std::error_code ec;
    fs::path canonical = fs::canonical(folder, ec);
    return ec ? fs::absolute(folder, ec).lexically_normal().string() : canonical.string();
}

// FNV-1a: a stable name for any folder, whatever bytes its path holds.
std::string LockName(const std::string& identity)
{
    uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : identity) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    char name[32];
    std::snprintf(name, sizeof name, "folder-%016llx.lock", static_cast<unsigned long long>(hash));
    return name;
}

} // namespace

TFolderLock::TFolderLock(std::string lockDir) : m_lockDir(std::move(lockDir)) {}

TFolderLock::~TFolderLock()
{
    if (m_fd >= 0)
        close(m_fd);
}

bool TFolderLock::Acquire(const std::string& folder)
{
    const std::string identity = Identity(folder);
    if (identity == m_folder)
        return true;
    std::error_code ec;
    fs::create_directories(m_lockDir, ec);
    const int fd =
        open((fs::path(m_lockDir) / LockName(identity)).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd >= 0 && flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool held = errno == EWOULDBLOCK;
        close(fd);
        if (held)
            return false;
        return true; // a file system without locks: carry on unguarded, as before
    }
    if (m_fd >= 0)
        close(m_fd);
    m_fd = fd;
    m_folder = identity;
    return true;
}

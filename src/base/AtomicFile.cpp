#include "base/AtomicFile.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <random>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/FileError.h"

namespace fs = std::filesystem;

namespace {

constexpr size_t kMaxNameLength = 255;
constexpr size_t kTempDigits = 6;

} // namespace

void SyncFolderOf(const std::string& path)
{
    const std::string folder = FolderOf(path);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

namespace {

bool PutInPlace(const std::string& from, const std::string& to, bool replace)
{
    if (replace)
        return std::rename(from.c_str(), to.c_str()) == 0;
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    // File systems without the flag: a second name never replaces anything either.
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    if (::link(from.c_str(), to.c_str()) != 0)
        return false;
    ::unlink(from.c_str());
    return true;
}

} // namespace

bool CopyFileAtomically(const std::string& from, const std::string& to, bool replace, bool syncFolder)
{
    std::FILE* in = std::fopen(from.c_str(), "rb");
    if (!in)
        return false;
    bool ok = false;
    try {
        TAtomicFile out(to);
        char buffer[65536];
        ok = out.Stream() != nullptr;
        for (size_t n; ok && (n = std::fread(buffer, 1, sizeof buffer, in)) > 0;)
            ok = std::fwrite(buffer, 1, n, out.Stream()) == n;
        ok = ok && !std::ferror(in) && out.Commit(replace, syncFolder);
    } catch (const TFileError&) {
        ok = false;
    }
    std::fclose(in);
    return ok;
}

bool FileHoldsExactly(const std::string& path, const std::string& bytes)
{
    // Not blocking: a pipe put at the name has no end to wait for.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info;
    const bool sameSize = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
                          static_cast<uint64_t>(info.st_size) == bytes.size();
    std::string held;
    if (sameSize) {
        // One byte more than expected is asked for: a file that grew meanwhile differs.
        held.resize(bytes.size() + 1);
        size_t got = 0;
        for (ssize_t n; got < held.size() && (n = ::read(fd, held.data() + got, held.size() - got)) > 0;)
            got += static_cast<size_t>(n);
        held.resize(got);
    }
    ::close(fd);
    return sameSize && held == bytes;
}

bool IsTemporaryName(const std::string& name)
{
    size_t digits = 0;
    while (digits < name.size() && digits < kTempDigits && name[name.size() - 1 - digits] >= '0' &&
           name[name.size() - 1 - digits] <= '9')
        ++digits;
    const size_t mark = std::char_traits<char>::length(kTemporaryMark);
    if (digits == 0 || name.size() < digits + mark + 1)
        return false;
    return name.compare(name.size() - digits - mark, mark, kTemporaryMark) == 0;
}

std::string TemporaryStem(const std::string& finalName)
{
    const size_t room = kMaxNameLength - std::char_traits<char>::length(kTemporaryMark) - kTempDigits;
    return finalName.size() > room ? finalName.substr(0, room) : finalName;
}

std::string TemporaryNameFor(const std::string& finalName, unsigned number)
{
    std::string digits = std::to_string(number % 1000000u);
    return TemporaryStem(finalName) + kTemporaryMark + std::string(kTempDigits - digits.size(), '0') + digits;
}

TAtomicFile::TAtomicFile(const std::string& path) : m_target(path)
{
    if (IsLinkLeadingOut(path))
        throw TFileError(LinkLeftAloneText(path));
    // A link that stays in its folder stays a link: the file it points to is the one replaced.
    struct stat info;
    if (::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        std::error_code ec;
        m_target = fs::weakly_canonical(fs::absolute(path), ec).string();
        if (ec)
            return;
    }
    const bool hadMode = ::stat(m_target.c_str(), &info) == 0 && S_ISREG(info.st_mode);
    const std::string folder = FolderOf(m_target);
    const std::string name = m_target.substr(m_target.find_last_of('/') + 1);
    std::random_device seed;
    std::mt19937 random(seed());
    for (int attempt = 0; attempt < 16; ++attempt) {
        m_tempPath = folder + TemporaryNameFor(name, static_cast<unsigned>(random()));
        const int fd = ::open(m_tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            break;
        }
        if (hadMode)
            ::fchmod(fd, info.st_mode & 07777);
        m_stream = ::fdopen(fd, "wb");
        if (!m_stream) {
            ::close(fd);
            ::unlink(m_tempPath.c_str());
        }
        return;
    }
    m_tempPath.clear();
}

TAtomicFile::~TAtomicFile()
{
    if (m_stream) {
        std::fclose(m_stream);
        ::unlink(m_tempPath.c_str());
    }
}

bool TAtomicFile::Commit(bool replace, bool syncFolder)
{
    if (!m_stream)
        return false;
    std::FILE* stream = m_stream;
    m_stream = nullptr;
    bool ok = std::fflush(stream) == 0 && !std::ferror(stream);
    ok = ::fsync(::fileno(stream)) == 0 && ok;
    ok = std::fclose(stream) == 0 && ok;
    // The rename replaces whatever is at the name by then, a link put there meanwhile too, never its target.
    if (!ok || !PutInPlace(m_tempPath, m_target, replace)) {
        ::unlink(m_tempPath.c_str());
        return false;
    }
    if (syncFolder)
        SyncFolderOf(m_target);
    return true;
}

void WriteFileAtomically(const std::string& path, const std::string& bytes, const std::string& failure)
{
    TAtomicFile file(path);
    if (!file.Stream() || std::fwrite(bytes.data(), 1, bytes.size(), file.Stream()) != bytes.size() ||
        !file.Commit())
        throw TFileError(failure);
}

bool IsLeftoverTemporaryName(const std::string& name, const std::string& finalName)
{
    if (!IsTemporaryName(name))
        return false;
    const std::string stem = name.substr(0, name.rfind(kTemporaryMark));
    if (stem.empty())
        return false;
    return finalName.empty() || stem == finalName || stem == TemporaryStem(finalName);
}

void RemoveLeftoverTemporaries(const std::string& folder, const std::string& finalName)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::directory_iterator it(folder.empty() ? fs::path(".") : fs::path(folder), ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        std::error_code statusError;
        if (!it->is_regular_file(statusError) || it->is_symlink(statusError))
            continue;
        if (IsLeftoverTemporaryName(it->path().filename().string(), finalName)) {
            std::error_code removeError;
            fs::remove(it->path(), removeError);
        }
    }
}

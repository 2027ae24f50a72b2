#include "base/FileKinds.h"

#include <filesystem>

#include <sys/stat.h>

#include "base/WorkingPaths.h"

namespace fs = std::filesystem;

std::string FolderOf(const std::string& path)
{
    const size_t sep = path.find_last_of(kPathSep);
    return sep == std::string::npos ? std::string(".") + kPathSep : path.substr(0, sep + 1);
}

bool IsRegularFile(const std::string& path)
{
    struct stat info;
    return !path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool IsLinkLeadingOut(const std::string& path)
{
    struct stat info;
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
        return false;
    std::error_code ec;
    const fs::path folder = fs::weakly_canonical(fs::absolute(FolderOf(path)), ec);
    if (ec)
        return true;
    const fs::path target = fs::weakly_canonical(fs::absolute(path), ec);
    if (ec)
        return true;
    const fs::path inside = target.lexically_relative(folder);
    return inside.empty() || *inside.begin() == "..";
}

std::string LinkLeftAloneText(const std::string& path)
{
    return path + " is a link that leads out of its folder: it was left as it is.";
}

#include "platform/HelpDocuments.h"

#include <filesystem>
#include <system_error>

namespace {

bool IsFile(const std::string& path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

} // namespace

std::string InstalledDocumentFolder()
{
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return {};
    return (program.parent_path().parent_path() / "share" / "doc" / "vantorkorb").string() + "/";
}

std::string HelpDocumentPath(const std::string& appDir, const std::string& name,
                             const std::string& installedFolder)
{
    const std::string own = appDir + name;
    if (IsFile(own) || installedFolder.empty())
        return own;
    const std::string installed = installedFolder + name;
    return IsFile(installed) ? installed : own;
}

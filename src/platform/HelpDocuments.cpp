#include "platform/HelpDocuments.h"
#include "base/FileKinds.h"

#include <filesystem>
#include <system_error>

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
    if (IsRegularFile(own) || installedFolder.empty())
        return own;
    const std::string installed = installedFolder + name;
    return IsRegularFile(installed) ? installed : own;
}

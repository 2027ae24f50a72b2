#include "app/EmulatorFiles.h"

#include <filesystem>

#include "base/FileKinds.h"
#include "base/WorkingPaths.h"
#include "catalogue/FileLocator.h"

namespace fs = std::filesystem;

std::optional<std::string> FindEmulator(const std::string& folder)
{
    TFileLocator locator(TFileLocator::TMode::Direct);
    return locator.FindFile(folder + kEmulatorName);
}

bool IsEmulatorFolder(const std::string& folder)
{
    return FindEmulator(folder).has_value() || IsRegularFile(folder + kMainIniName);
}

TOpenFileRequest LocateEmulatorRequest(const std::string& initialDir)
{
    TOpenFileRequest request;
    request.InitialDir = initialDir;
    request.Title = "Please point to Korb.exe";
    request.Filter = "Korb Executable|korb.exe";
    request.DefaultName = "korb.exe";
    request.DefaultExt = "exe";
    request.MustExist = true;
    return request;
}

TMessage EmulatorMissingMessage(const std::string& path)
{
    return ErrorMessage("File not found: " + path + "\r" + "This file is needed by VantorKorb.",
                        {TMsgButton::Cancel});
}

#pragma once
// The emulator's files in a folder: its name, the main settings file's, and how to find and ask for them.

#include <optional>
#include <string>

#include "platform/Dialogs.h"

inline constexpr const char* kEmulatorName = "korb.exe";
inline constexpr const char* kMainIniName = "Vantorkorb.ini";

// The emulator in the folder (ending in a separator) under the name it has there: "korb.exe" or a name
// that differs only in letter case. Nothing when the folder holds no such regular file.
std::optional<std::string> FindEmulator(const std::string& folder);
// The folder holds the emulator or a main settings file of its own.
bool IsEmulatorFolder(const std::string& folder);
// The open-file dialog that asks for the emulator, opening in the given folder.
TOpenFileRequest LocateEmulatorRequest(const std::string& initialDir);

// The missing-emulator message shown when the locate question is cancelled with nothing found.
TMessage EmulatorMissingMessage(const std::string& path);

#pragma once
// The main window's runner of the launch script, and its failure message.

#include <string>

#include "launch/ExecFile.h"
#include "platform/Dialogs.h"

// The message shown when the launch script could not be started.
TMessage ExecEmuFailMessage();

// Sets execEmu up as the emulator's runner: runs batchPath, waits blocking, normal window and priority,
// no association, and shows ExecEmuFailMessage through dialogs when the start fails. dialogs must outlive
// execEmu's use.
void ConfigureExecEmu(TExecFile& execEmu, TDialogs& dialogs, const std::string& batchPath);

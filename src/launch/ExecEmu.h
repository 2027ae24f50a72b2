#pragma once
// The main window's runner of the launch script, and its failure message.

#include <string>

#include "launch/ExecFile.h"
#include "platform/Dialogs.h"

// The message shown when the launch script could not be started.
TMessage ExecEmuFailMessage();

// The text that says why a run of the launch script failed, when its exit status says that program could
// not be started (126, 127) or ended by a signal (128 + n); empty for every other status.
std::string ScriptFailureText(int status, const std::string& program);
// An error box with that text and an OK button.
TMessage ScriptFailureMessage(const std::string& text);
// ScriptFailureText of the last run of execEmu, empty when its status is unknown or tells nothing wrong.
std::string LastRunFailure(const TExecFile& execEmu, const std::string& program);

// Sets execEmu up as the emulator's runner: runs batchPath, waits blocking, normal window and priority,
// no association, and shows ExecEmuFailMessage through dialogs when the start fails. The script's status
// is learnt through batchPath + ".status". dialogs must outlive execEmu's use.
void ConfigureExecEmu(TExecFile& execEmu, TDialogs& dialogs, const std::string& batchPath);

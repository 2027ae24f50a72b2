#pragma once
// The real platform services of the windowed program, made together and handed out as one record.

#include "platform/Services.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtProcesses.h"
#include "platform/qt/QtShell.h"
#include "platform/qt/SdlMedia.h"

// Needs the QApplication to exist first.
class TQtPlatform
{
public:
    TQtPlatform() { m_shell.SetDialogs(&m_dialogs); }
    TPlatformServices Services() { return {&m_dialogs, &m_shell, &m_processes, &m_media}; }
    TQtProcesses& Processes() { return m_processes; }

private:
    TQtDialogs m_dialogs;
    TQtShell m_shell;
    TQtProcesses m_processes;
    TSdlMedia m_media;
};

#pragma once
// The platform services handed to the main window when it is made.

class TDialogs;
class TShell;
class TProcesses;
class TMedia;

struct TPlatformServices
{
    TDialogs* Dialogs = nullptr;
    TShell* Shell = nullptr;
    TProcesses* Processes = nullptr;
    TMedia* Media = nullptr;
};

#pragma once
// The desktop's default application database: mimeapps.list files and the .desktop entries they name.

#include <functional>
#include <optional>
#include <string>
#include <vector>

struct TXdgDirs
{
    std::string ConfigHome;                // ~/.config
    std::vector<std::string> ConfigDirs;   // /etc/xdg
    std::string DataHome;                  // ~/.local/share
    std::vector<std::string> DataDirs;     // /usr/local/share, /usr/share
    std::vector<std::string> DesktopNames; // XDG_CURRENT_DESKTOP, lower case
};

// From the XDG_* variables, with their documented defaults.
TXdgDirs CurrentXdgDirs();

// The desktop file ids one mimeapps.list (or defaults.list) gives as default for the type, in order.
std::vector<std::string> DefaultApplicationIds(const std::string& listText, const std::string& mimeType);
// The Exec value of a .desktop file's main group, unescaped; nothing for hidden entries or without Exec.
std::optional<std::string> DesktopEntryExec(const std::string& desktopText);
// Exec's words after its quoting rules; a file or address field code becomes "%1", other codes go.
std::vector<std::string> ExecWords(const std::string& exec);

// The Exec value of the default application for one of the types (tried in order), or nothing.
std::optional<std::string> DefaultApplicationExec(const TXdgDirs& dirs,
                                                  const std::vector<std::string>& mimeTypes);

// Turns Exec words into a command text with "%1" for the document, the program found on PATH.
// findProgram gives a program's full path or nothing.
std::string ExecCommandText(const std::vector<std::string>& words,
                            const std::function<std::optional<std::string>(const std::string&)>& findProgram);

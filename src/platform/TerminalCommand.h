#pragma once
// Choosing the terminal emulator that shows a console program, and the words that make it stay until the end.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/Processes.h"

struct TTerminalEnvironment
{
    // DISPLAY and WAYLAND_DISPLAY are set: an X server, a Wayland compositor to open a window on.
    bool HasX11 = false;
    bool HasWayland = false;
    // Full path of an executable found on PATH, or nothing.
    std::function<std::optional<std::string>(const std::string& name)> FindProgram;
    // Where a symbolic link such as x-terminal-emulator finally points; the path itself when it is none.
    std::function<std::string(const std::string& path)> ResolveLink;
};

// The environment of this process: DISPLAY or WAYLAND_DISPLAY, PATH, the file system.
TTerminalEnvironment CurrentTerminalEnvironment();

// The words put before the program's words, or an empty list when the program runs without a terminal
// (hidden show state, no console wanted, or no installed terminal can open in this session: an X-only
// terminal in a Wayland session without DISPLAY ends at once without running anything).
std::vector<std::string> TerminalPrefix(const TProcessStart& start, const TTerminalEnvironment& environment);

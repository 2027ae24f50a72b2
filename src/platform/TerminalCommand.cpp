#include "platform/TerminalCommand.h"

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include <unistd.h>

namespace {

bool Minimized(TShowState show)
{
    return show == TShowState::Minimized || show == TShowState::MinNoActivate;
}

// The options that keep each terminal in the foreground until the command ends.
std::vector<std::string> PrefixFor(const std::string& path, const std::string& kind, TShowState show)
{
    if (kind.find("gnome-terminal") != std::string::npos)
        return {path, "--wait", "--"};
    if (kind.find("konsole") != std::string::npos)
        return {path, "--nofork", "-e"};
    if (kind.find("xfce4-terminal") != std::string::npos)
        return {path, "--disable-server", "-x"};
    if (kind.find("xterm") != std::string::npos && Minimized(show))
        return {path, "-iconic", "-e"};
    return {path, "-e"};
}

std::string BaseName(const std::string& path)
{
    return std::filesystem::path(path).filename().string();
}

} // namespace

TTerminalEnvironment CurrentTerminalEnvironment()
{
    TTerminalEnvironment environment;
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    environment.HasDisplay = (display && *display) || (wayland && *wayland);
    environment.FindProgram = [](const std::string& name) -> std::optional<std::string> {
        const char* path = std::getenv("PATH");
        std::stringstream dirs(path ? path : "");
        std::string dir;
        while (std::getline(dirs, dir, ':')) {
            if (dir.empty())
                continue;
            std::string candidate = dir + "/" + name;
            std::error_code ec;
            if (std::filesystem::is_regular_file(candidate, ec) && access(candidate.c_str(), X_OK) == 0)
                return candidate;
        }
        return std::nullopt;
    };
    environment.ResolveLink = [](const std::string& path) {
        std::error_code ec;
        std::filesystem::path target = std::filesystem::canonical(path, ec);
        return ec ? path : target.string();
    };
    return environment;
}

std::vector<std::string> TerminalPrefix(const TProcessStart& start, const TTerminalEnvironment& environment)
{
    if (!start.OwnConsole || start.Show == TShowState::Hidden || !environment.HasDisplay ||
        !environment.FindProgram)
        return {};
    static const char* const kTerminals[] = {"x-terminal-emulator", "xterm", "konsole", "gnome-terminal",
                                             "xfce4-terminal"};
    for (const char* name : kTerminals) {
        std::optional<std::string> found = environment.FindProgram(name);
        if (!found)
            continue;
        std::string kind = environment.ResolveLink ? BaseName(environment.ResolveLink(*found)) : name;
        // The Debian wrappers behind x-terminal-emulator only know xterm's options: use the terminal itself.
        for (const char* real : {"gnome-terminal", "konsole", "xfce4-terminal"}) {
            if (kind.find(real) == std::string::npos || kind == real)
                continue;
            if (std::optional<std::string> direct = environment.FindProgram(real))
                return PrefixFor(*direct, real, start.Show);
        }
        return PrefixFor(*found, kind, start.Show);
    }
    return {};
}

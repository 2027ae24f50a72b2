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

struct TTerminalKind
{
    const char* Name;
    bool OnWayland;
    // The options that keep the terminal in the foreground until the command ends.
    std::vector<std::string> Options;
};

// In the order they are tried after the Debian alternative, which is the user's own choice.
const std::vector<TTerminalKind>& KnownTerminals()
{
    static const std::vector<TTerminalKind> kinds = {
        {"xterm", false, {"-e"}},
        {"konsole", true, {"--nofork", "-e"}},
        {"gnome-terminal", true, {"--wait", "--"}},
        {"xfce4-terminal", true, {"--disable-server", "-x"}},
        {"foot", true, {}},
        {"kitty", true, {}},
        {"alacritty", true, {"-e"}},
    };
    return kinds;
}

std::string BaseName(const std::string& path)
{
    return std::filesystem::path(path).filename().string();
}

// "gnome-terminal.wrapper" is a kind of gnome-terminal; "lxterminal" is no xterm.
const TTerminalKind* KindOf(const std::string& baseName, bool* isWrapper)
{
    for (const TTerminalKind& kind : KnownTerminals()) {
        const std::string name = kind.Name;
        if (baseName == name || baseName.rfind(name + ".", 0) == 0) {
            *isWrapper = baseName != name;
            return &kind;
        }
    }
    return nullptr;
}

std::vector<std::string> PrefixFor(const std::string& path, const TTerminalKind* kind, TShowState show)
{
    std::vector<std::string> words = {path};
    if (kind && std::string(kind->Name) == "xterm" && Minimized(show))
        words.push_back("-iconic");
    // An unknown terminal behind x-terminal-emulator still takes the option every alternative must know.
    const std::vector<std::string> options = kind ? kind->Options : std::vector<std::string>{"-e"};
    words.insert(words.end(), options.begin(), options.end());
    return words;
}

} // namespace

TTerminalEnvironment CurrentTerminalEnvironment()
{
    TTerminalEnvironment environment;
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    environment.HasX11 = display && *display;
    environment.HasWayland = wayland && *wayland;
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
    if (!start.OwnConsole || start.Show == TShowState::Hidden || !environment.FindProgram)
        return {};
    // X-only terminals also open under XWayland, which sets DISPLAY.
    auto opens = [&environment](const TTerminalKind* kind) {
        return environment.HasX11 || (environment.HasWayland && kind && kind->OnWayland);
    };
    std::vector<std::string> names = {"x-terminal-emulator"};
    for (const TTerminalKind& kind : KnownTerminals())
        names.push_back(kind.Name);
    for (const std::string& name : names) {
        std::optional<std::string> found = environment.FindProgram(name);
        if (!found)
            continue;
        bool isWrapper = false;
        const std::string base = environment.ResolveLink ? BaseName(environment.ResolveLink(*found)) : name;
        const TTerminalKind* kind = KindOf(base, &isWrapper);
        if (!opens(kind))
            continue;
        // The Debian wrappers behind x-terminal-emulator only know xterm's options: use the terminal itself.
        if (isWrapper) {
            if (std::optional<std::string> direct = environment.FindProgram(kind->Name))
                return PrefixFor(*direct, kind, start.Show);
            return {*found, "-e"};
        }
        return PrefixFor(*found, kind, start.Show);
    }
    return {};
}

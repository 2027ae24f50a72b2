#include "platform/TerminalCommand.h"

#include <map>

#include <gtest/gtest.h>

namespace {

// A desktop with the given programs installed: name -> where its link finally points.
TTerminalEnvironment Desktop(std::map<std::string, std::string> installed, bool x11 = true,
                             bool wayland = false)
{
    TTerminalEnvironment environment;
    environment.HasX11 = x11;
    environment.HasWayland = wayland;
    environment.FindProgram = [installed](const std::string& name) -> std::optional<std::string> {
        if (installed.count(name) == 0)
            return std::nullopt;
        return "/usr/bin/" + name;
    };
    environment.ResolveLink = [installed](const std::string& path) {
        std::string name = path.substr(path.rfind('/') + 1);
        auto found = installed.find(name);
        return found == installed.end() || found->second.empty() ? path : found->second;
    };
    return environment;
}

TProcessStart Start(TShowState show = TShowState::Normal)
{
    TProcessStart start;
    start.Program = "/emu/batch.sh";
    start.Show = show;
    return start;
}

using TWords = std::vector<std::string>;

} // namespace

TEST(TerminalPrefix, NoTerminalWhenHiddenWithoutDisplayOrWithoutConsole)
{
    const TTerminalEnvironment desktop = Desktop({{"xterm", ""}});
    EXPECT_TRUE(TerminalPrefix(Start(TShowState::Hidden), desktop).empty());
    EXPECT_TRUE(TerminalPrefix(Start(), Desktop({{"xterm", ""}}, false)).empty());
    TProcessStart noConsole = Start();
    noConsole.OwnConsole = false;
    EXPECT_TRUE(TerminalPrefix(noConsole, desktop).empty());
    EXPECT_TRUE(TerminalPrefix(Start(), Desktop({})).empty());
}

TEST(TerminalPrefix, EachTerminalStaysInTheForeground)
{
    EXPECT_EQ(TerminalPrefix(Start(), Desktop({{"xterm", ""}})), (TWords{"/usr/bin/xterm", "-e"}));
    EXPECT_EQ(TerminalPrefix(Start(), Desktop({{"konsole", ""}})),
              (TWords{"/usr/bin/konsole", "--nofork", "-e"}));
    EXPECT_EQ(TerminalPrefix(Start(), Desktop({{"gnome-terminal", ""}})),
              (TWords{"/usr/bin/gnome-terminal", "--wait", "--"}));
    EXPECT_EQ(TerminalPrefix(Start(), Desktop({{"xfce4-terminal", ""}})),
              (TWords{"/usr/bin/xfce4-terminal", "--disable-server", "-x"}));
}

TEST(TerminalPrefix, TheDebianAlternativeComesFirstAndIsSeenThrough)
{
    EXPECT_EQ(TerminalPrefix(Start(), Desktop({{"x-terminal-emulator", "/usr/bin/xterm"}, {"konsole", ""}})),
              (TWords{"/usr/bin/x-terminal-emulator", "-e"}));
    EXPECT_EQ(TerminalPrefix(Start(), Desktop({{"x-terminal-emulator", "/usr/bin/gnome-terminal.wrapper"},
                                               {"gnome-terminal", ""}})),
              (TWords{"/usr/bin/gnome-terminal", "--wait", "--"}));
    EXPECT_EQ(TerminalPrefix(Start(), Desktop({{"x-terminal-emulator", "/usr/bin/lxterminal"}})),
              (TWords{"/usr/bin/x-terminal-emulator", "-e"}));
}

TEST(TerminalPrefix, XtermStartsIconifiedWhenMinimised)
{
    EXPECT_EQ(TerminalPrefix(Start(TShowState::MinNoActivate), Desktop({{"xterm", ""}})),
              (TWords{"/usr/bin/xterm", "-iconic", "-e"}));
}

TEST(TerminalPrefix, OnlyATerminalThatCanOpenInTheSession)
{
    struct TCase
    {
        bool X11;
        bool Wayland;
        std::map<std::string, std::string> Installed;
        TWords Expected;
    };
    const std::vector<TCase> cases = {
        {false, true, {{"xterm", ""}}, {}},
        {false, true, {{"x-terminal-emulator", "/usr/bin/xterm"}}, {}},
        {false, true, {{"x-terminal-emulator", "/usr/bin/lxterminal"}}, {}},
        {false, true, {{"xterm", ""}, {"foot", ""}}, {"/usr/bin/foot"}},
        {false, true, {{"x-terminal-emulator", "/usr/bin/xterm"}, {"kitty", ""}}, {"/usr/bin/kitty"}},
        {false, true, {{"alacritty", ""}}, {"/usr/bin/alacritty", "-e"}},
        {false, true, {{"konsole", ""}}, {"/usr/bin/konsole", "--nofork", "-e"}},
        {false,
         true,
         {{"x-terminal-emulator", "/etc/alternatives/../../usr/bin/gnome-terminal.wrapper"},
          {"gnome-terminal", ""}},
         {"/usr/bin/gnome-terminal", "--wait", "--"}},
        {true, true, {{"xterm", ""}, {"foot", ""}}, {"/usr/bin/xterm", "-e"}},
        {true,
         false,
         {{"x-terminal-emulator", "/usr/bin/lxterminal"}},
         {"/usr/bin/x-terminal-emulator", "-e"}},
        {false, false, {{"foot", ""}}, {}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.X11) + std::to_string(c.Wayland) + " " + c.Installed.begin()->first);
        EXPECT_EQ(TerminalPrefix(Start(), Desktop(c.Installed, c.X11, c.Wayland)), c.Expected);
    }
}

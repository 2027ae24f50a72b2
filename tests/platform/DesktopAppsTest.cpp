#include "platform/DesktopApps.h"

#include <gtest/gtest.h>

#include "support/TempDir.h"

using TWords = std::vector<std::string>;

TEST(DesktopFiles, DefaultsAreReadFromTheirGroupOnly)
{
    const std::string list = "[Added Associations]\ntext/plain=other.desktop;\n"
                             "[Default Applications]\n# comment\ntext/plain = gedit.desktop;kate.desktop;\n"
                             "text/html=firefox.desktop\n";
    EXPECT_EQ(DefaultApplicationIds(list, "text/plain"), (TWords{"gedit.desktop", "kate.desktop"}));
    EXPECT_EQ(DefaultApplicationIds(list, "text/html"), TWords{"firefox.desktop"});
    EXPECT_TRUE(DefaultApplicationIds(list, "image/png").empty());
    EXPECT_TRUE(DefaultApplicationIds(std::string("\0\xff[", 3), "text/plain").empty());
}

TEST(DesktopFiles, ExecComesFromTheMainGroupAndHiddenEntriesDoNotCount)
{
    EXPECT_EQ(DesktopEntryExec("[Desktop Entry]\nName=Ed\nExec=ed %f\n[Desktop Action new]\nExec=ed --new\n"),
              "ed %f");
    EXPECT_EQ(DesktopEntryExec("[Desktop Action x]\nExec=ed\n"), std::nullopt);
    EXPECT_EQ(DesktopEntryExec("[Desktop Entry]\nExec=ed\nHidden=true\n"), std::nullopt);
    EXPECT_EQ(DesktopEntryExec("[Desktop Entry]\nExec=my\\sprog\n"), "my prog");
}

TEST(DesktopFiles, ExecWordsFollowTheQuotingAndFieldCodeRules)
{
    EXPECT_EQ(ExecWords("firefox %u"), (TWords{"firefox", "%1"}));
    EXPECT_EQ(ExecWords("\"/opt/my app/run\" --name=%c %i -x %F"),
              (TWords{"/opt/my app/run", "--name=", "-x", "%1"}));
    EXPECT_EQ(ExecWords("\"a \\\"b\\\"\" 100%%"), (TWords{"a \"b\"", "100%"}));
    EXPECT_EQ(ExecWords("app --url=%u"), (TWords{"app", "--url=%1"}));
}

TEST(DesktopFiles, CommandTextHasTheFullProgramAndAPlaceForTheDocument)
{
    auto find = [](const std::string& name) -> std::optional<std::string> { return "/usr/bin/" + name; };
    EXPECT_EQ(ExecCommandText({"firefox", "%1"}, find), "/usr/bin/firefox %1");
    EXPECT_EQ(ExecCommandText({"viewer"}, find), "/usr/bin/viewer %1");
    EXPECT_EQ(ExecCommandText({"/opt/my app/run", "-x"}, find), "\"/opt/my app/run\" -x %1");
    EXPECT_EQ(ExecCommandText({}, find), "");
}

TEST(DesktopDatabase, TheUsersChoiceWinsAndMissingEntriesAreSkipped)
{
    TTempDir dir;
    TXdgDirs dirs;
    dirs.ConfigHome = dir.Dir() + "config";
    dirs.DataHome = dir.Dir() + "home-data";
    dirs.DataDirs = {dir.Dir() + "system"};
    dir.WriteFile("config/mimeapps.list", "[Default Applications]\ntext/plain=gone.desktop;mine.desktop;\n");
    dir.WriteFile("system/applications/mimeapps.list",
                  "[Default Applications]\ntext/plain=sys.desktop\ntext/html=vendor-web.desktop\n");
    dir.WriteFile("home-data/applications/mine.desktop", "[Desktop Entry]\nExec=mine %f\n");
    dir.WriteFile("system/applications/sys.desktop", "[Desktop Entry]\nExec=sys %f\n");
    dir.WriteFile("system/applications/vendor/web.desktop", "[Desktop Entry]\nExec=web %u\n");
    EXPECT_EQ(DefaultApplicationExec(dirs, {"text/plain"}), "mine %f");
    EXPECT_EQ(DefaultApplicationExec(dirs, {"image/png", "text/html"}), "web %u");
    EXPECT_EQ(DefaultApplicationExec(dirs, {"image/png"}), std::nullopt);
}

TEST(DesktopDatabase, DesktopSpecificListsComeFirst)
{
    TTempDir dir;
    TXdgDirs dirs;
    dirs.ConfigHome = dir.Dir() + "config";
    dirs.DataHome = dir.Dir() + "data";
    dirs.DesktopNames = {"kde"};
    dir.WriteFile("config/mimeapps.list", "[Default Applications]\ntext/plain=a.desktop\n");
    dir.WriteFile("config/kde-mimeapps.list", "[Default Applications]\ntext/plain=b.desktop\n");
    dir.WriteFile("data/applications/a.desktop", "[Desktop Entry]\nExec=a\n");
    dir.WriteFile("data/applications/b.desktop", "[Desktop Entry]\nExec=b\n");
    EXPECT_EQ(DefaultApplicationExec(dirs, {"text/plain"}), "b");
}

TEST(DesktopDatabase, AnIdCannotLeaveTheApplicationsFolder)
{
    TTempDir dir;
    TXdgDirs dirs;
    dirs.ConfigHome = dir.Dir() + "config";
    dirs.DataHome = dir.Dir() + "data";
    dir.WriteFile("config/mimeapps.list", "[Default Applications]\ntext/plain=../evil.desktop\n");
    dir.WriteFile("data/evil.desktop", "[Desktop Entry]\nExec=evil\n");
    EXPECT_EQ(DefaultApplicationExec(dirs, {"text/plain"}), std::nullopt);
}

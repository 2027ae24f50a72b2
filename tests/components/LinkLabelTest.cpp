// The link label: colours under the pointer and the button, opening its address, copying it, pointers.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QEnterEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include "base/CommandText.h"
#include "components/LinkLabel.h"
#include "support/FakeShell.h"
#include "support/TempDir.h"

namespace {

const std::vector<std::string> kAllExtensions{".html", ".htm", ".shtml", ".shtm"};

class TLinkLabelTest : public ::testing::Test
{
protected:
    TLinkLabelTest() : Label(&Shell)
    {
        Label.setText("Someone");
        Label.SetUrl("mailto:someone@example.org");
        Label.resize(80, 16);
        Label.show();
    }

    QColor Shown() const { return Label.palette().color(QPalette::WindowText); }

    void Enter()
    {
        QEnterEvent event(QPointF(5, 5), Label.mapToGlobal(QPointF(5, 5)), Label.mapToGlobal(QPointF(5, 5)));
        QApplication::sendEvent(&Label, &event);
    }
    void Leave()
    {
        QEvent event(QEvent::Leave);
        QApplication::sendEvent(&Label, &event);
    }
    void Mouse(QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held, QPoint at)
    {
        QMouseEvent event(type, QPointF(at), Label.mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
        QApplication::sendEvent(&Label, &event);
    }
    void Press(Qt::MouseButton button, QPoint at = {5, 5})
    {
        Mouse(QEvent::MouseButtonPress, button, button, at);
    }
    void Release(Qt::MouseButton button, QPoint at = {5, 5})
    {
        Mouse(QEvent::MouseButtonRelease, button, Qt::NoButton, at);
    }
    void DragTo(QPoint at) { Mouse(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, at); }
    void OpenContextMenu()
    {
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), Label.mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(&Label, &event);
    }

    TFakeShell Shell;
    TLinkLabel Label;
};

TEST_F(TLinkLabelTest, NewLabelHasThePublishedDefaults)
{
    TFakeShell shell;
    TLinkLabel fresh(&shell);
    EXPECT_EQ(fresh.ColorMouseOver(), QColor(Qt::red));
    EXPECT_EQ(fresh.ColorActive(), QColor(0x80, 0x00, 0x80));
    EXPECT_EQ(fresh.Url(), QString(kProjectHomepage));
    EXPECT_EQ(fresh.CursorMouseOver(), TCustomCursor::crMozilla);
    EXPECT_EQ(fresh.PopupString(), "Copy Link Location");
    EXPECT_TRUE(fresh.font().underline());
    EXPECT_EQ(fresh.palette().color(QPalette::WindowText), QColor(Qt::blue));
    ASSERT_EQ(fresh.PopupMenu()->actions().size(), 1);
    EXPECT_EQ(fresh.PopupMenu()->actions().front()->objectName(), "MenuItem");
    EXPECT_EQ(fresh.PopupMenu()->actions().front()->text(), "Copy Link Location");
    // The properties are reachable by name, as any published setting.
    EXPECT_EQ(fresh.property("Url").toString(), fresh.Url());
    EXPECT_EQ(fresh.property("PopupString").toString(), "Copy Link Location");
}

TEST_F(TLinkLabelTest, ColourFollowsPointerAndLeftButton)
{
    Enter();
    EXPECT_TRUE(Label.IsOver());
    EXPECT_EQ(Shown(), QColor(Qt::red));
    Press(Qt::LeftButton);
    EXPECT_TRUE(Label.IsPressed());
    EXPECT_EQ(Shown(), QColor(0x80, 0x00, 0x80));
    // Off the label with the button held: blue; back on it: purple again.
    DragTo({200, 5});
    EXPECT_FALSE(Label.IsOver());
    EXPECT_EQ(Shown(), QColor(Qt::blue));
    DragTo({6, 6});
    EXPECT_EQ(Shown(), QColor(0x80, 0x00, 0x80));
    Release(Qt::LeftButton);
    EXPECT_FALSE(Label.IsPressed());
    EXPECT_EQ(Shown(), QColor(Qt::red));
    Leave();
    EXPECT_EQ(Shown(), QColor(Qt::blue));
}

TEST_F(TLinkLabelTest, ChangedColoursAreTheOnesShown)
{
    Label.SetColorMouseOver(QColor(0, 128, 0));
    Label.SetColorActive(QColor(10, 20, 30));
    Enter();
    EXPECT_EQ(Shown(), QColor(0, 128, 0));
    Press(Qt::LeftButton);
    EXPECT_EQ(Shown(), QColor(10, 20, 30));
}

TEST_F(TLinkLabelTest, LeftClickOnTheLabelOpensTheAddressOnce)
{
    QSignalSpy clicks(&Label, &TLinkLabel::OnClick);
    QSignalSpy downs(&Label, &TLinkLabel::OnMouseDown);
    QSignalSpy ups(&Label, &TLinkLabel::OnMouseUp);
    Enter();
    Press(Qt::LeftButton);
    Release(Qt::LeftButton);
    // No browser registered: the shell gets the address, after all four extensions were asked.
    EXPECT_EQ(Shell.BrowserLookups, kAllExtensions);
    EXPECT_EQ(Shell.Opened, std::vector<std::string>{"mailto:someone@example.org"});
    EXPECT_TRUE(Shell.Runs.empty());
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(downs.count(), 1);
    EXPECT_EQ(ups.count(), 1);
}

TEST_F(TLinkLabelTest, ReleasingOffTheLabelOrWithAnotherButtonOpensNothing)
{
    QSignalSpy clicks(&Label, &TLinkLabel::OnClick);
    Enter();
    Press(Qt::LeftButton);
    DragTo({200, 5});
    Release(Qt::LeftButton, {200, 5});
    EXPECT_FALSE(Label.IsPressed());
    EXPECT_EQ(Shown(), QColor(Qt::blue));

    Press(Qt::MiddleButton);
    // Any button marks the pointer as over, only the left one as pressed.
    EXPECT_TRUE(Label.IsOver());
    EXPECT_FALSE(Label.IsPressed());
    EXPECT_EQ(Shown(), QColor(Qt::red));
    Release(Qt::MiddleButton);

    EXPECT_TRUE(Shell.Opened.empty());
    EXPECT_TRUE(Shell.Runs.empty());
    EXPECT_EQ(clicks.count(), 0);
}

TEST_F(TLinkLabelTest, ContextMenuShowsBlueAndCopiesTheAddressWithoutOpening)
{
    Enter();
    Press(Qt::LeftButton);
    OpenContextMenu();
    QMenu* menu = Label.PopupMenu();
    EXPECT_TRUE(menu->isVisible());
    EXPECT_FALSE(Label.IsOver());
    EXPECT_FALSE(Label.IsPressed());
    EXPECT_EQ(Shown(), QColor(Qt::blue));
    ASSERT_EQ(menu->actions().size(), 1);
    EXPECT_EQ(menu->actions().front()->text(), "Copy Link Location");

    QApplication::clipboard()->setText("something else");
    menu->actions().front()->trigger();
    menu->close();
    EXPECT_EQ(QApplication::clipboard()->text(), "mailto:someone@example.org");
    EXPECT_TRUE(Shell.Opened.empty());
    EXPECT_TRUE(Shell.Runs.empty());
}

TEST_F(TLinkLabelTest, ChangingPopupStringRenamesTheItem)
{
    Label.SetPopupString("Copy Address");
    ASSERT_EQ(Label.PopupMenu()->actions().size(), 1);
    EXPECT_EQ(Label.PopupMenu()->actions().front()->text(), "Copy Address");
    EXPECT_EQ(Label.PopupString(), "Copy Address");
}

TEST_F(TLinkLabelTest, EmptyAddressOpensNothing)
{
    Label.SetUrl({});
    Label.OpenUrl();
    EXPECT_TRUE(Shell.Opened.empty());
    EXPECT_TRUE(Shell.Runs.empty());
}

// How a registered web-page command decides between running the browser and the shell.
struct TBrowserCase
{
    const char* Name;
    const char* Extension;
    std::string (*Command)(const std::string& program, const std::string& folder);
    bool RunsProgram;
};

const TBrowserCase kBrowserCases[] = {
    {"bare program with the document field", ".htm",
     [](const std::string& p, const std::string&) { return p + " %1"; }, true},
    {"bare program with no field", ".html", [](const std::string& p, const std::string&) { return p; }, true},
    {"field glued to the path", ".shtm", [](const std::string& p, const std::string&) { return p + "%1"; },
     true},
    {"quoted program", ".html", [](const std::string& p, const std::string&) { return "\"" + p + "\" %1"; },
     false},
    {"program with an option", ".html",
     [](const std::string& p, const std::string&) { return p + " --new-window %1"; }, false},
    {"missing program", ".html",
     [](const std::string&, const std::string& d) { return d + "no-such-browser %1"; }, false},
    {"a folder", ".html", [](const std::string&, const std::string& d) { return d + " %1"; }, false},
};

TEST(TLinkLabelBrowser, RegisteredCommandsRunTheBrowserOnlyWhenTheyNameAFile)
{
    for (const TBrowserCase& test : kBrowserCases) {
        SCOPED_TRACE(test.Name);
        TTempDir dir;
        const std::string program = dir.WriteFile("web browser/run", "#!/bin/sh\n");
        TFakeShell shell;
        shell.BrowserCommands[test.Extension] = test.Command(program, dir.Dir());
        TLinkLabel label(&shell);
        label.SetUrl("mailto:a@example.org?subject=Hello \"you\" there");
        label.OpenUrl();
        if (test.RunsProgram) {
            ASSERT_EQ(shell.Runs.size(), 1u);
            EXPECT_EQ(shell.Runs[0].first, program);
            // The address reaches the browser as one word, blanks and quotes included.
            EXPECT_EQ(SplitCommandText(shell.Runs[0].second),
                      std::vector<std::string>{"mailto:a@example.org?subject=Hello \"you\" there"});
            EXPECT_TRUE(shell.Opened.empty());
        } else {
            EXPECT_TRUE(shell.Runs.empty());
            EXPECT_EQ(shell.Opened,
                      std::vector<std::string>{"mailto:a@example.org?subject=Hello \"you\" there"});
        }
    }
}

TEST(TLinkLabelBrowser, AnEmptyAddressOpensNothing)
{
    TFakeShell shell;
    TLinkLabel label(&shell);
    label.SetUrl("");
    label.OpenUrl();
    EXPECT_TRUE(shell.BrowserLookups.empty());
    EXPECT_TRUE(shell.Runs.empty());
    EXPECT_TRUE(shell.Opened.empty());
}

TEST(TLinkLabelBrowser, SearchStopsAtTheFirstExtensionWithACommand)
{
    TTempDir dir;
    const std::string first = dir.WriteFile("first", "");
    const std::string second = dir.WriteFile("second", "");
    TFakeShell shell;
    shell.BrowserCommands[".htm"] = first + " %1";
    shell.BrowserCommands[".shtml"] = second + " %1";
    TLinkLabel label(&shell);
    label.SetUrl("https://example.org/");
    label.OpenUrl();
    EXPECT_EQ(shell.BrowserLookups, (std::vector<std::string>{".html", ".htm"}));
    ASSERT_EQ(shell.Runs.size(), 1u);
    EXPECT_EQ(shell.Runs[0].first, first);
    EXPECT_EQ(SplitCommandText(shell.Runs[0].second), std::vector<std::string>{label.Url().toStdString()});
}

TEST(TLinkLabelBrowser, BrowserThatCannotStartLeavesTheAddressToTheShell)
{
    TTempDir dir;
    const std::string program = dir.WriteFile("browser", "");
    TFakeShell shell;
    shell.BrowserCommands[".html"] = program + " %1";
    shell.RunResult = false;
    TLinkLabel label(&shell);
    label.SetUrl("https://example.org/");
    label.OpenUrl();
    EXPECT_EQ(shell.Runs.size(), 1u);
    EXPECT_EQ(shell.Opened, std::vector<std::string>{"https://example.org/"});
}

TEST(TLinkLabelCursor, AllLabelsShowThePointerChosenLast)
{
    const QImage mozilla = CustomCursorShape(TCustomCursor::crMozilla).pixmap().toImage();
    const QImage msie = CustomCursorShape(TCustomCursor::crMSIE).pixmap().toImage();
    const QImage help = CustomCursorShape(TCustomCursor::crHandHelp).pixmap().toImage();
    ASSERT_FALSE(mozilla.isNull());
    ASSERT_NE(mozilla, msie);
    ASSERT_NE(msie, help);

    TFakeShell shell;
    TLinkLabel first(&shell);
    first.SetCursorMouseOver(TCustomCursor::crMozilla);
    EXPECT_EQ(first.cursor().pixmap().toImage(), mozilla);
    TLinkLabel second(&shell);
    second.SetCursorMouseOver(TCustomCursor::crMSIE);
    EXPECT_EQ(first.cursor().pixmap().toImage(), msie);
    EXPECT_EQ(second.cursor().pixmap().toImage(), msie);
    EXPECT_EQ(first.CursorMouseOver(), TCustomCursor::crMozilla);

    // The ordinary pointer leaves the shared slot: later choices no longer change it.
    first.SetCursorMouseOver(TCustomCursor::crDefaultCursor);
    EXPECT_EQ(first.cursor().shape(), Qt::ArrowCursor);
    second.SetCursorMouseOver(TCustomCursor::crHandHelp);
    EXPECT_EQ(first.cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(second.cursor().pixmap().toImage(), help);
}

} // namespace

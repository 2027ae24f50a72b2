#include <filesystem>
#include <thread>

#include <fstream>

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTimer>

#include <gtest/gtest.h>

#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtProcesses.h"
#include "platform/qt/QtShell.h"
#include "platform/qt/QtText.h"
#include "support/TempDir.h"

namespace {

// What the message box looked like when it was answered.
struct TSeenBox
{
    QString Title;
    QString Text;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
    QStringList Buttons;
};

// Answers the next modal message box by clicking the button with the given text.
void AnswerNextBox(const QString& buttonText, TSeenBox& seen)
{
    QTimer::singleShot(0, [buttonText, &seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            AnswerNextBox(buttonText, seen);
            return;
        }
        seen.Title = box->windowTitle();
        seen.Text = box->text();
        seen.Icon = box->icon();
        for (QAbstractButton* button : box->buttons()) {
            seen.Buttons << button->text().remove('&');
            if (button->text().remove('&') == buttonText)
                button->click();
        }
    });
}

} // namespace

TEST(QtDialogs, AMessageBoxHasTheCaptionIconButtonsAndLineBreaks)
{
    TQtDialogs dialogs;
    TSeenBox seen;
    AnswerNextBox("No", seen);
    TMessage message;
    message.Caption = "Error";
    message.Text = "Errors found when running Korb\rDo you want to see Korb output?";
    message.Icon = TMsgIcon::Error;
    message.Buttons = {TMsgButton::Yes, TMsgButton::No};
    EXPECT_EQ(dialogs.ShowMessage(message), TMsgButton::No);
    EXPECT_EQ(seen.Title, "Error");
    EXPECT_EQ(seen.Text, "Errors found when running Korb\nDo you want to see Korb output?");
    EXPECT_EQ(seen.Icon, QMessageBox::Critical);
    seen.Buttons.sort();
    EXPECT_EQ(seen.Buttons, (QStringList{"No", "Yes"}));
}

TEST(QtDialogs, ASingleCancelButtonAnswersCancel)
{
    TQtDialogs dialogs;
    TSeenBox seen;
    AnswerNextBox("Cancel", seen);
    TMessage message;
    message.Caption = "Error";
    message.Text = "a\r\nb";
    message.Icon = TMsgIcon::Error;
    message.Buttons = {TMsgButton::Cancel};
    EXPECT_EQ(dialogs.ShowMessage(message), TMsgButton::Cancel);
    EXPECT_EQ(seen.Buttons, QStringList{"Cancel"});
    EXPECT_EQ(seen.Text, "a\nb");
}

TEST(QtDialogs, TheErrorBoxHasItsCaptionIconAndOneOkButton)
{
    TQtDialogs dialogs;
    TSeenBox seen;
    AnswerNextBox(QStringLiteral("OK"), seen);
    ShowError(dialogs, "Cannot create file x\rTry again");
    EXPECT_EQ(seen.Title, "Error");
    EXPECT_EQ(seen.Icon, QMessageBox::Critical);
    EXPECT_EQ(seen.Buttons, QStringList{QStringLiteral("OK")});
    EXPECT_EQ(seen.Text, "Cannot create file x\nTry again");
}

// The colour dialog starts from the colour the list shows for the same stored value.
TEST(QtDialogs, TheColourDialogStartsFromTheShownColour)
{
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::Active, QPalette::Button, QColor(10, 20, 30));
    palette.setColor(QPalette::Active, QPalette::Base, QColor(40, 50, 60));
    QApplication::setPalette(palette);
    TQtDialogs dialogs;
    for (uint32_t stored : {0x8000000Fu, 0x80000005u, 0x00030201u}) {
        QColor offered;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
            if (dialog) {
                offered = dialog->currentColor();
                dialog->reject();
            }
        });
        EXPECT_EQ(dialogs.ChooseColour(stored), std::nullopt);
        EXPECT_EQ(offered, ColourFromStored(stored, palette)) << std::hex << stored;
    }
    EXPECT_EQ(ColourFromStored(0x8000000F, palette), QColor(10, 20, 30));
    QApplication::setPalette(QPalette());
}

TEST(QtText, Utf8WhenValidOtherwiseWindows1252)
{
    EXPECT_EQ(TextFromBytes("caf\xc3\xa9"), QString::fromUtf8("caf\xc3\xa9"));
    EXPECT_EQ(TextFromBytes("caf\xe9 \x80"), QString::fromUtf16(u"caf\u00e9 \u20ac"));
    EXPECT_EQ(TextFromBytes(std::string("a\0b", 3)).size(), 3);
}

TEST(QtProcesses, PendingEventsRunAndAQuitIsReported)
{
    TQtProcesses processes;
    bool ran = false;
    QTimer::singleShot(0, [&] { ran = true; });
    EXPECT_TRUE(processes.ProcessPendingEvents());
    EXPECT_TRUE(ran);

    // The application is told to quit while a polling wait is in progress.
    int rounds = 0;
    bool quitSeen = false;
    QTimer::singleShot(0, [&] {
        QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
        while (rounds < 100000 && !quitSeen) {
            quitSeen = !processes.ProcessPendingEvents();
            ++rounds;
        }
    });
    QCoreApplication::exec();
    EXPECT_TRUE(quitSeen);
    EXPECT_FALSE(processes.ProcessPendingEvents());
}

namespace {

// Counts the keyboard and mouse events that reach it.
class TInputCounter : public QWidget
{
public:
    int Inputs = 0;

protected:
    bool event(QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
            ++Inputs;
            return true;
        default:
            return QWidget::event(event);
        }
    }
};

void PostInput(QWidget& target)
{
    QCoreApplication::postEvent(&target, new QKeyEvent(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier));
    const QPointF at(5, 5);
    QCoreApplication::postEvent(&target, new QMouseEvent(QEvent::MouseButtonDblClick, at, at, Qt::LeftButton,
                                                         Qt::LeftButton, Qt::NoModifier));
}

} // namespace

TEST(QtProcesses, AQuietWaitKeepsTheLoopRunningAndDropsInput)
{
    TTempDir dir;
    const std::string go = dir.Dir() + "go";
    // The child waits up to three seconds for the file the test's timer makes during the wait.
    const std::string script =
        dir.WriteFile("wait.sh", "#!/bin/sh\nn=0\nwhile [ ! -e \"$1\" ] && [ $n -lt 300 ]; do sleep 0.01; "
                                 "n=$((n+1)); done\n[ -e \"$1\" ] && echo seen > \"$1.seen\"\n");
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    TInputCounter target;
    target.show();
    TQtProcesses processes;
    TProcessStart start;
    start.Program = script;
    start.Arguments = {go};
    start.Show = TShowState::Hidden;
    TStartResult result = processes.Start(start);
    ASSERT_TRUE(result.Process);
    PostInput(target); // queued before the wait: dropped too
    QTimer::singleShot(50, [&] {
        PostInput(target);
        std::ofstream(go).put('x');
    });
    processes.WaitWithoutInput(*result.Process);
    EXPECT_TRUE(result.Process->HasEnded());
    QCoreApplication::processEvents();
    EXPECT_EQ(target.Inputs, 0);
    EXPECT_TRUE(std::filesystem::exists(go + ".seen")) << "the timer did not run during the wait";
    // Input after the wait is handled again.
    PostInput(target);
    QCoreApplication::processEvents();
    EXPECT_EQ(target.Inputs, 2);
}

TEST(QtShell, FindsTheDesktopsProgramsForDocumentsAndWebPages)
{
    TTempDir dir;
    TXdgDirs dirs;
    dirs.ConfigHome = dir.Dir() + "config";
    dirs.DataHome = dir.Dir() + "data";
    dir.WriteFile("config/mimeapps.list",
                  "[Default Applications]\ntext/plain=viewer.desktop\ntext/html=browser.desktop\n");
    dir.WriteFile("data/applications/viewer.desktop", "[Desktop Entry]\nExec=/opt/viewer --read %f\n");
    dir.WriteFile("data/applications/browser.desktop", "[Desktop Entry]\nExec=\"/opt/web browser/run\" %u\n");
    TQtShell shell(dirs);
    EXPECT_EQ(shell.FindAssociatedProgram("KorbVantor.txt"), "/opt/viewer");
    EXPECT_EQ(shell.FindAssociatedProgram("shot.png"), std::nullopt);
    EXPECT_EQ(shell.WebBrowserCommand(".htm"), "\"/opt/web browser/run\" %1");
    EXPECT_EQ(TQtShell(TXdgDirs{}).WebBrowserCommand(".html"), "");
}

TEST(QtShell, RunsAProgramWithItsParametersAsWords)
{
    TTempDir dir;
    const std::string program = dir.WriteFile(
        "run.sh", "#!/bin/sh\nfor a do printf '%s\\n' \"$a\"; done > \"$1.tmp\"\nmv \"$1.tmp\" \"$1\"\n");
    std::filesystem::permissions(program, std::filesystem::perms::owner_all);
    TQtShell shell;
    const std::string out = dir.Dir() + "out.txt";
    ASSERT_TRUE(shell.RunProgram(program, out + " \"two words\" $x"));
    for (int i = 0; i < 1000 && !std::filesystem::exists(out); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(dir.ReadFile("out.txt"), out + "\ntwo words\n$x\n");
    EXPECT_FALSE(shell.RunProgram(dir.Dir() + "missing", ""));
}

// The window's small parts: the signal close, and ending a game that never ends.
#include <csignal>
#include <filesystem>

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

#include "platform/qt/QtProcesses.h"
#include "support/FakeDialogs.h"
#include "support/TempDir.h"
#include "ui/SignalCloser.h"

TEST(SignalCloser, SigtermClosesTheWindowTheNormalWay)
{
    QMainWindow window;
    window.show();
    auto* closer = new TSignalCloser(window);
    std::raise(SIGTERM);
    QElapsedTimer waited;
    waited.start();
    while (window.isVisible() && waited.elapsed() < 5000) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(closer->SignalsReceived(), 1);
}

TEST(SignalCloser, ASignalEndsTheBoxOpenThenAndEveryBoxAfter)
{
    QMainWindow window;
    window.show();
    TSignalCloser closer(window);
    bool timedOut = false;
    const auto answerNobodyGives = [&](QDialog& box) {
        box.setModal(true);
        QTimer::singleShot(5000, &box, [&] {
            timedOut = true;
            box.reject();
        });
        box.exec();
    };
    QTimer::singleShot(50, [] { std::raise(SIGTERM); });
    QDialog open(&window);
    answerNobodyGives(open); // as an error box during the start-up
    EXPECT_FALSE(timedOut) << "the box kept the program alive";
    EXPECT_FALSE(window.isVisible());
    QDialog next;
    answerNobodyGives(next); // the next box of that start-up
    EXPECT_FALSE(timedOut);
}

namespace {

// A real game that never ends by itself: its shell ignores SIGTERM.
struct THungRun
{
    TTempDir Dir;
    TQtProcesses Processes;
    TFakeDialogs Dialogs;
    QMainWindow Window;
    TStartResult Run;

    THungRun()
    {
        Window.show();
        const std::string script =
            Dir.WriteFile("korb.sh", "#!/bin/sh\ntrap '' TERM\nwhile :; do sleep 1; done\n");
        std::filesystem::permissions(script, std::filesystem::perms::owner_all);
        TProcessStart start;
        start.Program = script;
        start.Show = TShowState::Hidden;
        Run = Processes.Start(start);
    }
    // Waits as a launch does, then lets the held close happen.
    void WaitHeld()
    {
        {
            const TSignalCloser::THold hold;
            Processes.WaitWithoutInput(*Run.Process);
        }
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents();
    }
};

} // namespace

TEST(SignalCloser, ASignalDuringARunEndsTheGameThenClosesTheWindow)
{
    THungRun hung;
    ASSERT_TRUE(hung.Run.Process);
    TSignalCloser closer(hung.Window);
    closer.EndRunsWith(hung.Processes, hung.Dialogs);
    QTimer::singleShot(50, [] { std::raise(SIGTERM); });
    hung.WaitHeld();
    EXPECT_TRUE(hung.Run.Process->HasEnded());
    EXPECT_TRUE(hung.Dialogs.Messages.empty()) << "a signal decides without asking";
    EXPECT_FALSE(hung.Window.isVisible());
}

TEST(SignalCloser, TheCloseBoxDuringARunAsksAndEndsTheGameOnYesOnly)
{
    for (TMsgButton answer : {TMsgButton::No, TMsgButton::Yes}) {
        THungRun hung;
        ASSERT_TRUE(hung.Run.Process);
        TSignalCloser closer(hung.Window);
        closer.EndRunsWith(hung.Processes, hung.Dialogs);
        hung.Dialogs.Answers = {answer};
        // A close through the platform window arrives as the close box does.
        QTimer::singleShot(50, [&] { hung.Window.windowHandle()->close(); });
        if (answer == TMsgButton::No) {
            QTimer::singleShot(500, [&] {
                EXPECT_FALSE(hung.Run.Process->HasEnded());
                ::kill(-hung.Run.Process->Id(), SIGKILL);
            });
        }
        hung.WaitHeld();
        ASSERT_EQ(hung.Dialogs.Messages.size(), 1u);
        EXPECT_EQ(hung.Dialogs.Messages[0].Icon, TMsgIcon::Question);
        EXPECT_EQ(hung.Window.isVisible(), answer == TMsgButton::No);
    }
}

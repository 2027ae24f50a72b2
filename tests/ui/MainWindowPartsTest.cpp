// The window's small parts: the signal close.
#include <csignal>

#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>

#include <gtest/gtest.h>

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

// The window's small parts: shown text, stored colours, the font factor and the signal close.
#include <csignal>

#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QPalette>

#include <gtest/gtest.h>

#include "ui/ColourRoles.h"
#include "ui/DisplayText.h"
#include "ui/ScaleFormFonts.h"
#include "ui/SignalCloser.h"

TEST(DisplayText, Utf8WhenValidOtherwiseWindows1252)
{
    EXPECT_EQ(ToDisplayText("Plain"), "Plain");
    EXPECT_EQ(ToDisplayText("Caf\xc3\xa9"), QString::fromUtf8("Café"));
    EXPECT_EQ(ToDisplayText("Caf\xe9"), QString::fromUtf8("Café"));
    EXPECT_EQ(ToDisplayText("\x80 \x99"), QString::fromUtf8("€ ™"));
    EXPECT_EQ(ToDisplayText(std::string("a\0b", 3)).size(), 3);
}

TEST(ColourRoles, PlainColoursAreBgrAndSystemColoursComeFromThePalette)
{
    QPalette palette;
    palette.setColor(QPalette::Active, QPalette::Base, QColor(1, 2, 3));
    palette.setColor(QPalette::Active, QPalette::Text, QColor(4, 5, 6));
    EXPECT_EQ(ToQColor(0x00332211, palette), QColor(0x11, 0x22, 0x33));
    EXPECT_EQ(ToQColor(0x80000005, palette), QColor(1, 2, 3));
    EXPECT_EQ(ToQColor(0x80000008, palette), QColor(4, 5, 6));
    EXPECT_EQ(FromQColor(QColor(0x11, 0x22, 0x33)), 0x00332211u);
    EXPECT_EQ(ToQColor(0x1FFFFFFF, palette).alpha(), 0);
    // An unknown system colour number still gives a colour.
    EXPECT_TRUE(ToQColor(0x800000FF, palette).isValid());
}

TEST(ScaleFormFonts, FactorTruncatesTowardZero)
{
    EXPECT_EQ(FontScaleFactor(-11), 1);
    EXPECT_EQ(FontScaleFactor(-12), 1);
    EXPECT_EQ(FontScaleFactor(-21), 1);
    EXPECT_EQ(FontScaleFactor(-22), 2);
    EXPECT_EQ(FontScaleFactor(-5), 0);
}

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

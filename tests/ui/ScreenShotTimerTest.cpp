#include "ui/ScreenShot1.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QTimer>

namespace {

// Runs the dialog and acts on it once it is open.
int RunTimerDialog(TScreenShot& dialog, int interval, const std::function<void()>& whileOpen)
{
    QTimer::singleShot(0, &dialog, whileOpen);
    return dialog.SetTimer(interval);
}

} // namespace

TEST(ScreenShotTimer, StartsAtTenSecondsWithItsCaption)
{
    TScreenShot1 dialog;
    EXPECT_EQ(dialog.windowTitle(), "ScreenShot Timer");
    EXPECT_EQ(dialog.TimerBar->minimum(), 1);
    EXPECT_EQ(dialog.TimerBar->maximum(), 10);
    EXPECT_EQ(dialog.TimerBar->value(), 10);
    EXPECT_EQ(dialog.TimerLabel->text(), "10 Sec.");
    EXPECT_EQ(dialog.OKButton->text(), "OK");
    EXPECT_EQ(dialog.CancelButton->text(), "Cancel");
}

TEST(ScreenShotTimer, TwoSecondsShowsTwoAndOkReturnsThem)
{
    TScreenShot1 dialog;
    QString label;
    int position = 0;
    const int result = RunTimerDialog(dialog, 2000, [&] {
        position = dialog.TimerBar->value();
        label = dialog.TimerLabel->text();
        dialog.OKButton->click();
    });
    EXPECT_EQ(position, 2);
    EXPECT_EQ(label, "2 Sec.");
    EXPECT_EQ(result, 2000);
}

TEST(ScreenShotTimer, ThirtySecondsShowsTenAndCancelKeepsThem)
{
    TScreenShot1 dialog;
    dialog.PrepareTimer(3000);
    int position = 0;
    QString label;
    const int result = RunTimerDialog(dialog, 30000, [&] {
        position = dialog.TimerBar->value();
        label = dialog.TimerLabel->text();
        dialog.CancelButton->click();
    });
    EXPECT_EQ(position, 10);
    EXPECT_EQ(label, "10 Sec.");
    EXPECT_EQ(result, 30000);
}

TEST(ScreenShotTimer, MovingTheBarChangesLabelAndResult)
{
    TScreenShot1 dialog;
    QString label;
    const int result = RunTimerDialog(dialog, 2500, [&] {
        dialog.TimerBar->setValue(7);
        label = dialog.TimerLabel->text();
        dialog.OKButton->click();
    });
    EXPECT_EQ(label, "7 Sec.");
    EXPECT_EQ(result, 7000);
    const int closed = RunTimerDialog(dialog, 4000, [&] {
        dialog.TimerBar->setValue(9);
        dialog.close();
    });
    EXPECT_EQ(closed, 4000);
}

TEST(ScreenShotTimer, ShortIntervalsAreClampedToOneSecond)
{
    TScreenShot1 dialog;
    EXPECT_EQ(RunTimerDialog(dialog, 0, [&] { dialog.OKButton->click(); }), 1000);
    EXPECT_EQ(dialog.TimerLabel->text(), "1 Sec.");
}

TEST(ScreenShotTimer, IsCentredOnTheDesktopAndScalesItsFonts)
{
    TScreenShot1 dialog;
    int scaled = 0;
    dialog.ScaleFormFonts = [&](QWidget* form) { scaled += form == &dialog; };
    QPoint centre, desktopCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
    bool fixed = false;
    RunTimerDialog(dialog, 2000, [&] {
        centre = dialog.frameGeometry().center();
        fixed = dialog.minimumSize() == dialog.maximumSize();
        dialog.CancelButton->click();
    });
    EXPECT_EQ(scaled, 1);
    EXPECT_LE((centre - desktopCentre).manhattanLength(), 2);
    EXPECT_TRUE(fixed);
}

// The "Screenshotconversion" dialog: its texts, Convert as the focused default, Cancel and Escape.
#include "ui/SSConvert.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

// Shows the dialog and acts on it once it is open; returns how often the conversion ran.
int RunDialog(TSSConvert& dialog, const std::function<void()>& whileOpen)
{
    int conversions = 0;
    dialog.ConvertAllScreenshots = [&] { ++conversions; };
    QTimer::singleShot(0, &dialog, whileOpen);
    dialog.ShowConvertDialog();
    return conversions;
}

} // namespace

TEST(SSConvert, CaptionTextsAndButtons)
{
    TSSConvert dialog;
    EXPECT_EQ(dialog.windowTitle(), "Screenshotconversion");
    EXPECT_EQ(dialog.Label1->text(), "Convert all your screenshots");
    EXPECT_EQ(dialog.Label2->text(), "to PNG Format");
    EXPECT_EQ(dialog.Label3->text(), "Conversion is done using Nconvert.exe");
    EXPECT_EQ(dialog.Label4->text(), "a freeware image converter");
    EXPECT_FALSE(dialog.Label5->text().isEmpty());
    EXPECT_GT(dialog.Label1->font().pointSize(), dialog.Label3->font().pointSize()) << "large heading";
    EXPECT_EQ(dialog.BitBtn1->text(), "Convert");
    EXPECT_EQ(dialog.BitBtn2->text(), "Cancel");
    EXPECT_TRUE(dialog.BitBtn1->isDefault());
    EXPECT_FALSE(dialog.windowFlags() & Qt::WindowMinMaxButtonsHint);
}

TEST(SSConvert, ConvertIsFocusedAndRunsTheConversionOnce)
{
    TSSConvert dialog;
    QWidget* focused = nullptr;
    int scaled = 0;
    dialog.ScaleFormFonts = [&](QWidget* form) { scaled += form == &dialog; };
    const int conversions = RunDialog(dialog, [&] {
        focused = dialog.focusWidget();
        QTest::keyClick(dialog.BitBtn1, Qt::Key_Space);
    });
    EXPECT_EQ(focused, dialog.BitBtn1);
    EXPECT_EQ(scaled, 1);
    EXPECT_EQ(conversions, 1);
}

TEST(SSConvert, CancelAndEscapeConvertNothing)
{
    TSSConvert dialog;
    EXPECT_EQ(RunDialog(dialog, [&] { dialog.BitBtn2->click(); }), 0);
    EXPECT_EQ(RunDialog(dialog, [&] { QTest::keyClick(&dialog, Qt::Key_Escape); }), 0);
    EXPECT_EQ(RunDialog(dialog, [&] { QTest::keyClick(dialog.focusWidget(), Qt::Key_Return); }), 1);
}

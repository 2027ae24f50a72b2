// Link colours: as designed on light windows, readable on dark ones.
#include "components/ReadableColour.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QEnterEvent>
#include <QPalette>

#include "components/About1.h"
#include "components/LinkLabel.h"
#include "support/FakeShell.h"

namespace {

TEST(ReadableColour, ContrastRatioRunsFromOneToTwentyOne)
{
    EXPECT_NEAR(ContrastRatio(Qt::black, Qt::white), 21.0, 0.01);
    EXPECT_NEAR(ContrastRatio(Qt::white, Qt::black), 21.0, 0.01);
    EXPECT_NEAR(ContrastRatio(QColor(90, 90, 90), QColor(90, 90, 90)), 1.0, 1e-9);
    EXPECT_NEAR(ContrastRatio(Qt::blue, Qt::white), 8.59, 0.01);
}

TEST(ReadableColour, LightGroundsKeepTheDesignedColours)
{
    // Also where the red under the pointer has less contrast than dark text would have.
    for (const QColor& ground :
         {QColor(Qt::white), QColor(239, 239, 239), QColor(240, 240, 240), QColor(160, 160, 160)}) {
        EXPECT_FALSE(IsDarkGround(ground));
        EXPECT_EQ(ReadableOn(kLinkNormalColor, ground), kLinkNormalColor);
        EXPECT_EQ(ReadableOn(kLinkMouseOverColor, ground), kLinkMouseOverColor);
        EXPECT_EQ(ReadableOn(kLinkActiveColor, ground), kLinkActiveColor);
    }
}

TEST(ReadableColour, DarkGroundsGetALighterColourOfTheSameHue)
{
    const QColor ground(53, 53, 53);
    for (const QColor& wanted : {kLinkNormalColor, kLinkMouseOverColor, kLinkActiveColor}) {
        const QColor shown = ReadableOn(wanted, ground);
        EXPECT_TRUE(IsDarkGround(ground));
        EXPECT_GE(ContrastRatio(shown, ground), 4.5) << wanted.name().toStdString();
        EXPECT_GT(shown.lightness(), wanted.lightness());
        EXPECT_NEAR(shown.hue(), wanted.hue(), 2) << wanted.name().toStdString();
    }
    // Grey on the same grey has no hue to keep: it ends at white at the latest.
    EXPECT_GE(ContrastRatio(ReadableOn(ground, ground), ground), 4.5);
    // A colour that reads already is left alone.
    EXPECT_EQ(ReadableOn(QColor(255, 255, 0), ground), QColor(255, 255, 0));
}

QPalette DarkPalette()
{
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(53, 53, 53));
    dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
    dark.setColor(QPalette::Base, QColor(35, 35, 35));
    dark.setColor(QPalette::Text, QColor(230, 230, 230));
    dark.setColor(QPalette::Button, QColor(60, 60, 60));
    dark.setColor(QPalette::ButtonText, QColor(230, 230, 230));
    return dark;
}

TEST(ReadableColour, TheAboutBoxFollowsAPaletteChange)
{
    TFakeShell shell;
    TAboutBox1 box(&shell);
    const QImage lightLogo = box.EmulatorLogo->pixmap().toImage();
    ASSERT_EQ(box.FrontendAuthor->palette().color(QPalette::WindowText), kLinkNormalColor);

    box.setPalette(DarkPalette());
    const QColor ground = box.palette().color(QPalette::Window);
    for (QLabel* label :
         {static_cast<QLabel*>(box.FrontendAuthor), static_cast<QLabel*>(box.Author), box.Label2}) {
        EXPECT_GE(ContrastRatio(label->palette().color(QPalette::WindowText), ground), 4.5)
            << label->objectName().toStdString();
    }
    // The emulator logo's caption is drawn anew in the light text colour.
    EXPECT_NE(box.EmulatorLogo->pixmap().toImage(), lightLogo);

    // Back on a light palette the designed colours return.
    box.setPalette(QPalette(QColor(240, 240, 240)));
    EXPECT_EQ(box.FrontendAuthor->palette().color(QPalette::WindowText), kLinkNormalColor);
    EXPECT_EQ(box.Label2->palette().color(QPalette::WindowText), kLinkNormalColor);
}

TEST(ReadableColour, PointerColoursOfALinkAreReadableOnDarkToo)
{
    TFakeShell shell;
    QWidget window;
    window.setPalette(DarkPalette());
    TLinkLabel link(&shell, &window);
    const QColor ground = window.palette().color(QPalette::Window);
    EXPECT_GE(ContrastRatio(link.CurrentColor(), ground), 4.5);
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(&link, &enter);
    ASSERT_TRUE(link.IsOver());
    EXPECT_EQ(link.CurrentColor(), ReadableOn(kLinkMouseOverColor, ground));
    EXPECT_NE(link.CurrentColor(), kLinkMouseOverColor);
}

} // namespace

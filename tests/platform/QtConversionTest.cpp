// Stored values on screen and back: texts, colours, fonts, and the font scaling of forms.
#include <QApplication>
#include <QLabel>
#include <QPalette>
#include <QWidget>

#include <gtest/gtest.h>

#include "platform/qt/FormFonts.h"
#include "platform/qt/QtText.h"

TEST(QtConversion, TextFromBytesIsUtf8WhenValidOtherwiseWindows1252)
{
    EXPECT_EQ(TextFromBytes("Plain"), "Plain");
    EXPECT_EQ(TextFromBytes("Caf\xe9"), QString::fromUtf8("Caf\xc3\xa9"));
    EXPECT_EQ(TextFromBytes("\x80 \x99"), QString::fromUtf8("\xe2\x82\xac \xe2\x84\xa2"));
    EXPECT_EQ(TextToBytes(TextFromBytes("Caf\xc3\xa9")), "Caf\xc3\xa9");
    EXPECT_EQ(PathToBytes(PathFromBytes("/tmp/dir \xc3\xa9/x")), "/tmp/dir \xc3\xa9/x");
}

TEST(QtConversion, PlainColoursAreBgrAndSystemColoursComeFromTheirPaletteRoles)
{
    QPalette palette;
    palette.setColor(QPalette::Active, QPalette::Base, QColor(1, 2, 3));
    palette.setColor(QPalette::Active, QPalette::Text, QColor(4, 5, 6));
    palette.setColor(QPalette::Active, QPalette::Button, QColor(7, 8, 9));
    palette.setColor(QPalette::Active, QPalette::Highlight, QColor(10, 11, 12));
    palette.setColor(QPalette::Active, QPalette::ToolTipBase, QColor(13, 14, 15));
    EXPECT_EQ(ColourFromStored(0x00332211, palette), QColor(0x11, 0x22, 0x33));
    EXPECT_EQ(ColourFromStored(0x80000005, palette), QColor(1, 2, 3));    // window
    EXPECT_EQ(ColourFromStored(0x80000008, palette), QColor(4, 5, 6));    // window text
    EXPECT_EQ(ColourFromStored(0x8000000F, palette), QColor(7, 8, 9));    // button face
    EXPECT_EQ(ColourFromStored(0x8000000D, palette), QColor(10, 11, 12)); // highlight
    EXPECT_EQ(ColourFromStored(0x80000018, palette), QColor(13, 14, 15)); // info background
    // An unknown system colour number shows as the window colour.
    EXPECT_EQ(ColourFromStored(0x800000FF, palette), QColor(1, 2, 3));
    EXPECT_EQ(ColourFromStored(0x1FFFFFFF, palette).alpha(), 0);
    EXPECT_EQ(StoredFromColour(QColor(0x11, 0x22, 0x33)), 0x00332211u);
    EXPECT_EQ(StoredFromColour(QColor::fromHsv(0, 255, 255)), 0x000000FFu);
}

TEST(QtConversion, FontChoicesKeepFaceSizeAndEveryStyleBit)
{
    for (int style = 0; style < 16; ++style) {
        TFontChoice choice{"DejaVu Sans", 13, style, 0x00102030};
        const QFont font = FontFromChoice(choice);
        EXPECT_EQ(font.family(), "DejaVu Sans");
        EXPECT_EQ(font.pointSize(), 13);
        EXPECT_EQ(font.bold(), (style & 1) != 0) << style;
        EXPECT_EQ(font.italic(), (style & 2) != 0) << style;
        EXPECT_EQ(font.underline(), (style & 4) != 0) << style;
        EXPECT_EQ(font.strikeOut(), (style & 8) != 0) << style;
        const TFontChoice back = ChoiceFromFont(font, TFontChoice{"Other", 5, 0, 0x00102030});
        EXPECT_EQ(back.Face, choice.Face);
        EXPECT_EQ(back.Size, 13);
        EXPECT_EQ(back.Style, style);
        EXPECT_EQ(back.Color, 0x00102030u);
    }
    EXPECT_EQ(FontFromChoice(TFontChoice{"Arial", 0, 0, 0}).pointSize(), 9);
    QFont pixels;
    pixels.setPixelSize(20);
    EXPECT_EQ(ChoiceFromFont(pixels, TFontChoice{"Arial", 11, 0, 0}).Size, 11);
}

TEST(FormFonts, FactorTruncatesTowardZero)
{
    EXPECT_EQ(FontScaleFactor(-11), 1);
    EXPECT_EQ(FontScaleFactor(-12), 1);
    EXPECT_EQ(FontScaleFactor(-21), 1);
    EXPECT_EQ(FontScaleFactor(-22), 2);
    EXPECT_EQ(FontScaleFactor(-5), 0);
}

TEST(FormFonts, RescalingStartsFromTheDesignFontsEachTime)
{
    QWidget form;
    auto* label = new QLabel(&form);
    QFont design = label->font();
    design.setPixelSize(11);
    label->setFont(design);
    int runs = 0;
    const TFontScaler twice = [&](QWidget* scaled) {
        EXPECT_EQ(scaled, &form);
        ++runs;
        for (QObject* child : scaled->children()) {
            if (auto* widget = qobject_cast<QWidget*>(child)) {
                QFont font = widget->font();
                font.setPixelSize(font.pixelSize() * 2);
                widget->setFont(font);
            }
        }
    };
    TDesignFonts fonts;
    fonts.Rescale(&form, twice);
    fonts.Rescale(&form, twice);
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(label->font().pixelSize(), 22);
    // Without a scaler the design fonts come back.
    fonts.Rescale(&form, nullptr);
    EXPECT_EQ(label->font().pixelSize(), 11);
}

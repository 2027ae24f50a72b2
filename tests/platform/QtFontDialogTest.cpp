// The list font dialog: what it shows, what it gives back, and that it changes nothing unasked.
#include "platform/qt/QtFontDialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {

QString AnInstalledFamily(int skip = 0)
{
    for (const QString& family : QFontDatabase::families(QFontDatabase::Latin)) {
        if (!QFontDatabase::isPrivateFamily(family) && skip-- == 0)
            return family;
    }
    return {};
}

void ChooseFamily(TListFontDialog& dialog, const QString& family)
{
    const QList<QListWidgetItem*> items = dialog.FaceList->findItems(family, Qt::MatchExactly);
    ASSERT_FALSE(items.isEmpty());
    dialog.FaceList->setCurrentItem(items.front());
}

int ColourIndex(const TListFontDialog& dialog, const QString& name)
{
    return dialog.ColourBox->findText(name);
}

bool operator==(const TFontChoice& a, const TFontChoice& b)
{
    return a.Face == b.Face && a.Size == b.Size && a.Style == b.Style && a.Color == b.Color;
}

TEST(ListFontDialog, ConfirmingUntouchedGivesBackExactlyWhatWasStored)
{
    const QString family = AnInstalledFamily();
    ASSERT_FALSE(family.isEmpty());
    const TFontChoice stored[] = {
        {"No Such Face On This Desktop", 9, 0, 0x80000008u},
        {family.toStdString(), 14, 1 | 2 | 4 | 8, 0x000080},
        {family.toLower().toStdString(), 11, 2, 0x123456},
        {"Arial", 9, 0, 0x80000005u},
    };
    for (const TFontChoice& choice : stored) {
        TListFontDialog dialog(choice);
        EXPECT_TRUE(dialog.OkButton->isEnabled()) << choice.Face;
        EXPECT_TRUE(dialog.Choice() == choice) << choice.Face;
        EXPECT_EQ(dialog.FaceEdit->text().toStdString(), choice.Face);
    }
}

TEST(ListFontDialog, ShowsTheStoredFontInItsControls)
{
    const QString family = AnInstalledFamily();
    TListFontDialog dialog({family.toStdString(), 12, 1 | 8, 0x008000});
    ASSERT_NE(dialog.FaceList->currentItem(), nullptr);
    EXPECT_EQ(dialog.FaceList->currentItem()->text(), family);
    EXPECT_EQ(dialog.SizeBox->currentText(), "12");
    EXPECT_TRUE(dialog.BoldBox->isChecked());
    EXPECT_FALSE(dialog.ItalicBox->isChecked());
    EXPECT_FALSE(dialog.UnderlineBox->isChecked());
    EXPECT_TRUE(dialog.StrikeOutBox->isChecked());
    EXPECT_EQ(dialog.ColourBox->currentText(), "Green");
    EXPECT_EQ(dialog.Sample->palette().color(QPalette::WindowText), QColor(0, 128, 0));
    EXPECT_EQ(dialog.Sample->font().family(), family);
    EXPECT_TRUE(dialog.Sample->font().bold());
    EXPECT_TRUE(dialog.Sample->font().strikeOut());
}

TEST(ListFontDialog, AnotherFamilyKeepsStyleSizeAndColour)
{
    const QString first = AnInstalledFamily(0);
    const QString second = AnInstalledFamily(1);
    if (second.isEmpty())
        GTEST_SKIP() << "needs two font families";
    TListFontDialog dialog({first.toStdString(), 10, 1 | 2, 0x0000FF});
    ChooseFamily(dialog, second);
    EXPECT_EQ(dialog.FaceEdit->text(), second);
    const TFontChoice chosen = dialog.Choice();
    EXPECT_EQ(chosen.Face, second.toStdString());
    EXPECT_EQ(chosen.Style, 1 | 2);
    EXPECT_EQ(chosen.Size, 10);
    EXPECT_EQ(chosen.Color, 0x0000FFu);
    EXPECT_TRUE(dialog.Sample->font().bold());
    EXPECT_TRUE(dialog.Sample->font().italic());
}

TEST(ListFontDialog, OffersTheColourWithTheFont)
{
    TListFontDialog dialog({AnInstalledFamily().toStdString(), 9, 0, 0x80000008u});
    EXPECT_EQ(dialog.ColourBox->currentText(), "Window Text");
    for (const char* name : {"Black", "Maroon", "Navy", "Red", "Blue", "White"})
        EXPECT_GE(ColourIndex(dialog, name), 0) << name;
    dialog.ColourBox->setCurrentIndex(ColourIndex(dialog, "Maroon"));
    emit dialog.ColourBox->activated(dialog.ColourBox->currentIndex());
    EXPECT_EQ(dialog.Choice().Color, 0x000080u);
    EXPECT_EQ(dialog.Sample->palette().color(QPalette::WindowText), QColor(128, 0, 0));

    // A colour of one's own through the colour dialog, stored as 0x00BBGGRR.
    QColor offered;
    dialog.PickCustomColour = [&](const QColor& start) -> std::optional<QColor> {
        offered = start;
        return QColor(0x12, 0x34, 0x56);
    };
    const int other = ColourIndex(dialog, "Other ...");
    ASSERT_GE(other, 0);
    dialog.ColourBox->setCurrentIndex(other);
    emit dialog.ColourBox->activated(other);
    EXPECT_EQ(offered, QColor(128, 0, 0));
    EXPECT_EQ(dialog.Choice().Color, 0x563412u);

    // Cancelling the colour dialog keeps the colour chosen before.
    dialog.PickCustomColour = [](const QColor&) -> std::optional<QColor> { return std::nullopt; };
    const int otherAgain = ColourIndex(dialog, "Other ...");
    dialog.ColourBox->setCurrentIndex(otherAgain);
    emit dialog.ColourBox->activated(otherAgain);
    EXPECT_EQ(dialog.Choice().Color, 0x563412u);
    EXPECT_NE(dialog.ColourBox->currentText(), "Other ...");
}

TEST(ListFontDialog, AcceptsOnlyExistingFonts)
{
    const QString family = AnInstalledFamily();
    TListFontDialog dialog({family.toStdString(), 9, 0, 0});
    dialog.FaceEdit->clear();
    QTest::keyClicks(dialog.FaceEdit, "Surely Not Installed");
    EXPECT_FALSE(dialog.OkButton->isEnabled());
    // A face typed in another letter case is the installed one, spelt as the desktop spells it.
    dialog.FaceEdit->clear();
    QTest::keyClicks(dialog.FaceEdit, family.toUpper());
    EXPECT_TRUE(dialog.OkButton->isEnabled());
    ASSERT_NE(dialog.FaceList->currentItem(), nullptr);
    EXPECT_EQ(dialog.FaceList->currentItem()->text(), family);
    EXPECT_EQ(dialog.Choice().Face, family.toStdString());
}

TEST(ListFontDialog, SizeAndEffects)
{
    TListFontDialog dialog({AnInstalledFamily().toStdString(), 9, 0, 0});
    dialog.SizeBox->setEditText("17");
    dialog.UnderlineBox->setChecked(true);
    dialog.ItalicBox->setChecked(true);
    const TFontChoice chosen = dialog.Choice();
    EXPECT_EQ(chosen.Size, 17);
    EXPECT_EQ(chosen.Style, 2 | 4);
    EXPECT_TRUE(dialog.Sample->font().underline());
    EXPECT_EQ(dialog.Sample->font().pointSize(), 17);
    // No number is no change.
    dialog.SizeBox->setEditText("");
    EXPECT_EQ(dialog.Choice().Size, 9);
}

} // namespace

// The about box: its controls, showing it with a version text, the font adjustment and its links.
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "components/About1.h"
#include "components/LinkLabel.h"
#include "support/FakeShell.h"

namespace {

class TAboutBoxTest : public ::testing::Test
{
protected:
    TAboutBoxTest() : Box(&Shell) {}

    // Shows the box with the version; while it is up, looks at it and then presses OK.
    void ShowAndLook(const QString& version, const std::function<void()>& look)
    {
        bool looked = false;
        QTimer::singleShot(0, &Box, [&] {
            looked = true;
            look();
            QTest::mouseClick(Box.OKBtn, Qt::LeftButton);
            if (Box.isVisible()) {
                ADD_FAILURE() << "OK did not close the box";
                Box.done(QDialog::Rejected);
            }
        });
        Box.ShowWithVersion(version);
        EXPECT_TRUE(looked);
        EXPECT_FALSE(Box.isVisible());
    }

    TFakeShell Shell;
    TAboutBox1 Box;
};

TEST_F(TAboutBoxTest, ControlsSitWhereDesignedWithTheirTexts)
{
    EXPECT_EQ(Box.objectName(), "AboutBox1");
    EXPECT_EQ(Box.windowTitle(), "About VantorKorb");
    EXPECT_EQ(Box.size(), QSize(230, 229));
    EXPECT_EQ(Box.Bevel1->geometry(), QRect(8, 8, 217, 177));
    EXPECT_EQ(Box.FrontLogo->geometry(), QRect(65, 16, 100, 43));
    EXPECT_EQ(Box.versionlabel->geometry(), QRect(16, 58, 202, 13));
    EXPECT_EQ(Box.versionlabel->text(), "version goes here");
    EXPECT_EQ(Box.Label1->text(), "by");
    EXPECT_EQ(Box.Label1->pos(), QPoint(80, 72));
    // The links sit where designed, or a little further right when "by" is wider than designed.
    EXPECT_EQ(Box.FrontendAuthor->y(), 72);
    EXPECT_GE(Box.FrontendAuthor->x(), 96);
    EXPECT_EQ(Box.Label2->text(), "is a freeware frontend for the");
    EXPECT_EQ(Box.Label2->geometry(), QRect(16, 88, 202, 13));
    EXPECT_EQ(Box.Label2->palette().color(QPalette::WindowText), QColor(Qt::blue));
    EXPECT_EQ(Box.Label2->font().pixelSize(), 13);
    EXPECT_EQ(Box.EmulatorLogo->geometry(), QRect(65, 112, 100, 47));
    EXPECT_EQ(Box.Label4->text(), "by");
    EXPECT_EQ(Box.Label4->pos(), QPoint(64, 160));
    EXPECT_EQ(Box.Author->y(), 160);
    EXPECT_GE(Box.Author->x(), 80);
    EXPECT_TRUE(Box.Author->alignment() & Qt::AlignLeft);
    EXPECT_EQ(Box.OKBtn->text(), "OK");
    EXPECT_EQ(Box.OKBtn->geometry(), QRect(65, 192, 100, 33));
    EXPECT_TRUE(Box.OKBtn->isDefault());
    // Every label that is not a link centres its text.
    for (QLabel* label : {Box.FrontLogo, Box.versionlabel, Box.Label2, Box.EmulatorLogo}) {
        EXPECT_TRUE(label->alignment() & Qt::AlignHCenter) << label->objectName().toStdString();
    }
}

TEST_F(TAboutBoxTest, BothLogosAreDrawnAtTheirDesignSize)
{
    const QPixmap front = Box.FrontLogo->pixmap();
    const QPixmap emulator = Box.EmulatorLogo->pixmap();
    ASSERT_FALSE(front.isNull());
    ASSERT_FALSE(emulator.isNull());
    EXPECT_EQ(front.deviceIndependentSize().toSize(), QSize(100, 43));
    EXPECT_EQ(emulator.deviceIndependentSize().toSize(), QSize(100, 47));
    // Transparent ground, something drawn on it.
    const QImage picture = front.toImage();
    EXPECT_EQ(qAlpha(picture.pixel(0, 0)), 0);
    bool drawn = false;
    for (int y = 0; y < picture.height() && !drawn; ++y) {
        for (int x = 0; x < picture.width() && !drawn; ++x) {
            drawn = qAlpha(picture.pixel(x, y)) == 255;
        }
    }
    EXPECT_TRUE(drawn);
    // The generic box has no pictures of its own.
    TAboutBox generic(&Shell);
    EXPECT_TRUE(generic.FrontLogo->pixmap().isNull());
    EXPECT_TRUE(generic.windowTitle().isEmpty());
}

TEST_F(TAboutBoxTest, LinksAreSetUpAsMailLinks)
{
    for (TLinkLabel* link : {Box.FrontendAuthor, Box.Author}) {
        SCOPED_TRACE(link->objectName().toStdString());
        EXPECT_FALSE(link->text().isEmpty());
        // The developers' link leads nowhere when the build names no address for them.
        if (link == Box.Author || *kProjectContactEmail != '\0') {
            EXPECT_TRUE(link->Url().startsWith("mailto:"));
        } else {
            EXPECT_TRUE(link->Url().isEmpty());
        }
        EXPECT_TRUE(link->font().underline());
        EXPECT_EQ(link->font().pixelSize(), 11);
        EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(Qt::blue));
        EXPECT_EQ(link->ColorMouseOver(), QColor(Qt::red));
        EXPECT_EQ(link->ColorActive(), QColor(0x80, 0x00, 0x80));
        EXPECT_EQ(link->PopupString(), "Copy Link Location");
    }
    if (*kProjectContactEmail != '\0') {
        EXPECT_TRUE(Box.FrontendAuthor->Url().contains("?subject="));
    }
    EXPECT_EQ(Box.FrontendAuthor->CursorMouseOver(), TCustomCursor::crMozilla);
    EXPECT_EQ(Box.Author->CursorMouseOver(), TCustomCursor::crMSIE);
    // Made in this order, both links show the hand chosen last.
    const QImage msie = CustomCursorShape(TCustomCursor::crMSIE).pixmap().toImage();
    EXPECT_EQ(Box.FrontendAuthor->cursor().pixmap().toImage(), msie);
    EXPECT_EQ(Box.Author->cursor().pixmap().toImage(), msie);
}

TEST_F(TAboutBoxTest, ShowingTwiceShowsTheLatestVersionModally)
{
    ShowAndLook("0.33.8", [&] {
        EXPECT_TRUE(Box.isVisible());
        EXPECT_TRUE(Box.isModal());
        EXPECT_EQ(Box.versionlabel->text(), "0.33.8");
    });
    EXPECT_EQ(Box.result(), QDialog::Accepted);
    ShowAndLook("1.2.3", [&] { EXPECT_EQ(Box.versionlabel->text(), "1.2.3"); });
    EXPECT_EQ(Box.versionlabel->text(), "1.2.3");
}

TEST_F(TAboutBoxTest, FontsAreScaledOnEveryShowFromTheirDesignSize)
{
    int calls = 0;
    Box.SetFontScaler([&](QWidget* form) {
        ++calls;
        EXPECT_EQ(form, &Box);
        for (QObject* child : form->children()) {
            if (auto* widget = qobject_cast<QWidget*>(child)) {
                QFont font = widget->font();
                if (font.pixelSize() > 0) {
                    font.setPixelSize(font.pixelSize() * 2);
                }
                widget->setFont(font);
            }
        }
    });
    ShowAndLook("a", [&] { EXPECT_EQ(Box.Label2->font().pixelSize(), 26); });
    ShowAndLook("b", [&] {
        EXPECT_EQ(Box.Label2->font().pixelSize(), 26);
        EXPECT_EQ(Box.Author->font().pixelSize(), 22);
    });
    EXPECT_EQ(calls, 2);
}

TEST_F(TAboutBoxTest, ClickingAnAuthorLinkOpensItsAddress)
{
    ShowAndLook("0.33.8", [&] { QTest::mouseClick(Box.Author, Qt::LeftButton, {}, QPoint(2, 2)); });
    EXPECT_EQ(Shell.Opened, std::vector<std::string>{Box.Author->Url().toStdString()});
}

TEST_F(TAboutBoxTest, ByNeverTouchesItsLink)
{
    auto gapAfter = [](QLabel* by, QLabel* link) { return link->x() - (by->x() + by->width()); };
    // As designed, with room to spare.
    EXPECT_GE(gapAfter(Box.Label1, Box.FrontendAuthor), 3);
    EXPECT_GE(gapAfter(Box.Label4, Box.Author), 3);
    // A much larger "by" pushes its link on, rather than running into it.
    Box.SetFontScaler([&](QWidget*) {
        QFont big = Box.Label1->font();
        big.setPixelSize(30);
        Box.Label1->setFont(big);
        Box.Label4->setFont(big);
    });
    ShowAndLook("x", [&] {
        const int space = Box.FrontendAuthor->fontMetrics().horizontalAdvance(QLatin1Char(' '));
        EXPECT_GE(gapAfter(Box.Label1, Box.FrontendAuthor), space);
        EXPECT_GE(gapAfter(Box.Label4, Box.Author), space);
        EXPECT_GT(Box.FrontendAuthor->x(), 96);
    });
}

} // namespace

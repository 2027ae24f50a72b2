// The icon styles of the game list: grids from the list font, cut names, whole names where asked.
#include "ui/GameIconView.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QHelpEvent>
#include <QStandardItemModel>
#include <QTest>
#include <QToolTip>
#include <QTreeView>

namespace {

QString Joined(const QStringList& lines)
{
    return lines.join(QLatin1Char(' '));
}

TEST(GameIconView, NameLinesKeepWordsAndCutTheSecondLine)
{
    const QFontMetrics metrics(QFont(QStringLiteral("DejaVu Sans"), 9));
    const int width = metrics.horizontalAdvance(QStringLiteral("Canyon Bomber")) + 1;
    // Short names stay on one line.
    EXPECT_EQ(TGameIconView::NameLines("Galaga", metrics, width, false), QStringList{"Galaga"});
    // Two words that fit exactly break at the blank, not inside a word.
    EXPECT_EQ(TGameIconView::NameLines("Canyon Bomber Deluxe", metrics, width, false),
              (QStringList{"Canyon Bomber", "Deluxe"}));
    // A third line's worth is cut into the second with "…"; the whole name keeps every letter.
    const QString name = "Caravan of the Desert Kings Returns Again";
    const QStringList cut = TGameIconView::NameLines(name, metrics, width, false);
    ASSERT_EQ(cut.size(), 2);
    EXPECT_TRUE(cut[1].endsWith(QChar(0x2026)));
    for (const QString& line : cut)
        EXPECT_LE(metrics.horizontalAdvance(line), width);
    const QStringList whole = TGameIconView::NameLines(name, metrics, width, true);
    EXPECT_GT(whole.size(), 2);
    EXPECT_EQ(Joined(whole), name);
    // A word longer than the line is broken anywhere rather than lost.
    const QStringList long_ =
        TGameIconView::NameLines("Supercalifragilisticexpialidocious", metrics, 40, true);
    EXPECT_EQ(long_.join(QString()), "Supercalifragilisticexpialidocious");
    EXPECT_TRUE(TGameIconView::NameLines("", metrics, width, false).isEmpty());
}

TEST(GameIconView, GridsGrowWithTheListFont)
{
    QFont small(QStringLiteral("DejaVu Sans"));
    small.setPointSize(8);
    QFont large = small;
    large.setPointSize(16);
    const QSize smallGrid = TGameIconView::LargeIconGrid(QFontMetrics(small));
    const QSize largeGrid = TGameIconView::LargeIconGrid(QFontMetrics(large));
    EXPECT_GE(smallGrid.width(), 72);
    EXPECT_GT(largeGrid.width(), smallGrid.width());
    EXPECT_GT(largeGrid.height(), smallGrid.height());
    // Room for two lines under the 32 pixel icon.
    EXPECT_GE(smallGrid.height(), 32 + 2 * QFontMetrics(small).lineSpacing());
    EXPECT_GT(TGameIconView::SmallIconGrid(QFontMetrics(large)).width(),
              TGameIconView::SmallIconGrid(QFontMetrics(small)).width());

    TGameIconView view;
    view.setFont(small);
    const QSize before = view.gridSize();
    view.setFont(large);
    EXPECT_GT(view.gridSize().width(), before.width());
    view.SetStyle(TGameIconView::TStyle::SmallIcons);
    EXPECT_EQ(view.gridSize(), TGameIconView::SmallIconGrid(QFontMetrics(large)));
}

class GameIconViewShown : public ::testing::Test
{
protected:
    GameIconViewShown()
    {
        for (const char* name : {"Caravan of the Desert Kings Returns Again", "Galaga", "Pac Man",
                                 "Bomb Jack", "Canyon Bomber", "Xevious", "Zaxxon", "Frogger"}) {
            auto* row = new QStandardItem(QString::fromUtf8(name));
            m_model.appendRow({row, new QStandardItem("zip")});
        }
        m_view.setModel(&m_model);
        m_view.setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
        m_view.resize(m_view.gridSize().width() * 3 + 30, 300);
        m_view.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&m_view));
    }

    QString ToolTipAt(QAbstractItemView& view, const QModelIndex& index)
    {
        QToolTip::hideText();
        const QPoint at = view.visualRect(index).center();
        QHelpEvent help(QEvent::ToolTip, at, view.viewport()->mapToGlobal(at));
        QApplication::sendEvent(view.viewport(), &help);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    }

    QStandardItemModel m_model;
    TGameIconView m_view;
};

TEST_F(GameIconViewShown, EveryEntryHasItsWholeNameAsTooltipInEveryStyle)
{
    for (auto style : {TGameIconView::TStyle::LargeIcons, TGameIconView::TStyle::SmallIcons,
                       TGameIconView::TStyle::List}) {
        m_view.SetStyle(style);
        QApplication::processEvents();
        EXPECT_EQ(ToolTipAt(m_view, m_model.index(0, 0)), "Caravan of the Desert Kings Returns Again");
        EXPECT_EQ(ToolTipAt(m_view, m_model.index(1, 0)), "Galaga");
    }
    // Details: any column of the row names the game.
    QTreeView details;
    details.setModel(&m_model);
    details.setItemDelegate(m_view.Delegate());
    details.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&details));
    EXPECT_EQ(ToolTipAt(details, m_model.index(0, 1)), "Caravan of the Desert Kings Returns Again");
    details.setItemDelegate(nullptr);
}

TEST_F(GameIconViewShown, TheFocusedEntryShowsItsWholeNameOverTheCellsBelow)
{
    const QRect first = m_view.visualRect(m_model.index(0, 0));
    // The strip just below the first cell belongs to the row under it.
    const QRect below(first.left(), first.bottom() + 1, first.width(),
                      m_view.fontMetrics().lineSpacing() * 2);
    m_view.setCurrentIndex(m_model.index(1, 0));
    const QImage elsewhere = m_view.viewport()->grab(below).toImage();
    m_view.setCurrentIndex(m_model.index(0, 0));
    const QImage focused = m_view.viewport()->grab(below).toImage();
    EXPECT_NE(focused, elsewhere);
    // A short focused name reaches no further than its cell.
    m_view.setCurrentIndex(m_model.index(2, 0));
    EXPECT_EQ(m_view.viewport()->grab(below).toImage(), elsewhere);
}

} // namespace

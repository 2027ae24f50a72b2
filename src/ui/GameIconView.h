#pragma once
// The icon styles of the game list: regular grids sized from the list font, names cut with "…" where they
// do not fit, the focused entry's whole name in Large Icons, and the whole name as every entry's tooltip.

#include <QListView>
#include <QStyledItemDelegate>

// Paints one entry of any list style; the views decide the style.
class TGameNameDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // The entry under the pointer is underlined.
    bool HotTrack = true;
    // Set by the icon view for its styles; other views paint as usual.
    enum class TCell { Plain, LargeIcon, SmallIcon } Cell = TCell::Plain;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    // The whole name of the entry's game, whatever the column.
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    void PaintLargeIcon(QPainter* painter, const QStyleOptionViewItem& option) const;
    void PaintSmallIcon(QPainter* painter, const QStyleOptionViewItem& option) const;
};

class TGameIconView : public QListView
{
    Q_OBJECT
public:
    enum class TStyle { LargeIcons, SmallIcons, List };

    explicit TGameIconView(QWidget* parent = nullptr);
    void SetStyle(TStyle style);
    TStyle Style() const { return m_style; }
    TGameNameDelegate* Delegate() const { return m_delegate; }

    // The cell of one entry for a list font: Large Icons fit about twelve average letters in two lines
    // under the icon, Small Icons about sixteen letters beside it.
    static QSize LargeIconGrid(const QFontMetrics& metrics);
    static QSize SmallIconGrid(const QFontMetrics& metrics);

    // The name lines of a Large Icons cell: at most two, the last cut with "…"; all of them for the whole
    // name. Words are kept whole where they fit on a line.
    static QStringList NameLines(const QString& name, const QFontMetrics& metrics, int width, bool whole);

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    void ApplyGrid();
    // Where the focused entry's whole name lies, over the cells below it.
    QRect WholeNameRect(const QModelIndex& index, const QStringList& lines) const;

    TGameNameDelegate* m_delegate;
    TStyle m_style = TStyle::LargeIcons;
};

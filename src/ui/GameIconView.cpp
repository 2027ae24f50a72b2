#include "ui/GameIconView.h"

#include <algorithm>

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

namespace {
constexpr int kLargeIcon = 32;
constexpr int kSmallIcon = 16;
constexpr int kPad = 2;

int TextTop(const QRect& cell)
{
    return cell.top() + 2 * kPad + kLargeIcon + kPad;
}

QString GameName(const QModelIndex& index)
{
    return index.siblingAtColumn(0).data(Qt::DisplayRole).toString();
}

QPalette::ColorGroup GroupOf(const QStyleOptionViewItem& option)
{
    if (!(option.state & QStyle::State_Enabled))
        return QPalette::Disabled;
    return (option.state & QStyle::State_Active) ? QPalette::Active : QPalette::Inactive;
}

// The name's lines centred under the icon, on the highlight when the entry is selected.
void PaintLines(QPainter* painter, const QStyleOptionViewItem& option, const QStringList& lines,
                const QRect& box, bool opaque)
{
    const QPalette::ColorGroup group = GroupOf(option);
    const bool selected = option.state & QStyle::State_Selected;
    const QFontMetrics metrics(option.font);
    if (selected || opaque) {
        int widest = 0;
        for (const QString& line : lines)
            widest = std::max(widest, metrics.horizontalAdvance(line));
        const QRect ground(box.center().x() - widest / 2 - kPad, box.top(), widest + 2 * kPad + 1,
                           static_cast<int>(lines.size()) * metrics.lineSpacing() + 1);
        painter->fillRect(ground,
                          option.palette.color(group, selected ? QPalette::Highlight : QPalette::Base));
    }
    painter->setPen(option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    painter->setFont(option.font);
    int y = box.top();
    for (const QString& line : lines) {
        painter->drawText(QRect(box.left(), y, box.width(), metrics.lineSpacing()),
                          Qt::AlignHCenter | Qt::AlignTop, line);
        y += metrics.lineSpacing();
    }
}
} // namespace

void TGameNameDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    if (HotTrack && (option->state & QStyle::State_MouseOver)) {
        option->font.setUnderline(true);
        option->fontMetrics = QFontMetrics(option->font);
    }
}

QSize TGameNameDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    switch (Cell) {
    case TCell::LargeIcon:
        return TGameIconView::LargeIconGrid(option.fontMetrics);
    case TCell::SmallIcon:
        return TGameIconView::SmallIconGrid(option.fontMetrics);
    case TCell::Plain:
        break;
    }
    return QStyledItemDelegate::sizeHint(option, index);
}

void TGameNameDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const
{
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    switch (Cell) {
    case TCell::LargeIcon:
        PaintLargeIcon(painter, item);
        return;
    case TCell::SmallIcon:
        PaintSmallIcon(painter, item);
        return;
    case TCell::Plain:
        break;
    }
    QStyledItemDelegate::paint(painter, option, index);
}

void TGameNameDelegate::PaintLargeIcon(QPainter* painter, const QStyleOptionViewItem& option) const
{
    const QRect cell = option.rect;
    const QRect icon(cell.center().x() - kLargeIcon / 2, cell.top() + 2 * kPad, kLargeIcon, kLargeIcon);
    option.icon.paint(painter, icon, Qt::AlignCenter,
                      (option.state & QStyle::State_Selected) ? QIcon::Selected : QIcon::Normal);
    const QRect text(cell.left() + kPad, TextTop(cell), cell.width() - 2 * kPad,
                     cell.bottom() - TextTop(cell));
    const QFontMetrics metrics(option.font);
    PaintLines(painter, option, TGameIconView::NameLines(option.text, metrics, text.width(), false), text,
               false);
}

void TGameNameDelegate::PaintSmallIcon(QPainter* painter, const QStyleOptionViewItem& option) const
{
    const QRect cell = option.rect;
    const QRect icon(cell.left() + kPad, cell.center().y() - kSmallIcon / 2 + 1, kSmallIcon, kSmallIcon);
    option.icon.paint(painter, icon, Qt::AlignCenter,
                      (option.state & QStyle::State_Selected) ? QIcon::Selected : QIcon::Normal);
    const QFontMetrics metrics(option.font);
    const int left = icon.right() + 1 + 2 * kPad;
    const QString shown = metrics.elidedText(option.text, Qt::ElideRight, cell.right() - kPad - left);
    const QRect text(left, cell.top(), metrics.horizontalAdvance(shown) + 2 * kPad, cell.height());
    const QPalette::ColorGroup group = GroupOf(option);
    const bool selected = option.state & QStyle::State_Selected;
    if (selected)
        painter->fillRect(text, option.palette.color(group, QPalette::Highlight));
    painter->setPen(option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    painter->setFont(option.font);
    painter->drawText(text.adjusted(kPad, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, shown);
}

bool TGameNameDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                                  const QStyleOptionViewItem& option, const QModelIndex& index)
{
    if (event && view && index.isValid() && event->type() == QEvent::ToolTip) {
        QToolTip::showText(event->globalPos(), GameName(index), view, view->visualRect(index));
        return true;
    }
    return QStyledItemDelegate::helpEvent(event, view, option, index);
}

TGameIconView::TGameIconView(QWidget* parent) : QListView(parent), m_delegate(new TGameNameDelegate(this))
{
    setItemDelegate(m_delegate);
    setMovement(QListView::Static);
    setResizeMode(QListView::Adjust);
    setWrapping(true);
    SetStyle(TStyle::LargeIcons);
}

QSize TGameIconView::LargeIconGrid(const QFontMetrics& metrics)
{
    const int width = std::max(72, 12 * metrics.averageCharWidth() + 2 * kPad);
    return QSize(width, 2 * kPad + kLargeIcon + kPad + 2 * metrics.lineSpacing() + 2 * kPad);
}

QSize TGameIconView::SmallIconGrid(const QFontMetrics& metrics)
{
    const int width = kPad + kSmallIcon + 2 * kPad + 16 * metrics.averageCharWidth() + 2 * kPad;
    return QSize(width, std::max(kSmallIcon + 2, metrics.lineSpacing() + 2));
}

QStringList TGameIconView::NameLines(const QString& name, const QFontMetrics& metrics, int width, bool whole)
{
    QStringList lines;
    if (name.isEmpty() || width <= 0)
        return lines;
    int start = 0;
    while (start < name.size()) {
        // Longest prefix from start that fits, preferring to break after a blank.
        int end = start + 1;
        int lastBlank = -1;
        for (int at = start + 1; at <= name.size(); ++at) {
            if (metrics.horizontalAdvance(name.mid(start, at - start).trimmed()) > width)
                break;
            end = at;
            if (at < name.size() && name.at(at) == QLatin1Char(' '))
                lastBlank = at;
        }
        if (end < name.size() && lastBlank > start)
            end = lastBlank + 1;
        if (!whole && lines.size() == 1) {
            lines << metrics.elidedText(name.mid(start).trimmed(), Qt::ElideRight, width);
            break;
        }
        lines << name.mid(start, end - start).trimmed();
        start = end;
    }
    return lines;
}

void TGameIconView::SetStyle(TStyle style)
{
    m_style = style;
    switch (style) {
    case TStyle::LargeIcons:
        m_delegate->Cell = TGameNameDelegate::TCell::LargeIcon;
        setViewMode(QListView::IconMode);
        setFlow(QListView::LeftToRight);
        setIconSize(QSize(kLargeIcon, kLargeIcon));
        setSpacing(0);
        break;
    case TStyle::SmallIcons:
        m_delegate->Cell = TGameNameDelegate::TCell::SmallIcon;
        setViewMode(QListView::ListMode);
        setFlow(QListView::LeftToRight);
        setIconSize(QSize(kSmallIcon, kSmallIcon));
        setSpacing(0);
        break;
    case TStyle::List:
        m_delegate->Cell = TGameNameDelegate::TCell::Plain;
        setViewMode(QListView::ListMode);
        setFlow(QListView::TopToBottom);
        setIconSize(QSize(kSmallIcon, kSmallIcon));
        setSpacing(1);
        break;
    }
    setMovement(QListView::Static);
    setResizeMode(QListView::Adjust);
    setWrapping(true);
    ApplyGrid();
}

void TGameIconView::ApplyGrid()
{
    // A grid keeps the rows and columns regular, however long the names are.
    switch (m_style) {
    case TStyle::LargeIcons:
        setUniformItemSizes(true);
        setGridSize(LargeIconGrid(fontMetrics()));
        break;
    case TStyle::SmallIcons:
        setUniformItemSizes(true);
        setGridSize(SmallIconGrid(fontMetrics()));
        break;
    case TStyle::List:
        // Names differ in length; one size for all would cut the longer ones short.
        setUniformItemSizes(false);
        setGridSize(QSize());
        break;
    }
}

void TGameIconView::changeEvent(QEvent* event)
{
    QListView::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        ApplyGrid();
}

void TGameIconView::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QListView::currentChanged(current, previous);
    // The whole name reaches over other cells; they are drawn again without it.
    if (m_style == TStyle::LargeIcons)
        viewport()->update();
}

QRect TGameIconView::WholeNameRect(const QModelIndex& index, const QStringList& lines) const
{
    const QRect cell = visualRect(index);
    return QRect(cell.left() + kPad, TextTop(cell), cell.width() - 2 * kPad,
                 static_cast<int>(lines.size()) * fontMetrics().lineSpacing() + 1);
}

void TGameIconView::paintEvent(QPaintEvent* event)
{
    QListView::paintEvent(event);
    const QModelIndex current = currentIndex();
    if (m_style != TStyle::LargeIcons || !current.isValid())
        return;
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = visualRect(current);
    if (!option.rect.intersects(viewport()->rect()))
        return;
    if (selectionModel() && selectionModel()->isSelected(current))
        option.state |= QStyle::State_Selected;
    option.text = current.data(Qt::DisplayRole).toString();
    const QFontMetrics metrics(option.font);
    const QRect box = WholeNameRect(current, {});
    const QStringList whole = NameLines(option.text, metrics, box.width(), true);
    if (whole == NameLines(option.text, metrics, box.width(), false))
        return;
    QPainter painter(viewport());
    PaintLines(&painter, option, whole, WholeNameRect(current, whole), true);
}

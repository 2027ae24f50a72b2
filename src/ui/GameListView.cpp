#include "ui/GameListView.h"

#include <algorithm>

#include <QHeaderView>
#include <QKeyEvent>
#include <QListView>
#include <QTreeView>

#include "ui/GameIconView.h"
#include "ui/GameListModel.h"

namespace {
constexpr int kZipdateColumn = 2;
constexpr int kZipdateDefaultWidth = 110;
// A date text as this platform writes it; the digits of list fonts share one width.
const QString kWidestDateText = QStringLiteral("0000-00-00 00:00:00");
constexpr int kCellPadding = 14;
} // namespace

TGameListView::TGameListView(TGameListModel& model, QWidget* parent)
    : QStackedWidget(parent), m_model(model), m_iconView(new TGameIconView(this)),
      m_detailsView(new QTreeView(this)), m_delegate(m_iconView->Delegate()),
      m_detailsDelegate(new TGameNameDelegate(this))
{
    ConfigureIconView();
    ConfigureDetailsView();
    addWidget(m_iconView);
    addWidget(m_detailsView);
    connect(SelectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { emit SelectItem(SelectionModel()->hasSelection()); });
    for (QAbstractItemView* view :
         {static_cast<QAbstractItemView*>(m_iconView), static_cast<QAbstractItemView*>(m_detailsView)}) {
        // Details keeps plain one-line rows whatever cell the icon styles last set on theirs.
        view->setItemDelegate(view == m_detailsView ? m_detailsDelegate : m_delegate);
        view->setMouseTracking(true);
        view->viewport()->setAttribute(Qt::WA_Hover);
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        view->setSelectionMode(QAbstractItemView::SingleSelection);
        view->setSelectionBehavior(QAbstractItemView::SelectRows);
        view->installEventFilter(this);
        connect(view, &QAbstractItemView::doubleClicked, this, &TGameListView::DoubleClicked);
        view->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(view, &QWidget::customContextMenuRequested, this, [this, view](const QPoint& pos) {
            emit ContextMenuRequested(view->viewport()->mapToGlobal(pos));
        });
    }
    SetViewStyle(TListStyle::LargeIcons);
}

QListView* TGameListView::IconView() const
{
    return m_iconView;
}

void TGameListView::ConfigureIconView()
{
    m_iconView->setModel(&m_model);
    // Long catalogues are laid out in slices, so the window answers while they are placed.
    m_iconView->setLayoutMode(QListView::Batched);
    m_iconView->setBatchSize(2000);
}

void TGameListView::ConfigureDetailsView()
{
    m_detailsView->setModel(&m_model);
    m_detailsView->setSelectionModel(m_iconView->selectionModel());
    m_detailsView->setRootIsDecorated(false);
    m_detailsView->setItemsExpandable(false);
    m_detailsView->setUniformRowHeights(true);
    m_detailsView->setAllColumnsShowFocus(true);
    m_detailsView->setIconSize(QSize(16, 16));
    m_detailsView->header()->setSectionsClickable(true);
    m_detailsView->header()->setSectionsMovable(false);
    m_detailsView->header()->setStretchLastSection(false);
    connect(m_detailsView->header(), &QHeaderView::sectionClicked, this, &TGameListView::ColumnClicked);
    // The header marks the column the list is sorted on and the direction, whichever way it was chosen.
    m_detailsView->header()->setSortIndicatorShown(true);
    m_detailsView->header()->setSortIndicator(-1, Qt::AscendingOrder);
    connect(&m_model, &TGameListModel::Sorted, this, [this](int column, bool descending) {
        m_detailsView->header()->setSortIndicator(column,
                                                  descending ? Qt::DescendingOrder : Qt::AscendingOrder);
    });
    ApplyColumnWidths();
    // Widths the list decides follow what it holds.
    connect(&m_model, &QAbstractItemModel::modelReset, this, &TGameListView::ApplyColumnWidths);
    connect(&m_model, &QAbstractItemModel::layoutChanged, this, &TGameListView::ApplyColumnWidths);
    connect(&m_model, &QAbstractItemModel::rowsInserted, this, &TGameListView::ApplyColumnWidths);
}

void TGameListView::SetViewStyle(TListStyle style)
{
    m_style = style;
    switch (style) {
    case TListStyle::LargeIcons:
        m_iconView->SetStyle(TGameIconView::TStyle::LargeIcons);
        break;
    case TListStyle::SmallIcons:
        m_iconView->SetStyle(TGameIconView::TStyle::SmallIcons);
        break;
    case TListStyle::List:
        m_iconView->SetStyle(TGameIconView::TStyle::List);
        break;
    case TListStyle::Details:
        break;
    }
    QWidget* before = currentWidget();
    setCurrentWidget(style == TListStyle::Details ? static_cast<QWidget*>(m_detailsView) : m_iconView);
    if (before && before != currentWidget() && before->hasFocus()) {
        CurrentView()->setFocus();
    }
    if (SelectedRow() >= 0) {
        CurrentView()->scrollTo(m_model.index(SelectedRow(), 0));
    }
}

void TGameListView::SetHotTrack(bool on)
{
    m_delegate->HotTrack = on;
    m_detailsDelegate->HotTrack = on;
    m_iconView->viewport()->update();
    m_detailsView->viewport()->update();
}

void TGameListView::SetListFont(const QFont& font)
{
    m_iconView->setFont(font);
    m_detailsView->setFont(font);
    ApplyColumnWidths();
}

void TGameListView::SetColours(const QColor& text, const QColor& background)
{
    for (QAbstractItemView* view :
         {static_cast<QAbstractItemView*>(m_iconView), static_cast<QAbstractItemView*>(m_detailsView)}) {
        QPalette palette = view->palette();
        palette.setColor(QPalette::Text, text);
        palette.setColor(QPalette::Base, background);
        // The selection stays visible when the list loses the focus.
        palette.setColor(QPalette::Inactive, QPalette::Highlight,
                         palette.color(QPalette::Active, QPalette::Highlight));
        palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                         palette.color(QPalette::Active, QPalette::HighlightedText));
        view->setPalette(palette);
    }
}

void TGameListView::SetColumnWidth(TListColumn listColumn, int width)
{
    const int column = static_cast<int>(listColumn);
    if (column < 0 || column >= kColumns || width < -2) {
        return;
    }
    m_storedWidths[column] = width;
    ApplyColumnWidth(column, true);
}

void TGameListView::ApplyColumnWidth(int column, bool force)
{
    if (column >= m_model.columnCount()) {
        return;
    }
    // A width the user dragged stays until the next stored width is set.
    if (!force && m_appliedWidths[column] != kNeverApplied &&
        m_detailsView->columnWidth(column) != m_appliedWidths[column]) {
        return;
    }
    const int stored = m_storedWidths[column];
    int shown = stored;
    if (stored == -1) {
        shown = ContentsWidth(column);
    } else if (stored == -2) {
        shown = m_detailsView->header()->sectionSizeHint(column);
    } else if (column == kZipdateColumn && stored == kZipdateDefaultWidth) {
        // The default is a width for the other platform's date text; this platform's text decides here.
        shown =
            std::max(stored, m_detailsView->fontMetrics().horizontalAdvance(kWidestDateText) + kCellPadding);
    }
    m_detailsView->setColumnWidth(column, shown);
    m_appliedWidths[column] = m_detailsView->columnWidth(column);
}

int TGameListView::ContentsWidth(int column) const
{
    // Measured from the texts, so a list that is not on screen yet is measured whole as well.
    const QFontMetrics metrics(m_detailsView->font());
    int widest = 0;
    for (int row = 0; row < m_model.rowCount(); ++row) {
        const QString text = m_model.data(m_model.index(row, column), Qt::DisplayRole).toString();
        widest = std::max(widest, metrics.horizontalAdvance(text));
    }
    if (column == 0) {
        widest += m_detailsView->iconSize().width() + kCellPadding / 2;
    }
    return widest + kCellPadding;
}

void TGameListView::ApplyColumnWidths()
{
    for (int column = 0; column < kColumns; ++column) {
        ApplyColumnWidth(column, false);
    }
}

int TGameListView::ColumnWidth(TListColumn column) const
{
    const int index = static_cast<int>(column);
    const int shown = m_detailsView->columnWidth(index);
    // The widened default Zipdate width is this platform's reading of the stored value, not a new value.
    if (index == kZipdateColumn && m_storedWidths[index] == kZipdateDefaultWidth &&
        shown == m_appliedWidths[index]) {
        return kZipdateDefaultWidth;
    }
    return shown;
}

int TGameListView::SelectedRow() const
{
    const QModelIndexList rows = SelectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void TGameListView::SelectRow(int row)
{
    const QModelIndex index = m_model.index(row, 0);
    if (!index.isValid()) {
        return;
    }
    SelectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    CurrentView()->scrollTo(index, QAbstractItemView::EnsureVisible);
}

void TGameListView::ClearSelection()
{
    SelectionModel()->clearSelection();
}

void TGameListView::Rearrange()
{
    if (m_style == TListStyle::SmallIcons) {
        m_iconView->doItemsLayout();
    }
}

QItemSelectionModel* TGameListView::SelectionModel() const
{
    return m_iconView->selectionModel();
}

QAbstractItemView* TGameListView::CurrentView() const
{
    return m_style == TListStyle::Details ? static_cast<QAbstractItemView*>(m_detailsView) : m_iconView;
}

bool TGameListView::ForwardTyping(const QKeyEvent& key)
{
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        return false;
    }
    if (key.key() == Qt::Key_Escape) {
        if (!m_searchHasText) {
            return false;
        }
        emit EscapeTyped();
        return true;
    }
    if (key.key() == Qt::Key_Backspace) {
        if (!m_searchHasText) {
            return false;
        }
        emit BackspaceTyped();
        return true;
    }
    const QString text = key.text();
    const bool printable =
        !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) { return c.isPrint(); });
    if (!printable || (text.trimmed().isEmpty() && !m_searchHasText)) {
        return false;
    }
    emit TextTyped(text);
    return true;
}

bool TGameListView::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* keyEvent = static_cast<QKeyEvent*>(event);
        const int key = keyEvent->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // A held key repeats: only its first press starts a game.
            if (!keyEvent->isAutoRepeat()) {
                emit EnterPressed();
            }
            return true;
        }
        if (ForwardTyping(*keyEvent)) {
            return true;
        }
    }
    return QStackedWidget::eventFilter(watched, event);
}

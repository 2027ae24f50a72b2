#include "ui/GameListView.h"

#include <algorithm>

#include <QHeaderView>
#include <QKeyEvent>
#include <QListView>
#include <QStyledItemDelegate>
#include <QTreeView>

#include "ui/GameListModel.h"

// Underlines the entry under the pointer while hot tracking is on.
class TGameListDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    bool HotTrack = true;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (HotTrack && (option->state & QStyle::State_MouseOver)) {
            option->font.setUnderline(true);
        }
    }
};

TGameListView::TGameListView(TGameListModel& model, QWidget* parent)
    : QStackedWidget(parent), m_model(model), m_iconView(new QListView(this)),
      m_detailsView(new QTreeView(this)), m_delegate(new TGameListDelegate(this))
{
    ConfigureIconView();
    ConfigureDetailsView();
    addWidget(m_iconView);
    addWidget(m_detailsView);
    connect(SelectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { emit SelectItem(SelectionModel()->hasSelection()); });
    for (QAbstractItemView* view :
         {static_cast<QAbstractItemView*>(m_iconView), static_cast<QAbstractItemView*>(m_detailsView)}) {
        view->setItemDelegate(m_delegate);
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

void TGameListView::ConfigureIconView()
{
    m_iconView->setModel(&m_model);
    m_iconView->setUniformItemSizes(true);
    m_iconView->setWrapping(true);
    m_iconView->setResizeMode(QListView::Adjust);
    m_iconView->setMovement(QListView::Static);
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
    SetColumnWidth(TListColumn::Name, 160);
    SetColumnWidth(TListColumn::ZipName, 70);
    SetColumnWidth(TListColumn::ZipDate, 110);
}

void TGameListView::SetViewStyle(TListStyle style)
{
    m_style = style;
    switch (style) {
    case TListStyle::LargeIcons:
        m_iconView->setViewMode(QListView::IconMode);
        m_iconView->setIconSize(QSize(32, 32));
        m_iconView->setFlow(QListView::LeftToRight);
        m_iconView->setGridSize(QSize(72, 66));
        m_iconView->setUniformItemSizes(true);
        m_iconView->setWordWrap(true);
        break;
    case TListStyle::SmallIcons:
    case TListStyle::List:
        m_iconView->setViewMode(QListView::ListMode);
        m_iconView->setIconSize(QSize(16, 16));
        m_iconView->setGridSize(QSize());
        m_iconView->setWordWrap(false);
        // Names differ in length; one size for all would cut the longer ones short.
        m_iconView->setUniformItemSizes(false);
        // Small icons run in rows, the list runs in columns.
        m_iconView->setFlow(style == TListStyle::SmallIcons ? QListView::LeftToRight
                                                            : QListView::TopToBottom);
        m_iconView->setWrapping(true);
        m_iconView->setSpacing(1);
        break;
    case TListStyle::Details:
        break;
    }
    m_iconView->setMovement(QListView::Static);
    m_iconView->setResizeMode(QListView::Adjust);
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
    m_iconView->viewport()->update();
    m_detailsView->viewport()->update();
}

void TGameListView::SetListFont(const QFont& font)
{
    m_iconView->setFont(font);
    m_detailsView->setFont(font);
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
    if (column >= m_model.columnCount()) {
        return;
    }
    if (width == -1) {
        m_detailsView->resizeColumnToContents(column);
    } else if (width == -2) {
        const QString caption = m_model.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
        m_detailsView->setColumnWidth(column,
                                      m_detailsView->header()->fontMetrics().horizontalAdvance(caption) + 16);
    } else if (width >= 0) {
        m_detailsView->setColumnWidth(column, width);
    }
}

int TGameListView::ColumnWidth(TListColumn column) const
{
    return m_detailsView->columnWidth(static_cast<int>(column));
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

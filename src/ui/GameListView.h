#pragma once
// The game list control: one model shown as large icons, small icons, a list or details, with one selection.

#include <QStackedWidget>

#include "controllers/ViewState.h"

class QAbstractItemView;
class QKeyEvent;
class QListView;
class QTreeView;
class QItemSelectionModel;
class TGameListModel;
class TGameIconView;
class TGameNameDelegate;

class TGameListView : public QStackedWidget
{
    Q_OBJECT
public:
    explicit TGameListView(TGameListModel& model, QWidget* parent = nullptr);

    void SetViewStyle(TListStyle style);
    TListStyle ViewStyle() const { return m_style; }
    void SetHotTrack(bool on);
    void SetListFont(const QFont& font);
    void SetColours(const QColor& text, const QColor& background);

    // -1 fits the column to its contents, -2 to its heading, again whenever the list is filled or its font
    // changes, until the user drags the column. The default Zipdate width widens to this platform's date
    // text and reads back as the default while nobody resizes it; other widths read back as shown.
    void SetColumnWidth(TListColumn column, int width);
    int ColumnWidth(TListColumn column) const;

    // The selected row, or -1.
    int SelectedRow() const;
    // Selects, gives the focus mark and scrolls the row wholly into view.
    void SelectRow(int row);
    void ClearSelection();
    // Lays small icons out again for a new width.
    void Rearrange();
    // With a search under way, Escape, Backspace and blanks typed in the list go to the search field too.
    void SetSearchHasText(bool hasText) { m_searchHasText = hasText; }

    QItemSelectionModel* SelectionModel() const;
    QListView* IconView() const;
    QTreeView* DetailsView() const { return m_detailsView; }
    QAbstractItemView* CurrentView() const;

signals:
    // True when a row became selected, false when the selection became empty.
    void SelectItem(bool selected);
    void DoubleClicked();
    void EnterPressed();
    void ColumnClicked(int column);
    // Keys for the search field: printable text typed in the list, Backspace and Escape.
    void TextTyped(const QString& text);
    void BackspaceTyped();
    void EscapeTyped();
    // A right click or the menu key on the list, at a global position.
    void ContextMenuRequested(const QPoint& globalPos);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ConfigureIconView();
    void ConfigureDetailsView();
    bool ForwardTyping(const QKeyEvent& key);
    void ApplyColumnWidth(int column, bool force);
    void ApplyColumnWidths();
    int ContentsWidth(int column) const;

    // The system's three columns, then our play columns.
    static constexpr int kColumns = 6;
    int m_storedWidths[kColumns] = {160, 70, 110, 50, 80, 130};
    static constexpr int kNeverApplied = -100;
    int m_appliedWidths[kColumns] = {kNeverApplied, kNeverApplied, kNeverApplied,
                                     kNeverApplied, kNeverApplied, kNeverApplied};

    TGameListModel& m_model;
    TGameIconView* m_iconView;
    QTreeView* m_detailsView;
    TGameNameDelegate* m_delegate;
    TGameNameDelegate* m_detailsDelegate;
    TListStyle m_style = TListStyle::LargeIcons;
    // Typing goes to the search field; a blank only once there is a word to separate from.
    bool m_searchHasText = false;
};

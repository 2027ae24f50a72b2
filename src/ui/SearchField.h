#pragma once
// The search field above the game list: what is typed narrows the list; Escape clears it.

#include <QLineEdit>
#include <QTimer>

class TSearchField : public QLineEdit
{
    Q_OBJECT
public:
    explicit TSearchField(QWidget* parent = nullptr);

    // Text typed while the list has the focus: added here, the focus stays where it is.
    void Type(const QString& text);
    // Backspace typed in the list.
    void EraseLast();

signals:
    // The text to search for, once typing pauses long enough for the list to follow: keys that arrive
    // together are one search, so the field never waits for a list that is still filtering.
    void SearchChanged(const QString& text);
    // Escape (the field is cleared first), Down or Up in the field: the list should take the focus.
    void Left();
    // Return in the field: start the selected game.
    void StartRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QTimer m_settle;
};

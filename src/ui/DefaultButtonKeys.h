#pragma once
// Enter anywhere in a main window presses its default button, as it does in a dialog.

#include <functional>

#include <QObject>
#include <QPointer>

class QWidget;

// Watches the application's key presses. Enter or Return without a modifier (the keypad's Enter included)
// that reaches a widget of the watched window runs the command, unless the menu bar has the keyboard: open
// drop-down lists, menus and dialogs are windows of their own and keep their Enter.
class TDefaultButtonKeys : public QObject
{
    Q_OBJECT
public:
    TDefaultButtonKeys(QWidget* window, std::function<void()> press);

    static bool IsPlainEnter(const QEvent* event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> m_window;
    std::function<void()> m_press;
};

#pragma once
// Shows the hint of a disabled menu item in the status bar while the pointer rests on it.

#include <QObject>

class QAction;
class QMenu;

// Menus give hints only for enabled items; a disabled item's hint often tells why it is disabled
// ("Not Available at the moment"). Installed on a menu or on the application, it sends the item's status
// tip to the menu's opener as a status-tip event, the way an enabled item's tip travels.
class TDisabledItemHints : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Show(QMenu* menu, QAction* item);
    QAction* m_shown = nullptr;
};

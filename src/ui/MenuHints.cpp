#include "ui/MenuHints.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QStatusTipEvent>

bool TDisabledItemHints::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::MouseMove || type == QEvent::Leave || type == QEvent::Hide) {
        if (auto* menu = qobject_cast<QMenu*>(watched)) {
            QAction* item = nullptr;
            if (type == QEvent::MouseMove) {
                item = menu->actionAt(static_cast<QMouseEvent*>(event)->position().toPoint());
            }
            Show(menu, item && !item->isEnabled() && !item->statusTip().isEmpty() ? item : nullptr);
        }
    }
    return QObject::eventFilter(watched, event);
}

void TDisabledItemHints::Show(QMenu* menu, QAction* item)
{
    if (item == m_shown) {
        return;
    }
    m_shown = item;
    // A menu is a window of its own: the tip goes to the menu bar (or the widget) that opened it and from
    // there up to the main window, whose status bar shows or clears the text.
    QWidget* opener = menu->parentWidget();
    while (qobject_cast<QMenu*>(opener)) {
        opener = opener->parentWidget();
    }
    if (opener) {
        QStatusTipEvent tip(item ? item->statusTip() : QString());
        QCoreApplication::sendEvent(opener, &tip);
    }
}

#include "ui/DefaultButtonKeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QWidget>

TDefaultButtonKeys::TDefaultButtonKeys(QWidget* window, std::function<void()> press)
    : QObject(window), m_window(window), m_press(std::move(press))
{
    qApp->installEventFilter(this);
}

bool TDefaultButtonKeys::IsPlainEnter(const QEvent* event)
{
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    const auto* key = static_cast<const QKeyEvent*>(event);
    return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
           (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

bool TDefaultButtonKeys::eventFilter(QObject* watched, QEvent* event)
{
    if (!IsPlainEnter(event) || !m_window || !watched->isWidgetType()) {
        return QObject::eventFilter(watched, event);
    }
    // The menu bar takes the keyboard while it is driven by keys; what it passes on is still its own.
    auto* widget = static_cast<QWidget*>(watched);
    if (widget->window() != m_window || qobject_cast<QMenuBar*>(widget) ||
        qobject_cast<QMenuBar*>(QWidget::keyboardGrabber())) {
        return QObject::eventFilter(watched, event);
    }
    // A held key starts one game, not one per repeat.
    if (m_press && !static_cast<QKeyEvent*>(event)->isAutoRepeat()) {
        m_press();
    }
    return true;
}

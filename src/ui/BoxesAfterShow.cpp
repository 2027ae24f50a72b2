#include "ui/BoxesAfterShow.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

TBoxesAfterShow::TBoxesAfterShow(TDialogs& dialogs, QWidget& widget)
    : QObject(&widget), m_dialogs(dialogs), m_widget(widget)
{
}

TMsgButton TBoxesAfterShow::ShowMessage(const TMessage& message)
{
    QWidget* window = m_widget.window();
    if (window->isVisible() || message.Buttons.size() > 1)
        return m_dialogs.ShowMessage(message);
    if (m_held.empty())
        window->installEventFilter(this);
    m_held.push_back(message);
    return message.Buttons.empty() ? TMsgButton::Ok : message.Buttons.front();
}

bool TBoxesAfterShow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show && watched == m_widget.window()) {
        watched->removeEventFilter(this);
        // After the show has finished, so that the box opens over the painted window.
        QTimer::singleShot(0, this, &TBoxesAfterShow::ShowHeld);
    }
    return QObject::eventFilter(watched, event);
}

void TBoxesAfterShow::ShowHeld()
{
    const std::vector<TMessage> held = std::move(m_held);
    m_held.clear();
    for (const TMessage& message : held)
        m_dialogs.ShowMessage(message);
}

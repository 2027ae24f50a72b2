#include "ui/SearchField.h"

#include <QKeyEvent>

TSearchField::TSearchField(QWidget* parent) : QLineEdit(parent)
{
    setObjectName("SearchField");
    setPlaceholderText("Search");
    setClearButtonEnabled(true);
    m_settle.setSingleShot(true);
    m_settle.setInterval(0);
    connect(this, &QLineEdit::textChanged, &m_settle, qOverload<>(&QTimer::start));
    connect(&m_settle, &QTimer::timeout, this, [this] { emit SearchChanged(text()); });
}

void TSearchField::Type(const QString& typed)
{
    end(false);
    insert(typed);
}

void TSearchField::EraseLast()
{
    end(false);
    backspace();
}

void TSearchField::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        clear();
        emit Left();
        return;
    }
    if (event->key() == Qt::Key_Down || event->key() == Qt::Key_Up) {
        emit Left();
        return;
    }
    // Return starts the match selected; a held key starts it once.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (!event->isAutoRepeat()) {
            emit StartRequested();
        }
        return;
    }
    QLineEdit::keyPressEvent(event);
}

#include "ui/SettingsPageToolbar.h"

#include <algorithm>

#include <QEvent>
#include <QIcon>
#include <QResizeEvent>
#include <QToolButton>

TSettingsToolbar::TSettingsToolbar(QWidget* parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QToolButton* TSettingsToolbar::AddButton(const QString& caption, const QString& hint, const QIcon& icon)
{
    auto* button = new QToolButton(this);
    button->setText(caption);
    button->setToolTip(hint);
    button->setStatusTip(hint);
    button->setIcon(icon);
    button->setAutoRaise(true);
    m_buttons.push_back({button, 0, 0});
    Measure();
    return button;
}

int TSettingsToolbar::ButtonWidth() const
{
    return m_buttons.empty() ? 0 : width() / static_cast<int>(m_buttons.size());
}

void TSettingsToolbar::LayOut()
{
    const int buttonWidth = ButtonWidth();
    int left = 0;
    for (const TButton& entry : m_buttons) {
        // A narrow tool bar drops the icons before it would cut a caption.
        entry.Button->setToolButtonStyle(entry.WithIconWidth <= buttonWidth ? Qt::ToolButtonTextBesideIcon
                                                                            : Qt::ToolButtonTextOnly);
        if (entry.Button->isHidden()) {
            continue;
        }
        entry.Button->setGeometry(left, 0, buttonWidth, height());
        left += buttonWidth;
    }
}

void TSettingsToolbar::Measure()
{
    // Sizes are taken once per font or style change, so size hints never restyle the buttons.
    m_buttonHeight = 0;
    for (TButton& entry : m_buttons) {
        const Qt::ToolButtonStyle style = entry.Button->toolButtonStyle();
        entry.Button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        entry.TextOnlyWidth = entry.Button->sizeHint().width();
        entry.Button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        entry.WithIconWidth = entry.Button->sizeHint().width();
        m_buttonHeight = std::max(m_buttonHeight, entry.Button->sizeHint().height());
        entry.Button->setToolButtonStyle(style);
    }
    updateGeometry();
    LayOut();
}

QSize TSettingsToolbar::sizeHint() const
{
    int widest = 0;
    for (const TButton& entry : m_buttons) {
        widest = std::max(widest, entry.WithIconWidth);
    }
    return QSize(widest * static_cast<int>(m_buttons.size()), m_buttonHeight);
}

QSize TSettingsToolbar::minimumSizeHint() const
{
    // Every caption stays whole, even when the tool bar is at its narrowest.
    int widest = 0;
    for (const TButton& entry : m_buttons) {
        widest = std::max(widest, entry.TextOnlyWidth);
    }
    return QSize(widest * static_cast<int>(m_buttons.size()), m_buttonHeight);
}

void TSettingsToolbar::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    LayOut();
}

void TSettingsToolbar::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        Measure();
    }
}

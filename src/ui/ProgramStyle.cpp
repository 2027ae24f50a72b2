#include "ui/ProgramStyle.h"

#include <QPainter>
#include <QStyleOptionTab>

TProgramStyle::TProgramStyle(const QString& key) : QProxyStyle(key) {}

void TProgramStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                                const QWidget* widget) const
{
    QProxyStyle::drawControl(element, option, painter, widget);
    if (element != CE_TabBarTabShape || !option) {
        return;
    }
    const State state = option->state;
    if (!(state & State_MouseOver) || (state & State_Selected) || !(state & State_Enabled)) {
        return;
    }
    QColor tint = option->palette.color(QPalette::Highlight);
    tint.setAlpha(70);
    painter->save();
    painter->fillRect(option->rect.adjusted(2, 2, -2, -1), tint);
    painter->restore();
}

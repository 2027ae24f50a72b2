#include "platform/qt/FormFonts.h"

#include <cmath>

#include <QWidget>

int FontScaleFactor(int fontHeight)
{
    return fontHeight / -11;
}

void ScaleFormFonts(QWidget* form)
{
    if (!form || form->logicalDpiY() == 96) {
        return;
    }
    // Qt already sizes point fonts for the screen, so the height is taken as designed, at 96 per inch.
    const QFont font = form->font();
    const double pixels = font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * 96.0 / 72.0;
    const int factor = FontScaleFactor(-static_cast<int>(std::lround(pixels)));
    if (factor == 1 || factor == 0) {
        return;
    }
    const QObjectList& children = form->children();
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        if (auto* child = qobject_cast<QWidget*>(*it)) {
            QFont childFont = child->font();
            if (childFont.pixelSize() > 0) {
                childFont.setPixelSize(childFont.pixelSize() * factor);
            } else {
                childFont.setPointSizeF(childFont.pointSizeF() * factor);
            }
            child->setFont(childFont);
        }
    }
}

void TDesignFonts::Rescale(QWidget* form, const TFontScaler& scaler)
{
    if (m_fonts.empty()) {
        for (QObject* child : form->children()) {
            if (auto* widget = qobject_cast<QWidget*>(child)) {
                m_fonts.emplace_back(widget, widget->font());
            }
        }
    } else {
        for (const auto& [widget, font] : m_fonts) {
            if (widget) {
                widget->setFont(font);
            }
        }
    }
    if (scaler) {
        scaler(form);
    }
}

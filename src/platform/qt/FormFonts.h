#pragma once
// The font adjustment every window runs when it is shown on a screen of other than 96 pixels per inch,
// and the memory of the design fonts that keeps repeated showing from compounding it.

#include <functional>
#include <utility>
#include <vector>

#include <QFont>
#include <QPointer>

class QWidget;

// The factor is the form's design font height (negative, in pixels at 96 per inch) divided by -11,
// truncated; each direct child's font is multiplied by it, last child first.
int FontScaleFactor(int fontHeight);
void ScaleFormFonts(QWidget* form);

using TFontScaler = std::function<void(QWidget*)>;

class TDesignFonts
{
public:
    // Remembers the direct children's fonts the first time and puts them back every later time, then
    // runs scaler (if any) on the form.
    void Rescale(QWidget* form, const TFontScaler& scaler);

private:
    std::vector<std::pair<QPointer<QWidget>, QFont>> m_fonts;
};

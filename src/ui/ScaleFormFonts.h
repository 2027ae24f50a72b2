#pragma once
// The font adjustment every window runs when it is created on a screen of other than 96 pixels per inch.

class QWidget;

// The factor is the form's design font height (negative, in pixels at 96 per inch) divided by -11,
// truncated; each direct child's font is multiplied by it, last child first.
int FontScaleFactor(int fontHeight);
void ScaleFormFonts(QWidget* form);

#pragma once
// The program's logo, drawn once: the about box shows it and so does the back of the game list.

#include <QIcon>
#include <QSizeF>

class QPainter;
class QRectF;

// The logo's shape: it is drawn into the largest box of this aspect that fits.
inline constexpr QSizeF kLogoDesignSize{100, 43};

// A red-knobbed joystick filling the square.
void DrawJoystick(QPainter& painter, const QRectF& square);
// The joystick beside the program's name, centred in the rectangle.
void DrawVantorKorbLogo(QPainter& painter, const QRectF& rect);
QIcon VantorKorbLogoIcon();

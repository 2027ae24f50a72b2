#pragma once
// The two logos of the about box, drawn in code so they stay crisp at every screen scale.

#include <QColor>
#include <QPixmap>

// The program's logo (the one behind the game list), 100 by 43 on a transparent ground.
QPixmap VantorKorbLogo(qreal devicePixelRatio = 1.0);
// The emulator's name as a logo, 100 by 47 on a transparent ground; the caption under the name is drawn in
// the given colour, so it can follow the window's text colour.
QPixmap KorbLogo(qreal devicePixelRatio = 1.0, const QColor& captionColour = QColor(60, 60, 60));

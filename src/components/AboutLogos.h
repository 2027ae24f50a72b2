#pragma once
// The two logos of the about box, drawn in code so they stay crisp at every screen scale.

#include <QPixmap>

// The front-end's name as a logo, 100 by 43 on a transparent ground.
QPixmap VantorKorbLogo(qreal devicePixelRatio = 1.0);
// The emulator's name as a logo, 100 by 47 on a transparent ground.
QPixmap KorbLogo(qreal devicePixelRatio = 1.0);

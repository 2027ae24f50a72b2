#pragma once
// The program's own pictures, drawn in code so they stay crisp at every size and screen scale.

#include <QIcon>

// A cartoon head: blue for an installed game, green struck through with a red cross for one that is not.
QIcon GameIcon(bool installed);
// The Start button's caption in yellow letters; the disabled state is drawn faded.
QIcon StartButtonIcon();
// The logo that shows behind the game list while the list is hidden.
QIcon LogoIcon();
// The window and application icon.
QIcon AppIcon();

#pragma once
// The game icon of a favourite: the usual head with a gold star over its top right corner.

#include <QIcon>

QIcon FavouriteGameIcon(bool installed);

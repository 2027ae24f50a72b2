#pragma once
// Icons painted by code at the size asked for, so they stay crisp at every screen scale.

#include <functional>

#include <QIcon>

class QPainter;
class QRectF;

using TIconPainter = std::function<void(QPainter&, const QRectF&, QIcon::Mode)>;

// The painter runs each time a size is asked for; anti-aliasing is already on.
QIcon PaintedIcon(TIconPainter draw);

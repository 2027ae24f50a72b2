#include "controllers/WindowFit.h"

#include <algorithm>

QSize FitClientToScreen(QSize wanted, QSize minimum, QMargins frame, QRect available)
{
    const QSize room(available.width() - frame.left() - frame.right(),
                     available.height() - frame.top() - frame.bottom());
    return wanted.boundedTo(room).expandedTo(minimum);
}

QPoint CentredFramePosition(QSize frameSize, QRect available)
{
    const int x = std::max(0, (available.width() - frameSize.width()) / 2);
    const int y = std::max(0, (available.height() - frameSize.height()) / 2);
    return available.topLeft() + QPoint(x, y);
}

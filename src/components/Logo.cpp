#include "components/Logo.h"

#include <algorithm>

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "components/PaintedIcon.h"

namespace {

QRectF FitDesignBox(const QRectF& rect)
{
    const qreal scale =
        std::min(rect.width() / kLogoDesignSize.width(), rect.height() / kLogoDesignSize.height());
    const QSizeF size = kLogoDesignSize * scale;
    return QRectF(rect.center() - QPointF(size.width() / 2, size.height() / 2), size);
}

// The name as an outline, scaled to fill the box, so it has the same weight at every size.
QPainterPath NamePath(const QRectF& box)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setItalic(true);
    font.setPixelSize(100);
    QPainterPath path;
    path.addText(0, 0, font, QStringLiteral("VantorKorb"));
    const QRectF natural = path.boundingRect();
    const qreal scale = std::min(box.width() / natural.width(), box.height() / natural.height());
    QTransform place;
    place.translate(box.center().x(), box.center().y());
    place.scale(scale, scale);
    place.translate(-natural.center().x(), -natural.center().y());
    return place.map(path);
}

} // namespace

void DrawJoystick(QPainter& p, const QRectF& square)
{
    const qreal s = std::min(square.width(), square.height());
    const QPointF origin = square.center() - QPointF(s / 2, s / 2);
    auto at = [&](qreal x, qreal y) { return origin + QPointF(x * s, y * s); };
    QLinearGradient base(at(0, 0.65), at(0, 0.95));
    base.setColorAt(0, QColor(70, 70, 80));
    base.setColorAt(1, QColor(25, 25, 30));
    p.setPen(QPen(QColor(10, 10, 10), s / 60));
    p.setBrush(base);
    p.drawRoundedRect(QRectF(at(0.15, 0.68), at(0.85, 0.92)), s * 0.06, s * 0.06);
    // A light rim keeps the black base apart from a dark window.
    p.setPen(QPen(QColor(150, 150, 165), s / 40));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(at(0.16, 0.69), at(0.84, 0.91)), s * 0.05, s * 0.05);
    p.setPen(QPen(QColor(40, 40, 40), s * 0.07, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(at(0.5, 0.72), at(0.42, 0.32));
    QRadialGradient ball(at(0.38, 0.22), s * 0.2);
    ball.setColorAt(0, QColor(255, 120, 120));
    ball.setColorAt(1, QColor(190, 0, 0));
    p.setPen(QPen(QColor(90, 0, 0), s / 60));
    p.setBrush(ball);
    p.drawEllipse(at(0.42, 0.27), s * 0.14, s * 0.14);
    p.setBrush(QColor(255, 215, 0));
    p.drawEllipse(at(0.70, 0.76), s * 0.05, s * 0.03);
}

void DrawVantorKorbLogo(QPainter& p, const QRectF& rect)
{
    const QRectF box = FitDesignBox(rect);
    const qreal unit = box.width() / kLogoDesignSize.width();
    auto design = [&](qreal x, qreal y, qreal w, qreal h) {
        return QRectF(box.left() + x * unit, box.top() + y * unit, w * unit, h * unit);
    };
    DrawJoystick(p, design(0, 2, 39, 39));
    const QPainterPath name = NamePath(design(35, 8, 64, 20));
    // A dark edge and a yellow face read on light and dark windows alike.
    p.setPen(
        QPen(QColor(20, 35, 110), std::max(1.0, 2.2 * unit), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(name);
    QLinearGradient fill(name.boundingRect().topLeft(), name.boundingRect().bottomLeft());
    fill.setColorAt(0, QColor(255, 240, 120));
    fill.setColorAt(1, QColor(255, 170, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(name);
    // A swoosh under the name, ending in a fire button.
    QPainterPath swoosh;
    swoosh.moveTo(box.left() + 40 * unit, box.top() + 34 * unit);
    swoosh.quadTo(box.left() + 68 * unit, box.top() + 27 * unit, box.left() + 95 * unit,
                  box.top() + 33 * unit);
    swoosh.quadTo(box.left() + 68 * unit, box.top() + 31 * unit, box.left() + 40 * unit,
                  box.top() + 34 * unit);
    p.setPen(QPen(QColor(120, 40, 0), 0.6 * unit));
    p.setBrush(QColor(235, 110, 0));
    p.drawPath(swoosh);
    p.setBrush(QColor(210, 0, 0));
    p.drawEllipse(QPointF(box.left() + 95 * unit, box.top() + 33 * unit), 3 * unit, 3 * unit);
}

QIcon VantorKorbLogoIcon()
{
    return PaintedIcon([](QPainter& p, const QRectF& r, QIcon::Mode) { DrawVantorKorbLogo(p, r); });
}

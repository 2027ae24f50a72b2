#include "ui/Pictures.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "components/Logo.h"
#include "components/PaintedIcon.h"

namespace {

QRectF SquareIn(const QRectF& rect)
{
    const qreal side = qMin(rect.width(), rect.height());
    return QRectF(rect.center().x() - side / 2, rect.center().y() - side / 2, side, side);
}

void DrawHead(QPainter& p, const QRectF& box, QColor skin)
{
    const qreal s = box.width();
    const QPointF c = box.center();
    auto at = [&](qreal x, qreal y) { return QPointF(box.left() + x * s, box.top() + y * s); };
    const QColor outline = skin.darker(230);
    p.setPen(QPen(outline, qMax(1.0, s / 16)));
    // Ears first, so the face covers their inner half.
    p.setBrush(skin.darker(115));
    p.drawEllipse(at(0.14, 0.50), s * 0.10, s * 0.13);
    p.drawEllipse(at(0.86, 0.50), s * 0.10, s * 0.13);
    QRadialGradient shade(at(0.40, 0.35), s * 0.55);
    shade.setColorAt(0, skin.lighter(150));
    shade.setColorAt(1, skin);
    p.setBrush(shade);
    p.drawEllipse(c + QPointF(0, s * 0.02), s * 0.36, s * 0.40);
    // Eyes: white with dark pupils looking slightly sideways.
    p.setPen(QPen(outline, qMax(0.8, s / 28)));
    p.setBrush(Qt::white);
    p.drawEllipse(at(0.38, 0.42), s * 0.09, s * 0.11);
    p.drawEllipse(at(0.62, 0.42), s * 0.09, s * 0.11);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 20, 30));
    p.drawEllipse(at(0.40, 0.44), s * 0.045, s * 0.055);
    p.drawEllipse(at(0.64, 0.44), s * 0.045, s * 0.055);
    QPainterPath smile;
    smile.moveTo(at(0.32, 0.64));
    smile.quadTo(at(0.50, 0.82), at(0.68, 0.64));
    p.setPen(QPen(outline, qMax(1.0, s / 14), Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(smile);
}

void DrawCross(QPainter& p, const QRectF& box)
{
    const qreal s = box.width();
    const QPointF a = box.topLeft() + QPointF(s * 0.12, s * 0.12);
    const QPointF b = box.bottomRight() - QPointF(s * 0.12, s * 0.12);
    const QPointF c = QPointF(b.x(), a.y());
    const QPointF d = QPointF(a.x(), b.y());
    p.setPen(QPen(QColor(90, 0, 0), s * 0.20, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(a, b);
    p.drawLine(c, d);
    p.setPen(QPen(QColor(235, 30, 30), s * 0.12, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(a, b);
    p.drawLine(c, d);
}

void DrawGameIcon(QPainter& p, const QRectF& rect, bool installed)
{
    const QRectF box = SquareIn(rect);
    DrawHead(p, box, installed ? QColor(50, 110, 230) : QColor(70, 180, 60));
    if (!installed) {
        DrawCross(p, box);
    }
}

// Text as an outlined path, so it has the same weight at every size.
void DrawOutlinedText(QPainter& p, const QRectF& rect, const QString& text, QColor fill, QColor edge)
{
    QFont font("Arial");
    font.setBold(true);
    font.setPixelSize(100);
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF bounds = path.boundingRect();
    const qreal scale = qMin(rect.width() * 0.9 / bounds.width(), rect.height() * 0.8 / bounds.height());
    QTransform transform;
    transform.translate(rect.center().x(), rect.center().y());
    transform.scale(scale, scale);
    transform.translate(-bounds.center().x(), -bounds.center().y());
    const QPainterPath placed = transform.map(path);
    p.setPen(QPen(edge, qMax(1.0, rect.height() / 12), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(placed);
    p.setPen(Qt::NoPen);
    QLinearGradient gradient(placed.boundingRect().topLeft(), placed.boundingRect().bottomLeft());
    gradient.setColorAt(0, fill.lighter(125));
    gradient.setColorAt(1, fill.darker(110));
    p.setBrush(gradient);
    p.drawPath(placed);
}

void DrawStartCaption(QPainter& p, const QRectF& rect, QIcon::Mode mode)
{
    if (mode == QIcon::Disabled) {
        DrawOutlinedText(p, rect, "Start", QColor(200, 190, 140), QColor(140, 135, 120));
    } else {
        DrawOutlinedText(p, rect, "Start", QColor(255, 215, 0), QColor(110, 60, 0));
    }
}

void DrawAppIcon(QPainter& p, const QRectF& rect)
{
    const QRectF box = SquareIn(rect);
    const qreal s = box.width();
    QLinearGradient back(box.topLeft(), box.bottomLeft());
    back.setColorAt(0, QColor(40, 60, 140));
    back.setColorAt(1, QColor(10, 20, 60));
    p.setPen(Qt::NoPen);
    p.setBrush(back);
    p.drawRoundedRect(box.adjusted(s * 0.03, s * 0.03, -s * 0.03, -s * 0.03), s * 0.18, s * 0.18);
    DrawJoystick(p, box.adjusted(s * 0.12, s * 0.08, -s * 0.12, -s * 0.12));
}

} // namespace

QIcon GameIcon(bool installed)
{
    return PaintedIcon(
        [installed](QPainter& p, const QRectF& r, QIcon::Mode) { DrawGameIcon(p, r, installed); });
}

QIcon StartButtonIcon()
{
    return PaintedIcon(DrawStartCaption);
}

QIcon LogoIcon()
{
    return VantorKorbLogoIcon();
}

QIcon AppIcon()
{
    return PaintedIcon([](QPainter& p, const QRectF& r, QIcon::Mode) { DrawAppIcon(p, r); });
}

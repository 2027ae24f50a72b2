#include "ui/ToolGlyphs.h"

#include <algorithm>

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>

#include "components/PaintedIcon.h"

namespace {

// Coordinates on a 24 by 24 grid, centred in the icon's largest square.
class TGrid
{
public:
    explicit TGrid(const QRectF& rect)
        : m_unit(std::min(rect.width(), rect.height()) / 24.0),
          m_origin(rect.center() - QPointF(12 * m_unit, 12 * m_unit))
    {
    }
    QPointF At(qreal x, qreal y) const { return m_origin + QPointF(x * m_unit, y * m_unit); }
    QRectF Box(qreal x, qreal y, qreal w, qreal h) const { return QRectF(At(x, y), At(x + w, y + h)); }
    qreal Unit() const { return m_unit; }

private:
    qreal m_unit;
    QPointF m_origin;
};

QPainterPath Polygon(const TGrid& g, std::initializer_list<QPointF> points)
{
    QPainterPath path;
    bool first = true;
    for (const QPointF& point : points) {
        const QPointF at = g.At(point.x(), point.y());
        first ? path.moveTo(at) : path.lineTo(at);
        first = false;
    }
    path.closeSubpath();
    return path;
}

void DrawTransport(QPainter& p, const TGrid& g, TToolGlyph glyph)
{
    switch (glyph) {
    case TToolGlyph::Play:
        p.drawPath(Polygon(g, {{7, 4}, {20, 12}, {7, 20}}));
        break;
    case TToolGlyph::Pause:
        p.drawRect(g.Box(6, 5, 4, 14));
        p.drawRect(g.Box(14, 5, 4, 14));
        break;
    case TToolGlyph::Previous:
        p.drawRect(g.Box(4, 5, 3, 14));
        p.drawPath(Polygon(g, {{20, 5}, {8, 12}, {20, 19}}));
        break;
    default:
        p.drawRect(g.Box(17, 5, 3, 14));
        p.drawPath(Polygon(g, {{4, 5}, {16, 12}, {4, 19}}));
        break;
    }
}

void DrawOutlined(QPainter& p, const TGrid& g, TToolGlyph glyph, const QColor& ink)
{
    QPen pen(ink, 2 * g.Unit(), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    switch (glyph) {
    case TToolGlyph::Timer:
        p.drawEllipse(g.Box(3, 4, 18, 18));
        p.drawLine(g.At(12, 13), g.At(12, 8));
        p.drawLine(g.At(12, 13), g.At(16, 15));
        p.drawLine(g.At(9, 2), g.At(15, 2));
        break;
    case TToolGlyph::Delete:
        p.drawPath(Polygon(g, {{6, 7}, {18, 7}, {17, 21}, {7, 21}}));
        p.drawLine(g.At(4, 6), g.At(20, 6));
        p.drawLine(g.At(10, 3), g.At(14, 3));
        p.drawLine(g.At(10, 10), g.At(10, 18));
        p.drawLine(g.At(14, 10), g.At(14, 18));
        break;
    case TToolGlyph::Close:
    case TToolGlyph::Cancel:
        p.drawLine(g.At(6, 6), g.At(18, 18));
        p.drawLine(g.At(18, 6), g.At(6, 18));
        break;
    case TToolGlyph::Document:
        p.drawPath(Polygon(g, {{5, 3}, {14, 3}, {19, 8}, {19, 21}, {5, 21}}));
        for (qreal y : {11.0, 14.5, 18.0})
            p.drawLine(g.At(8.5, y), g.At(15.5, y));
        break;
    case TToolGlyph::Link:
        p.drawEllipse(g.Box(3, 3, 18, 18));
        p.drawEllipse(g.Box(8, 3, 8, 18));
        p.drawLine(g.At(3, 12), g.At(21, 12));
        break;
    case TToolGlyph::Save:
        p.drawPath(Polygon(g, {{4, 4}, {17, 4}, {20, 7}, {20, 20}, {4, 20}}));
        p.drawRect(g.Box(8, 4, 8, 5));
        p.drawRect(g.Box(7, 13, 10, 7));
        break;
    default: {
        QPainterPath arrow;
        arrow.moveTo(g.At(7, 9));
        arrow.lineTo(g.At(14, 9));
        arrow.cubicTo(g.At(22, 9), g.At(22, 20), g.At(14, 20));
        arrow.lineTo(g.At(8, 20));
        p.drawPath(arrow);
        p.setBrush(ink);
        p.setPen(Qt::NoPen);
        p.drawPath(Polygon(g, {{3, 9}, {9, 4}, {9, 14}}));
        break;
    }
    }
}

void DrawGlyph(QPainter& p, const QRectF& rect, QIcon::Mode mode, TToolGlyph glyph)
{
    const TGrid grid(rect);
    const QColor ink = ToolGlyphInk(mode);
    if (glyph == TToolGlyph::Play || glyph == TToolGlyph::Pause || glyph == TToolGlyph::Previous ||
        glyph == TToolGlyph::Next) {
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        DrawTransport(p, grid, glyph);
        return;
    }
    DrawOutlined(p, grid, glyph, ink);
}

} // namespace

QColor ToolGlyphInk(QIcon::Mode mode)
{
    const QPalette palette = QGuiApplication::palette();
    return palette.color(mode == QIcon::Disabled ? QPalette::Disabled : QPalette::Active,
                         QPalette::ButtonText);
}

QIcon ToolGlyphIcon(TToolGlyph glyph)
{
    return PaintedIcon(
        [glyph](QPainter& p, const QRectF& rect, QIcon::Mode mode) { DrawGlyph(p, rect, mode, glyph); });
}

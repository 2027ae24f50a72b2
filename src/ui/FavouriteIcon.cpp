#include "ui/FavouriteIcon.h"

#include <cmath>

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>

#include "ui/Pictures.h"

namespace {

QPainterPath StarPath(const QRectF& box)
{
    QPainterPath star;
    const QPointF centre = box.center();
    const qreal outer = box.width() / 2;
    const qreal inner = outer * 0.45;
    for (int i = 0; i < 10; ++i) {
        const qreal angle = -M_PI / 2 + i * M_PI / 5;
        const qreal radius = i % 2 == 0 ? outer : inner;
        const QPointF point(centre.x() + radius * std::cos(angle), centre.y() + radius * std::sin(angle));
        if (i == 0)
            star.moveTo(point);
        else
            star.lineTo(point);
    }
    star.closeSubpath();
    return star;
}

class TFavouriteIconEngine : public QIconEngine
{
public:
    explicit TFavouriteIconEngine(bool installed) : m_installed(installed), m_base(GameIcon(installed)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        m_base.paint(painter, rect, Qt::AlignCenter, mode, state);
        const qreal side = qMax<qreal>(7, rect.width() * 0.55);
        const QRectF box(rect.right() + 1 - side, rect.top(), side, side);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(QPen(QColor(120, 80, 0), qMax<qreal>(1, side / 12)));
        painter->setBrush(QColor(255, 200, 0));
        painter->drawPath(StarPath(box));
        painter->restore();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        QPixmap result(size);
        result.fill(Qt::transparent);
        QPainter painter(&result);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return result;
    }

    QIconEngine* clone() const override { return new TFavouriteIconEngine(m_installed); }

private:
    bool m_installed;
    QIcon m_base;
};

} // namespace

QIcon FavouriteGameIcon(bool installed)
{
    return QIcon(new TFavouriteIconEngine(installed));
}

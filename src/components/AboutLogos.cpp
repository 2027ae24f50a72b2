#include "components/AboutLogos.h"

#include <algorithm>

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>

namespace {

QPixmap Canvas(int width, int height, qreal devicePixelRatio)
{
    QPixmap picture(QSize(width, height) * devicePixelRatio);
    picture.setDevicePixelRatio(devicePixelRatio);
    picture.fill(Qt::transparent);
    return picture;
}

// The text as an outline centred in the box, so it can be filled with a gradient and stroked.
QPainterPath CentredText(const QString& text, const QFont& font, const QRectF& box)
{
    QPainterPath path;
    path.addText(0, 0, font, text);
    // Fonts differ from desktop to desktop: shrink a name that would not fit.
    const QRectF natural = path.boundingRect();
    const qreal fit =
        std::min({1.0, (box.width() - 4) / natural.width(), (box.height() - 2) / natural.height()});
    path = QTransform::fromScale(fit, fit).map(path);
    path.translate(box.center() - path.boundingRect().center());
    return path;
}

} // namespace

QPixmap VantorKorbLogo(qreal devicePixelRatio)
{
    QPixmap picture = Canvas(100, 43, devicePixelRatio);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);

    QFont font;
    font.setPixelSize(19);
    font.setBold(true);
    font.setItalic(true);
    const QPainterPath name = CentredText(QStringLiteral("VantorKorb"), font, QRectF(0, 2, 100, 26));
    QLinearGradient fill(0, 6, 0, 26);
    fill.setColorAt(0, QColor(120, 190, 255));
    fill.setColorAt(1, QColor(0, 50, 170));
    painter.setPen(QPen(QColor(0, 20, 80), 1.0));
    painter.setBrush(fill);
    painter.drawPath(name);

    // A swoosh under the name, like a joystick's arc.
    QPainterPath swoosh;
    swoosh.moveTo(8, 34);
    swoosh.quadTo(50, 24, 92, 34);
    swoosh.quadTo(50, 30, 8, 34);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(230, 120, 0));
    painter.drawPath(swoosh);
    painter.setBrush(QColor(200, 0, 0));
    painter.drawEllipse(QPointF(92, 34), 3.5, 3.5);
    return picture;
}

QPixmap KorbLogo(qreal devicePixelRatio)
{
    QPixmap picture = Canvas(100, 47, devicePixelRatio);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);

    QFont font;
    font.setPixelSize(28);
    font.setWeight(QFont::Black);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 2);
    const QPainterPath name = CentredText(QStringLiteral("KORB"), font, QRectF(0, 0, 100, 32));
    QLinearGradient fill(0, 6, 0, 30);
    fill.setColorAt(0, QColor(255, 220, 0));
    fill.setColorAt(1, QColor(220, 30, 0));
    painter.setPen(QPen(Qt::black, 1.5));
    painter.setBrush(fill);
    painter.drawPath(name);

    QFont small;
    small.setPixelSize(9);
    small.setBold(true);
    painter.setFont(small);
    painter.setPen(QColor(60, 60, 60));
    painter.drawText(QRectF(0, 33, 100, 13), Qt::AlignCenter, QStringLiteral("arcade emulator"));
    return picture;
}

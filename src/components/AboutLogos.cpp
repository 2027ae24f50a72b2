#include "components/AboutLogos.h"

#include <algorithm>

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>

#include "components/Logo.h"

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
    return VantorKorbLogoIcon().pixmap(kLogoDesignSize.toSize(), devicePixelRatio);
}

QPixmap KorbLogo(qreal devicePixelRatio, const QColor& captionColour)
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
    painter.setPen(captionColour);
    painter.drawText(QRectF(0, 33, 100, 13), Qt::AlignCenter, QStringLiteral("arcade emulator"));
    return picture;
}

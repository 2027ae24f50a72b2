#include "components/LinkLabelCursors.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

// A pointing hand, index finger up, its tip at (fingerX, 1); the palm's shade and the finger's width
// tell the kinds apart.
QPainterPath HandPath(qreal fingerX, qreal fingerWidth)
{
    QPainterPath path;
    const qreal right = fingerX + fingerWidth;
    path.moveTo(fingerX, 12);
    path.lineTo(fingerX, 3);
    path.arcTo(QRectF(fingerX, 1, fingerWidth, fingerWidth), 180, -180);
    path.lineTo(right, 10);
    // Three bent fingers to the right of the index finger.
    for (int knuckle = 0; knuckle < 3; ++knuckle) {
        const qreal x = right + knuckle * 3.5;
        path.arcTo(QRectF(x, 9, 3.5, 3.5), 180, -180);
    }
    path.lineTo(right + 10.5, 20);
    path.quadTo(right + 10.5, 26, right + 6, 28);
    path.lineTo(fingerX + 1, 28);
    path.lineTo(fingerX - 4, 20);
    // The thumb, folded against the palm.
    path.quadTo(fingerX - 6, 16, fingerX - 3, 16);
    path.lineTo(fingerX, 18);
    path.closeSubpath();
    return path;
}

QCursor DrawHand(TCustomCursor kind)
{
    QPixmap picture(32, 32);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal fingerX = 6;
    const qreal fingerWidth = kind == TCustomCursor::crMSIE ? 4.5 : 4;
    const QColor palm = kind == TCustomCursor::crMSIE ? QColor(255, 255, 255) : QColor(255, 236, 200);
    painter.setPen(QPen(Qt::black, 1.2));
    painter.setBrush(palm);
    painter.drawPath(HandPath(fingerX, fingerWidth));
    if (kind == TCustomCursor::crHandHelp) {
        QFont font = painter.font();
        font.setPixelSize(12);
        font.setBold(true);
        painter.setFont(font);
        painter.setPen(QColor(0, 0, 160));
        painter.drawText(QRectF(20, 0, 12, 14), Qt::AlignCenter, QStringLiteral("?"));
    }
    painter.end();
    return QCursor(picture, static_cast<int>(fingerX + fingerWidth / 2), 1);
}

} // namespace

QCursor CustomCursorShape(TCustomCursor kind)
{
    if (kind == TCustomCursor::crDefaultCursor) {
        return QCursor(Qt::ArrowCursor);
    }
    return DrawHand(kind);
}

TLinkCursorSlot& TLinkCursorSlot::Instance()
{
    // Never destroyed: a pointer picture must not outlive the application object.
    static TLinkCursorSlot* slot = new TLinkCursorSlot;
    return *slot;
}

void TLinkCursorSlot::Load(TCustomCursor kind)
{
    m_kind = kind;
    m_shape = CustomCursorShape(kind);
    emit Changed(m_shape);
}

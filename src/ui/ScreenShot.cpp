#include "ui/ScreenShot.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QVBoxLayout>

namespace {

// A small stopwatch face, drawn so it stays sharp on any screen.
QPixmap ClockPicture()
{
    const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
    QPixmap pixmap(QSize(40, 40) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(40, 40, 90), 2.5));
    painter.setBrush(QColor(235, 240, 255));
    painter.drawEllipse(QRectF(4, 6, 32, 32));
    painter.drawLine(QPointF(20, 6), QPointF(20, 2));
    painter.drawLine(QPointF(16, 2), QPointF(24, 2));
    painter.setPen(QPen(QColor(200, 30, 30), 2.5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(20, 22), QPointF(20, 11));
    painter.drawLine(QPointF(20, 22), QPointF(28, 26));
    return pixmap;
}

} // namespace

TScreenShot::TScreenShot(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint)
{
    setWindowTitle("ScreenShot");
    setModal(true);

    Picture = new QLabel(this);
    Picture->setPixmap(ClockPicture());
    TimerBar = new QSlider(Qt::Horizontal, this);
    TimerBar->setObjectName("TimerBar");
    TimerBar->setRange(1, 10);
    TimerBar->setTickPosition(QSlider::TicksBelow);
    TimerBar->setTickInterval(1);
    TimerBar->setSingleStep(1);
    TimerBar->setPageStep(1);
    TimerBar->setValue(10);
    TimerBar->setMinimumWidth(180);
    TimerLabel = new QLabel("10 Sec.", this);
    TimerLabel->setObjectName("TimerLabel");
    TimerLabel->setMinimumWidth(TimerLabel->fontMetrics().horizontalAdvance("10 Sec.") + 8);
    OKButton = new QPushButton("OK", this);
    OKButton->setObjectName("OKButton");
    OKButton->setDefault(true);
    CancelButton = new QPushButton("Cancel", this);
    CancelButton->setObjectName("CancelButton");

    auto* barRow = new QHBoxLayout;
    barRow->addWidget(Picture);
    barRow->addWidget(TimerBar, 1);
    barRow->addWidget(TimerLabel);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(OKButton);
    buttonRow->addWidget(CancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(barRow);
    layout->addLayout(buttonRow);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(TimerBar, &QSlider::valueChanged, this, &TScreenShot::TimerBarChange);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void TScreenShot::TimerBarChange()
{
    TimerLabel->setText(QString::number(TimerBar->value()) + " Sec.");
}

void TScreenShot::PrepareTimer(int interval)
{
    TimerBar->setValue(interval / 1000);
    TimerBarChange();
}

int TScreenShot::TimerResult(int interval, int dialogResult) const
{
    return dialogResult == QDialog::Accepted ? TimerBar->value() * 1000 : interval;
}

int TScreenShot::SetTimer(int interval)
{
    PrepareTimer(interval);
    return TimerResult(interval, exec());
}

void TScreenShot::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TScreenShot::FormShow()
{
    if (ScaleFormFonts)
        ScaleFormFonts(this);
    adjustSize();
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}

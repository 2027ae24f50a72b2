#include "ui/ScreenShotWidgets.h"

#include <QPainter>
#include <QResizeEvent>
#include <QToolButton>

TSSPanel::TSSPanel(QWidget* parent) : QWidget(parent)
{
    setObjectName("SSPanel");
    setAutoFillBackground(true);
}

TSSImage::TSSImage(QWidget* parent) : QWidget(parent)
{
    setObjectName("SSImage");
}

void TSSImage::SetPicture(const QImage& picture)
{
    if (picture.cacheKey() == m_picture.cacheKey())
        return;
    m_picture = picture;
    m_scaled = QImage();
    update();
}

QImage TSSImage::PaintedPicture() const
{
    if (m_picture.isNull() || size().isEmpty() || m_picture.size() == size())
        return m_picture;
    if (m_scaled.size() != size())
        m_scaled = m_picture.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return m_scaled;
}

void TSSImage::paintEvent(QPaintEvent*)
{
    const QImage painted = PaintedPicture();
    if (painted.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(), painted);
}

TSToolBar::TSToolBar(QWidget* parent) : QWidget(parent)
{
    setObjectName("SToolBar");
    setFixedHeight(kButtonHeight);
}

void TSToolBar::AddButton(QToolButton* button)
{
    button->setParent(this);
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    button->setAutoRaise(true);
    m_buttons.push_back(button);
    ToolBarResize();
}

void TSToolBar::ToolBarResize()
{
    if (m_buttons.empty())
        return;
    const int buttonWidth = width() / static_cast<int>(m_buttons.size());
    for (size_t i = 0; i < m_buttons.size(); ++i)
        m_buttons[i]->setGeometry(static_cast<int>(i) * buttonWidth, 0, buttonWidth, kButtonHeight);
}

void TSToolBar::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    ToolBarResize();
}

void TSSArea::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    for (QObject* child : children()) {
        if (auto* widget = qobject_cast<QWidget*>(child))
            widget->setGeometry(rect());
    }
    if (OnResize)
        OnResize(event->size());
}

#pragma once
// The widgets of the Screenshot tab that need their own painting or layout.

#include <functional>

#include <QImage>
#include <QWidget>

class QToolButton;

// Hosts the picture; its own background shows through transparent pixels.
class TSSPanel : public QWidget
{
    Q_OBJECT
public:
    explicit TSSPanel(QWidget* parent = nullptr);
};

// Always draws its picture stretched to its own bounds, smoothly when the sizes differ.
class TSSImage : public QWidget
{
    Q_OBJECT
public:
    explicit TSSImage(QWidget* parent = nullptr);
    void SetPicture(const QImage& picture);
    const QImage& Picture() const { return m_picture; }
    // The picture as painted at the current size (the picture itself when no scaling is needed).
    QImage PaintedPicture() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_picture;
    mutable QImage m_scaled; // one cached copy for the current size
};

// Buttons in one row sharing the width equally: each is width div count wide.
class TSToolBar : public QWidget
{
    Q_OBJECT
public:
    explicit TSToolBar(QWidget* parent = nullptr);
    void AddButton(QToolButton* button);
    int ButtonCount() const { return static_cast<int>(m_buttons.size()); }
    // ToolBarResize.
    void ToolBarResize();

    static constexpr int kButtonHeight = 35;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    std::vector<QToolButton*> m_buttons;
};

// Lays its children over each other, each filling it, and reports its size.
class TSSArea : public QWidget
{
    Q_OBJECT
public:
    explicit TSSArea(QWidget* parent = nullptr) : QWidget(parent) {}
    std::function<void(QSize)> OnResize;

protected:
    void resizeEvent(QResizeEvent* event) override;
};

#pragma once
// The settings page's tool bar: its buttons share its width equally, hidden buttons counting too.

#include <vector>

#include <QWidget>

class QIcon;
class QToolButton;

class TSettingsToolbar : public QWidget
{
    Q_OBJECT

public:
    explicit TSettingsToolbar(QWidget* parent = nullptr);

    QToolButton* AddButton(const QString& caption, const QString& hint, const QIcon& icon);
    // Run after showing or hiding buttons, and on every resize.
    void LayOut();
    // The width of every button: the tool bar's width divided by the number of buttons.
    int ButtonWidth() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct TButton
    {
        QToolButton* Button;
        int TextOnlyWidth;
        int WithIconWidth;
    };
    void Measure();

    std::vector<TButton> m_buttons;
    int m_buttonHeight = 0;
};

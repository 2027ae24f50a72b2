#pragma once
// The desktop's widget style with the few additions the program relies on.

#include <QProxyStyle>

// The style named by the key (the application's own when empty), plus a highlight on the tab under the
// pointer: the shipped styles draw nothing there, and the tabs of a hot-tracking page control must show it.
// Tab bars report the pointer only while they have Qt::WA_Hover, so the attribute switches the highlight.
class TProgramStyle : public QProxyStyle
{
    Q_OBJECT
public:
    explicit TProgramStyle(const QString& key = {});

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
};

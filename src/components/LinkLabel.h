#pragma once
// TLinkLabel: a label that shows an address, changes colour under the pointer and opens the address.

#include <QColor>
#include <QLabel>
#include <QString>

#include "base/Version.h"
#include "components/LinkLabelCursors.h"

class QAction;
class QMenu;
class TShell;

// The colours a link label is drawn in.
inline const QColor kLinkNormalColor{0x00, 0x00, 0xFF};    // blue
inline const QColor kLinkMouseOverColor{0xFF, 0x00, 0x00}; // red
inline const QColor kLinkActiveColor{0x80, 0x00, 0x80};    // purple
// A new label leads to the project's home page, or nowhere when it has none.
inline constexpr const char* kLinkDefaultUrl = kProjectHomepage;
inline constexpr const char* kLinkDefaultPopupString = "Copy Link Location";

class TLinkLabel : public QLabel
{
    Q_OBJECT
    Q_PROPERTY(QColor ColorMouseOver READ ColorMouseOver WRITE SetColorMouseOver)
    Q_PROPERTY(QColor ColorActive READ ColorActive WRITE SetColorActive)
    Q_PROPERTY(QString Url READ Url WRITE SetUrl)
    Q_PROPERTY(TCustomCursor CursorMouseOver READ CursorMouseOver WRITE SetCursorMouseOver)
    Q_PROPERTY(QString PopupString READ PopupString WRITE SetPopupString)

public:
    // The shell opens the address; without one a click opens nothing.
    explicit TLinkLabel(TShell* shell, QWidget* parent = nullptr);

    QColor ColorMouseOver() const { return m_colorMouseOver; }
    void SetColorMouseOver(const QColor& color);
    QColor ColorActive() const { return m_colorActive; }
    void SetColorActive(const QColor& color);
    QString Url() const { return m_url; }
    void SetUrl(const QString& url) { m_url = url; }
    TCustomCursor CursorMouseOver() const { return m_cursorMouseOver; }
    void SetCursorMouseOver(TCustomCursor kind);
    QString PopupString() const;
    void SetPopupString(const QString& caption);

    bool IsOver() const { return m_over; }
    bool IsPressed() const { return m_pressed; }
    // The colour the text is drawn in now: the colour of the state, made readable on the window's ground.
    QColor CurrentColor() const;
    QMenu* PopupMenu() const { return m_popupMenu; }

    // Opens Url with the user's web browser when one is registered as a program, else through the shell.
    void OpenUrl();
    // The context menu's item: Url onto the clipboard.
    void MenuItemClick();

signals:
    void OnMouseDown(Qt::MouseButton button, QPoint position);
    void OnMouseMove(QPoint position);
    void OnMouseUp(Qt::MouseButton button, QPoint position);
    void OnClick();

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void SetOver(bool over);
    void UpdateColor();

    TShell* m_shell;
    QColor m_colorMouseOver = kLinkMouseOverColor;
    QColor m_colorActive = kLinkActiveColor;
    QString m_url = kLinkDefaultUrl;
    TCustomCursor m_cursorMouseOver = TCustomCursor::crDefaultCursor;
    bool m_over = false;
    bool m_pressed = false;
    bool m_updatingColor = false;
    QMenu* m_popupMenu;
    QAction* m_menuItem;
    QMetaObject::Connection m_cursorConnection;
};

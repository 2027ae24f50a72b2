#include "components/LinkLabel.h"

#include "base/FileKinds.h"

#include <filesystem>
#include <string>

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QEnterEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QScopedValueRollback>

#include "base/CommandText.h"
#include "components/ReadableColour.h"
#include "platform/Shell.h"

namespace {

const char* const kWebPageExtensions[] = {".html", ".htm", ".shtml", ".shtm"};

std::string WithoutDocumentField(std::string command)
{
    for (size_t at = command.find("%1"); at != std::string::npos; at = command.find("%1", at)) {
        command.erase(at, 2);
    }
    return command;
}

std::string TrimBlanks(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool IsExistingFile(const std::string& path)
{
    return !path.empty() && IsRegularFile(path);
}

} // namespace

TLinkLabel::TLinkLabel(TShell* shell, QWidget* parent)
    : QLabel(parent), m_shell(shell), m_popupMenu(new QMenu(this))
{
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    m_menuItem = m_popupMenu->addAction(kLinkDefaultPopupString);
    m_menuItem->setObjectName("MenuItem");
    connect(m_menuItem, &QAction::triggered, this, &TLinkLabel::MenuItemClick);
    SetCursorMouseOver(TCustomCursor::crMozilla);
    UpdateColor();
}

void TLinkLabel::SetColorMouseOver(const QColor& color)
{
    m_colorMouseOver = color;
    UpdateColor();
}

void TLinkLabel::SetColorActive(const QColor& color)
{
    m_colorActive = color;
    UpdateColor();
}

void TLinkLabel::SetCursorMouseOver(TCustomCursor kind)
{
    m_cursorMouseOver = kind;
    disconnect(m_cursorConnection);
    if (kind == TCustomCursor::crDefaultCursor) {
        unsetCursor();
        return;
    }
    TLinkCursorSlot& slot = TLinkCursorSlot::Instance();
    m_cursorConnection =
        connect(&slot, &TLinkCursorSlot::Changed, this, [this](const QCursor& shape) { setCursor(shape); });
    slot.Load(kind);
}

QString TLinkLabel::PopupString() const
{
    return m_menuItem->text();
}

void TLinkLabel::SetPopupString(const QString& caption)
{
    m_menuItem->setText(caption);
}

QColor TLinkLabel::CurrentColor() const
{
    QColor wanted = kLinkNormalColor;
    if (m_over) {
        wanted = m_pressed ? m_colorActive : m_colorMouseOver;
    }
    // The link colours are made for light windows; on a dark one they are lightened until readable.
    return ReadableOn(wanted, palette().color(QPalette::Window));
}

void TLinkLabel::UpdateColor()
{
    if (m_updatingColor) {
        return;
    }
    QScopedValueRollback<bool> updating(m_updatingColor, true);
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, CurrentColor());
    setPalette(colours);
}

void TLinkLabel::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) {
        UpdateColor();
    }
}

void TLinkLabel::SetOver(bool over)
{
    m_over = over;
    UpdateColor();
}

void TLinkLabel::OpenUrl()
{
    if (!m_shell || m_url.isEmpty()) {
        return;
    }
    const std::string url = m_url.toStdString();
    std::string command;
    for (const char* extension : kWebPageExtensions) {
        command = m_shell->WebBrowserCommand(extension);
        if (!command.empty()) {
            break;
        }
    }
    const std::string program = TrimBlanks(WithoutDocumentField(command));
    // The address is one word however many blanks or quotes it holds.
    if (IsExistingFile(program) && m_shell->RunProgram(program, QuoteCommandWord(url))) {
        return;
    }
    m_shell->OpenWithShell(url);
}

void TLinkLabel::MenuItemClick()
{
    QGuiApplication::clipboard()->setText(m_url);
}

void TLinkLabel::enterEvent(QEnterEvent* event)
{
    SetOver(true);
    QLabel::enterEvent(event);
}

void TLinkLabel::leaveEvent(QEvent* event)
{
    SetOver(false);
    QLabel::leaveEvent(event);
}

void TLinkLabel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_pressed = true;
    }
    SetOver(true);
    QLabel::mousePressEvent(event);
    emit OnMouseDown(event->button(), event->position().toPoint());
}

void TLinkLabel::mouseMoveEvent(QMouseEvent* event)
{
    // While a button is held the label keeps the pointer, so leaving it shows only in the position.
    if (event->buttons() != Qt::NoButton) {
        const bool inside = rect().contains(event->position().toPoint());
        if (inside != m_over) {
            SetOver(inside);
        }
    }
    QLabel::mouseMoveEvent(event);
    emit OnMouseMove(event->position().toPoint());
}

void TLinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    const bool left = event->button() == Qt::LeftButton;
    if (left) {
        m_pressed = false;
        UpdateColor();
    }
    const bool open = left && m_over;
    if (open) {
        OpenUrl();
    }
    QLabel::mouseReleaseEvent(event);
    emit OnMouseUp(event->button(), event->position().toPoint());
    if (open) {
        emit OnClick();
    }
}

void TLinkLabel::contextMenuEvent(QContextMenuEvent* event)
{
    m_pressed = false;
    SetOver(false);
    m_popupMenu->popup(event->globalPos());
    event->accept();
}

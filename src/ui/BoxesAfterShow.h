#pragma once
// Error boxes that wait for a window: a box raised while the program's window is not yet on screen (an
// unreadable first screenshot during the start-up) would stand alone on an empty desktop.

#include <string>
#include <vector>

#include <QObject>

#include "platform/Dialogs.h"

class QWidget;

// Passes everything on to the dialogs it wraps; a box with at most one button asked for while the widget's
// window is hidden is held and shown once that window has appeared. Its answer is then the one button.
class TBoxesAfterShow : public QObject, public TDialogs
{
public:
    TBoxesAfterShow(TDialogs& dialogs, QWidget& widget);

    TMsgButton ShowMessage(const TMessage& message) override;
    void Beep() override { m_dialogs.Beep(); }
    std::optional<std::string> OpenFile(const TOpenFileRequest& request) override
    {
        return m_dialogs.OpenFile(request);
    }
    std::optional<TFontChoice> ChooseFont(const TFontChoice& current) override
    {
        return m_dialogs.ChooseFont(current);
    }
    std::optional<uint32_t> ChooseColour(uint32_t current) override
    {
        return m_dialogs.ChooseColour(current);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowHeld();

    TDialogs& m_dialogs;
    QWidget& m_widget;
    std::vector<TMessage> m_held;
};

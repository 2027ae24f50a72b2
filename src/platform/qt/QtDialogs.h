#pragma once
// The dialogs of the desktop: Qt message boxes, file, font and colour dialogs.

#include "platform/Dialogs.h"

class TQtDialogs : public TDialogs
{
public:
    TMsgButton ShowMessage(const TMessage& message) override;
    void Beep() override;
    std::optional<std::string> OpenFile(const TOpenFileRequest& request) override;
    std::optional<TFontChoice> ChooseFont(const TFontChoice& current) override;
    std::optional<uint32_t> ChooseColour(uint32_t current) override;
};

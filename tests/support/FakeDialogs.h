#pragma once
// Recording dialogs for tests: every message is kept, answers come from a script.

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/Dialogs.h"

class TFakeDialogs : public TDialogs
{
public:
    TMsgButton ShowMessage(const TMessage& message) override;
    void Beep() override { ++BeepCount; }
    std::optional<std::string> OpenFile(const TOpenFileRequest& request) override;
    std::optional<TFontChoice> ChooseFont(const TFontChoice& current) override;
    std::optional<uint32_t> ChooseColour(uint32_t current) override;

    // Script: answers given in order; when empty the message's first button is the answer.
    std::deque<TMsgButton> Answers;
    std::optional<std::string> OpenFileResult;
    std::optional<TFontChoice> FontResult;
    std::optional<uint32_t> ColourResult;
    // Runs while a message is "shown", as the event loop of a real modal box would.
    std::function<void(const TMessage&)> OnShow;

    // Record.
    std::vector<TMessage> Messages;
    std::vector<TOpenFileRequest> OpenFileRequests;
    std::vector<TFontChoice> FontRequests;
    std::vector<uint32_t> ColourRequests;
    int BeepCount = 0;
};

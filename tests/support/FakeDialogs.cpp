#include "FakeDialogs.h"

TMsgButton TFakeDialogs::ShowMessage(const TMessage& message)
{
    Messages.push_back(message);
    if (OnShow)
        OnShow(message);
    if (!Answers.empty()) {
        TMsgButton answer = Answers.front();
        Answers.pop_front();
        return answer;
    }
    return message.Buttons.empty() ? TMsgButton::Ok : message.Buttons.front();
}

std::optional<std::string> TFakeDialogs::OpenFile(const TOpenFileRequest& request)
{
    OpenFileRequests.push_back(request);
    return OpenFileResult;
}

std::optional<TFontChoice> TFakeDialogs::ChooseFont(const TFontChoice& current)
{
    FontRequests.push_back(current);
    return FontResult;
}

std::optional<uint32_t> TFakeDialogs::ChooseColour(uint32_t current)
{
    ColourRequests.push_back(current);
    return ColourResult;
}

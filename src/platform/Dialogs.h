#pragma once
// Message boxes, the beep and the common dialogs, behind an interface so tests can script the answers.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

enum class TMsgIcon { None, Error, Warning, Information, Question };
enum class TMsgButton { Ok, Cancel, Yes, No };

struct TMessage
{
    std::string Caption;
    std::string Text; // a carriage return breaks the line
    TMsgIcon Icon = TMsgIcon::None;
    std::vector<TMsgButton> Buttons{TMsgButton::Ok};
};

struct TOpenFileRequest
{
    std::string InitialDir;
    std::string Title;
    std::string Filter; // "Description|pattern", as "Korb Executable|korb.exe"
    std::string DefaultName;
    std::string DefaultExt;
    bool MustExist = true;
};

// Font of the game list as the settings file stores it.
struct TFontChoice
{
    std::string Face = "Arial";
    int Size = 9;       // points
    int Style = 0;      // effects packed into bits, see TFontEffects
    uint32_t Color = 0; // 0x00BBGGRR or 0x80000000 + system colour number
};

// The effects of a font, unpacked from the stored style bits.
struct TFontEffects
{
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;

    static constexpr int kBold = 1, kItalic = 2, kUnderline = 4, kStrikeOut = 8;

    static constexpr TFontEffects FromStyle(int style)
    {
        return {(style & kBold) != 0, (style & kItalic) != 0, (style & kUnderline) != 0,
                (style & kStrikeOut) != 0};
    }
    constexpr int Style() const
    {
        return (Bold ? kBold : 0) | (Italic ? kItalic : 0) | (Underline ? kUnderline : 0) |
               (StrikeOut ? kStrikeOut : 0);
    }
};

class TDialogs
{
public:
    virtual ~TDialogs() = default;
    // Shows the message and returns the button pressed (the first one when the box is closed otherwise).
    virtual TMsgButton ShowMessage(const TMessage& message) = 0;
    virtual void Beep() = 0;
    // The chosen file's full name, or nothing when cancelled.
    virtual std::optional<std::string> OpenFile(const TOpenFileRequest& request) = 0;
    virtual std::optional<TFontChoice> ChooseFont(const TFontChoice& current) = 0;
    virtual std::optional<uint32_t> ChooseColour(uint32_t current) = 0;
};

// The program's error box: caption "Error", the error icon and the buttons given.
inline TMessage ErrorMessage(std::string text, std::vector<TMsgButton> buttons = {TMsgButton::Ok})
{
    return TMessage{"Error", std::move(text), TMsgIcon::Error, std::move(buttons)};
}

// Shows the error box with its one OK button.
inline void ShowError(TDialogs& dialogs, const std::string& text)
{
    dialogs.ShowMessage(ErrorMessage(text));
}

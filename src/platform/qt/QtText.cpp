#include "platform/qt/QtText.h"

#include <QFile>
#include <QStringDecoder>

namespace {

// The 0x80..0x9F range of Windows-1252; the rest of the high half equals Latin-1.
constexpr char16_t kCp1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                      0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr uint32_t kSystemColourFlag = 0x80000000;
constexpr uint32_t kClNone = 0x1FFFFFFF;

struct TRoleOf
{
    QPalette::ColorGroup Group;
    QPalette::ColorRole Role;
};

// The palette role that plays the part of each system colour number, in their stored order.
constexpr TRoleOf kSystemRoles[] = {
    {QPalette::Active, QPalette::Button},          // scroll bar
    {QPalette::Active, QPalette::Window},          // background
    {QPalette::Active, QPalette::Highlight},       // active caption
    {QPalette::Inactive, QPalette::Mid},           // inactive caption
    {QPalette::Active, QPalette::Window},          // menu
    {QPalette::Active, QPalette::Base},            // window
    {QPalette::Active, QPalette::Shadow},          // window frame
    {QPalette::Active, QPalette::WindowText},      // menu text
    {QPalette::Active, QPalette::Text},            // window text
    {QPalette::Active, QPalette::HighlightedText}, // caption text
    {QPalette::Active, QPalette::Window},          // active border
    {QPalette::Inactive, QPalette::Window},        // inactive border
    {QPalette::Active, QPalette::Dark},            // application workspace
    {QPalette::Active, QPalette::Highlight},       // highlight
    {QPalette::Active, QPalette::HighlightedText}, // highlight text
    {QPalette::Active, QPalette::Button},          // button face
    {QPalette::Active, QPalette::Dark},            // button shadow
    {QPalette::Disabled, QPalette::Text},          // grey text
    {QPalette::Active, QPalette::ButtonText},      // button text
    {QPalette::Inactive, QPalette::WindowText},    // inactive caption text
    {QPalette::Active, QPalette::Light},           // button highlight
    {QPalette::Active, QPalette::Shadow},          // 3-D dark shadow
    {QPalette::Active, QPalette::Midlight},        // 3-D light
    {QPalette::Active, QPalette::ToolTipText},     // info text
    {QPalette::Active, QPalette::ToolTipBase},     // info background
};
constexpr uint32_t kSystemCount = sizeof(kSystemRoles) / sizeof(kSystemRoles[0]);
constexpr uint32_t kWindowColour = 5;
constexpr int kDefaultPoints = 9;

} // namespace

QString TextFromBytes(const std::string& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (!utf8.hasError())
        return text;
    text.clear();
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (char c : bytes) {
        auto byte = static_cast<unsigned char>(c);
        text += (byte >= 0x80 && byte < 0xA0) ? QChar(kCp1252High[byte - 0x80]) : QChar(byte);
    }
    return text;
}

std::string PathToBytes(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

QString PathFromBytes(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

std::string TextToBytes(const QString& text)
{
    return text.toUtf8().toStdString();
}

QColor ColourFromStored(uint32_t value, const QPalette& palette)
{
    if (value == kClNone)
        return QColor(Qt::transparent);
    if (value & kSystemColourFlag) {
        const uint32_t n = value & ~kSystemColourFlag;
        // An unknown system colour number has no role; the window colour is the least surprising.
        const TRoleOf role = kSystemRoles[n < kSystemCount ? n : kWindowColour];
        return palette.color(role.Group, role.Role);
    }
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

uint32_t StoredFromColour(const QColor& colour)
{
    const QColor rgb = colour.toRgb();
    return uint32_t(rgb.red()) | (uint32_t(rgb.green()) << 8) | (uint32_t(rgb.blue()) << 16);
}

QFont FontFromChoice(const TFontChoice& choice)
{
    QFont font(TextFromBytes(choice.Face));
    font.setPointSize(choice.Size > 0 ? choice.Size : kDefaultPoints);
    const TFontEffects effects = TFontEffects::FromStyle(choice.Style);
    font.setBold(effects.Bold);
    font.setItalic(effects.Italic);
    font.setUnderline(effects.Underline);
    font.setStrikeOut(effects.StrikeOut);
    return font;
}

TFontChoice ChoiceFromFont(const QFont& font, const TFontChoice& base)
{
    TFontChoice choice = base;
    choice.Face = TextToBytes(font.family());
    choice.Size = font.pointSize() > 0 ? font.pointSize() : base.Size;
    choice.Style = TFontEffects{font.bold(), font.italic(), font.underline(), font.strikeOut()}.Style();
    return choice;
}

#include "ui/ColourRoles.h"

namespace {
constexpr uint32_t kSystemColourFlag = 0x80000000;
constexpr uint32_t kClNone = 0x1FFFFFFF;

struct TRoleOf
{
    QPalette::ColorGroup Group;
    QPalette::ColorRole Role;
};

// The palette role that plays the part of each system colour number, in their stored order.
constexpr TRoleOf kSystemRoles[] = {
    {QPalette::Active, QPalette::Button},
    {QPalette::Active, QPalette::Window},
    {QPalette::Active, QPalette::Highlight},
    {QPalette::Inactive, QPalette::Mid},
    {QPalette::Active, QPalette::Window},
    {QPalette::Active, QPalette::Base},
    {QPalette::Active, QPalette::Shadow},
    {QPalette::Active, QPalette::WindowText},
    {QPalette::Active, QPalette::Text},
    {QPalette::Active, QPalette::HighlightedText},
    {QPalette::Active, QPalette::Window},
    {QPalette::Inactive, QPalette::Window},
    {QPalette::Active, QPalette::Dark},
    {QPalette::Active, QPalette::Highlight},
    {QPalette::Active, QPalette::HighlightedText},
    {QPalette::Active, QPalette::Button},
    {QPalette::Active, QPalette::Dark},
    {QPalette::Disabled, QPalette::Text},
    {QPalette::Active, QPalette::ButtonText},
    {QPalette::Inactive, QPalette::WindowText},
    {QPalette::Active, QPalette::Light},
    {QPalette::Active, QPalette::Shadow},
    {QPalette::Active, QPalette::Midlight},
    {QPalette::Active, QPalette::ToolTipText},
    {QPalette::Active, QPalette::ToolTipBase},
};
constexpr uint32_t kSystemCount = sizeof(kSystemRoles) / sizeof(kSystemRoles[0]);
} // namespace

QColor ToQColor(uint32_t value, const QPalette& palette)
{
    if (value == kClNone) {
        return QColor(Qt::transparent);
    }
    if (value & kSystemColourFlag) {
        const uint32_t n = value & ~kSystemColourFlag;
        // An unknown system colour number has no role; the window colour is the least surprising.
        const TRoleOf role = n < kSystemCount ? kSystemRoles[n] : kSystemRoles[5];
        return palette.color(role.Group, role.Role);
    }
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

uint32_t FromQColor(const QColor& colour)
{
    const QColor rgb = colour.toRgb();
    return uint32_t(rgb.red()) | (uint32_t(rgb.green()) << 8) | (uint32_t(rgb.blue()) << 16);
}

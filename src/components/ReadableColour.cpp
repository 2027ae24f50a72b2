#include "components/ReadableColour.h"

#include <algorithm>
#include <cmath>

namespace {

double Linear(double channel)
{
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double Luminance(const QColor& colour)
{
    const QColor rgb = colour.toRgb();
    return 0.2126 * Linear(rgb.redF()) + 0.7152 * Linear(rgb.greenF()) + 0.0722 * Linear(rgb.blueF());
}

QColor Mix(const QColor& from, const QColor& to, double share)
{
    auto channel = [share](double a, double b) { return a + (b - a) * share; };
    return QColor::fromRgbF(static_cast<float>(channel(from.redF(), to.redF())),
                            static_cast<float>(channel(from.greenF(), to.greenF())),
                            static_cast<float>(channel(from.blueF(), to.blueF())));
}

} // namespace

double ContrastRatio(const QColor& first, const QColor& second)
{
    const double a = Luminance(first);
    const double b = Luminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

bool IsDarkGround(const QColor& ground)
{
    // Where black and white give the same contrast.
    return Luminance(ground) < 0.179;
}

QColor ReadableOn(const QColor& wanted, const QColor& ground, double minimumContrast)
{
    if (!IsDarkGround(ground) || ContrastRatio(wanted, ground) >= minimumContrast) {
        return wanted;
    }
    const QColor target(Qt::white);
    // Twenty steps end at white itself, the most a dark ground allows.
    for (int step = 1; step <= 20; ++step) {
        const QColor mixed = Mix(wanted.toRgb(), target, step / 20.0);
        if (ContrastRatio(mixed, ground) >= minimumContrast) {
            return mixed.toRgb();
        }
    }
    return target;
}

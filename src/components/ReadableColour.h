#pragma once
// Text colours that stay readable: a colour chosen for a light window is lightened on a dark one.

#include <QColor>

// The contrast ratio of two colours, 1 (none) to 21 (black on white), from their relative luminance.
double ContrastRatio(const QColor& first, const QColor& second);
// True for a ground on which white text reads better than black.
bool IsDarkGround(const QColor& ground);
// Colours are designed for light windows: on a light ground the wanted colour stays as it is. On a dark
// one it is mixed with white just far enough to reach the minimum contrast, keeping its hue.
QColor ReadableOn(const QColor& wanted, const QColor& ground, double minimumContrast = 4.5);

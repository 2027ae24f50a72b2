#pragma once
// Text colours that stay readable: a colour chosen for a light window is lightened on a dark one.

#include <QColor>

// The contrast ratio of two colours, 1 (none) to 21 (black on white), from their relative luminance.
double ContrastRatio(const QColor& first, const QColor& second);
// The wanted colour when it has at least the minimum contrast on the ground; otherwise the colour mixed
// with white (dark ground) or black (light ground) just far enough to reach it.
QColor ReadableOn(const QColor& wanted, const QColor& ground, double minimumContrast = 3.0);

#pragma once
// Stored colour values on screen: plain colours are 0x00BBGGRR, system colours come from the palette.

#include <cstdint>

#include <QColor>
#include <QPalette>

QColor ToQColor(uint32_t value, const QPalette& palette);
// A plain colour as stored: red in the low byte.
uint32_t FromQColor(const QColor& colour);

#pragma once
// Turning the program's stored values into what Qt shows and back: byte texts, file names, colours and
// fonts. Every window converts through here, so that the same stored value always looks the same.

#include <cstdint>
#include <string>

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QString>

#include "platform/Dialogs.h"

// UTF-8 when the bytes are valid UTF-8, otherwise Windows-1252.
QString TextFromBytes(const std::string& bytes);
// Text typed on screen as the program's bytes: UTF-8.
std::string TextToBytes(const QString& text);
// A file name as the file system spells it.
std::string PathToBytes(const QString& path);
QString PathFromBytes(const std::string& path);

// Plain colours are stored as 0x00BBGGRR. 0x80000000 + n is system colour n, shown in the palette role
// that plays its part (window: Base, window text: Text, ...); clNone (0x1FFFFFFF) is transparent.
QColor ColourFromStored(uint32_t value, const QPalette& palette);
// A colour as stored: red in the low byte.
uint32_t StoredFromColour(const QColor& colour);

// The stored font: face, size in points (9 when none is stored) and the style bits.
QFont FontFromChoice(const TFontChoice& choice);
// The font as stored, keeping the colour of base and its size when the font has no size in points.
TFontChoice ChoiceFromFont(const QFont& font, const TFontChoice& base);

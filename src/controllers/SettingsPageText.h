#pragma once
// The text rules of the settings page: the gamma caption, the spin edits' reading and the stored-text cuts.

#include <cstddef>
#include <string>

#include <QString>

// Position 7 reads "0.7", 15 reads "1.5": the track bar counts tenths.
QString GammaText(int position);
// A spin edit's value: its text as a decimal integer, the minimum when it is no number, clamped to the range.
int SpinEditTextValue(const QString& text, int minimum, int maximum);
// The text as the settings file stores it: UTF-8, at most maxBytes bytes, never splitting a character.
std::string StoredText(const QString& text, std::size_t maxBytes);

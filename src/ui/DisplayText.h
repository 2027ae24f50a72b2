#pragma once
// Byte texts from files shown on screen: UTF-8 when they are valid UTF-8, otherwise Windows-1252.

#include <string>

#include <QString>

QString ToDisplayText(const std::string& bytes);

#pragma once
// Turning the program's byte texts into text on screen and back.

#include <string>

#include <QString>

// UTF-8 when the bytes are valid UTF-8, otherwise Windows-1252.
QString TextFromBytes(const std::string& bytes);
// A file name as the file system spells it.
std::string PathToBytes(const QString& path);
QString PathFromBytes(const std::string& path);

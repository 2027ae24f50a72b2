#include "ui/DisplayText.h"

#include "platform/qt/QtText.h"

QString ToDisplayText(const std::string& bytes)
{
    return TextFromBytes(bytes);
}

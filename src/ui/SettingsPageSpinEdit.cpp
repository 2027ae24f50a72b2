#include "ui/SettingsPageSpinEdit.h"

#include <algorithm>

#include <QLineEdit>

#include "controllers/SettingsPageText.h"

TSpinEdit::TSpinEdit(int minimum, int maximum, int maxLength, QWidget* parent)
    : QSpinBox(parent), m_maxLength(maxLength)
{
    setRange(minimum, maximum);
    setAccelerated(true);
    lineEdit()->setMaxLength(maxLength);
}

int TSpinEdit::Value() const
{
    return SpinEditTextValue(lineEdit()->text(), minimum(), maximum());
}

void TSpinEdit::SetValue(int value)
{
    setValue(std::clamp(value, minimum(), maximum()));
}

QValidator::State TSpinEdit::validate(QString& input, int& /*pos*/) const
{
    // Any text fits; the focus-out fix-up replaces it by the value it reads as.
    return input.size() <= m_maxLength ? QValidator::Acceptable : QValidator::Invalid;
}

int TSpinEdit::valueFromText(const QString& text) const
{
    return SpinEditTextValue(text, minimum(), maximum());
}

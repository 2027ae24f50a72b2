#pragma once
// A spin edit that takes any short text: what is no number reads as the minimum, values are clamped.

#include <QSpinBox>

class TSpinEdit : public QSpinBox
{
    Q_OBJECT

public:
    TSpinEdit(int minimum, int maximum, int maxLength, QWidget* parent = nullptr);

    // Read from the text as it stands, so an edit not yet committed counts too.
    int Value() const;
    void SetValue(int value);

protected:
    QValidator::State validate(QString& input, int& pos) const override;
    int valueFromText(const QString& text) const override;

private:
    int m_maxLength;
};

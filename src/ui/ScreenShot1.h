#pragma once
// The timer dialog as this front-end shows it: its caption and icon.

#include "ui/ScreenShot.h"

class TScreenShot1 : public TScreenShot
{
    Q_OBJECT
public:
    explicit TScreenShot1(QWidget* parent = nullptr);
};

#include "ui/ScreenShot1.h"

#include "ui/Pictures.h"

TScreenShot1::TScreenShot1(QWidget* parent) : TScreenShot(parent)
{
    setWindowTitle("ScreenShot Timer");
    setWindowIcon(AppIcon());
}

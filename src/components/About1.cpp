#include "components/About1.h"

#include <QLabel>

#include "components/AboutLogos.h"

TAboutBox1::TAboutBox1(TShell* shell, QWidget* parent) : TAboutBox(shell, parent)
{
    setWindowTitle("About VantorKorb");
    FrontLogo->setPixmap(VantorKorbLogo(devicePixelRatioF()));
    EmulatorLogo->setPixmap(KorbLogo(devicePixelRatioF()));
}

#include "components/About1.h"

#include <QEvent>
#include <QLabel>

#include "components/AboutLogos.h"

TAboutBox1::TAboutBox1(TShell* shell, QWidget* parent) : TAboutBox(shell, parent)
{
    setWindowTitle("About VantorKorb");
    ShowLogos();
}

void TAboutBox1::changeEvent(QEvent* event)
{
    TAboutBox::changeEvent(event);
    // The emulator logo's caption follows the text colour.
    if (event->type() == QEvent::PaletteChange) {
        ShowLogos();
    }
}

void TAboutBox1::ShowLogos()
{
    FrontLogo->setPixmap(VantorKorbLogo(devicePixelRatioF()));
    EmulatorLogo->setPixmap(KorbLogo(devicePixelRatioF(), palette().color(QPalette::WindowText)));
}

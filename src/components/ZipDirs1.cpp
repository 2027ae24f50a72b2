#include "components/ZipDirs1.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>

TZipDirsForm1::TZipDirsForm1(TDialogs& dialogs, TFolderPicker& picker, QWidget* parent)
    : TZipDirsForm(dialogs, picker, parent)
{
    setObjectName(QStringLiteral("ZipDirsForm1"));
    setWindowTitle(QStringLiteral("Zipped Roms Directories"));
    setWindowIcon(style()->standardIcon(QStyle::SP_DirIcon));
}

void TZipDirsForm1::PlaceOnShow()
{
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect desktop = screen->availableGeometry();
    const QRect frame = frameGeometry();
    move(desktop.left() + (desktop.width() - frame.width()) / 2,
         desktop.top() + (desktop.height() - frame.height()) / 2);
}

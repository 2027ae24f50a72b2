#pragma once
// TZipDirsForm1: the zipped rom paths dialog as made for korb.exe: its caption, icon and place on screen.

#include "components/ZipDirs.h"

class TZipDirsForm1 : public TZipDirsForm
{
    Q_OBJECT
public:
    TZipDirsForm1(TDialogs& dialogs, TFolderPicker& picker, QWidget* parent = nullptr);

protected:
    void PlaceOnShow() override;
};

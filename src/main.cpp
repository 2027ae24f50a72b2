// Process entry of VantorKorb: picture formats, the application, the main window, then the event loop.
#include "app/MainSettings.h"
#include "app/Startup.h"
#include "components/About1.h"
#include "components/BrowseFolderQt.h"
#include "components/ZipDirs1.h"
#include "images/PictureFormats.h"
#include "platform/qt/QtPlatform.h"
#include "ui/Application.h"
#include "ui/Main1.h"
#include "ui/Pictures.h"
#include "ui/ScaleFormFonts.h"
#include "ui/ScreenShotPage.h"
#include "ui/SignalCloser.h"

int main(int argc, char** argv)
{
    RegisterPictureFormats();
    TVantorKorbApp app(argc, argv);
    app.setApplicationName("VantorKorb");
    app.setDesktopFileName("vantorkorb");
    app.setWindowIcon(AppIcon());

    TQtPlatform platform;
    const TPlatformServices services = platform.Services();
    app.SetErrorDialogs(services.Dialogs);

    TStartup startup(*services.Dialogs, *services.Processes, services.Shell);
    TMain1 window(services, startup);
    TSignalCloser closer(window);
    window.FormCreate();
    if (window.MustEnd()) {
        return 0;
    }
    // The other windows exist only after the main window's creation handler has run.
    TAboutBox1 aboutBox(services.Shell, &window);
    aboutBox.SetFontScaler(ScaleFormFonts);
    window.SetAboutCommand([&aboutBox] { aboutBox.ShowWithVersion(kVersionText); });
    TQtFolderPicker folderPicker;
    TZipDirsForm1 zipDirsForm(*services.Dialogs, folderPicker, &window);
    zipDirsForm.ScaleFormFonts = ScaleFormFonts;
    window.SetZipDirsCommand([&zipDirsForm, &startup] { zipDirsForm.SetDirs(startup.ZipRomPaths()); });
    window.ScreenShotPage().CreateTimerDialog();
    window.show();
    return app.exec();
}

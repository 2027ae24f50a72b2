// Process entry of VantorKorb: picture formats, the application, the main window, then the event loop.
#include "app/Startup.h"
#include "images/PictureFormats.h"
#include "platform/qt/QtPlatform.h"
#include "ui/Application.h"
#include "ui/Main1.h"
#include "ui/Pictures.h"
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
    window.ScreenShotPage().CreateTimerDialog();
    window.show();
    return app.exec();
}

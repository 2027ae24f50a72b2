// Process entry of VantorKorb: picture formats, the application, the main window, then the event loop.
#include "app/Startup.h"
#include "images/PictureFormats.h"
#include "platform/Services.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtProcesses.h"
#include "platform/qt/QtShell.h"
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

    TQtDialogs dialogs;
    TQtShell shell;
    TQtProcesses processes;
    app.SetErrorDialogs(&dialogs);
    TPlatformServices services;
    services.Dialogs = &dialogs;
    services.Shell = &shell;
    services.Processes = &processes;

    TStartup startup(dialogs, processes, &shell);
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

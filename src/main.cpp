// Process entry of VantorKorb: picture formats, the application, the main window, then the event loop.
#include <filesystem>
#include <memory>

#include <QStandardPaths>
#include <QStatusBar>

#include "app/EmulatorFolder.h"
#include "app/MainSettings.h"
#include "app/Startup.h"
#include "components/About1.h"
#include "components/BrowseFolderQt.h"
#include "components/ZipDirs1.h"
#include "images/PictureFormats.h"
#include "launch/ConversionTally.h"
#include "launch/ConvertScreenshots.h"
#include "platform/FolderLock.h"
#include "platform/MemoryRelease.h"
#include "platform/qt/FormFonts.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/QtText.h"
#include "platform/qt/SdlGamepad.h"
#include "ui/Application.h"
#include "ui/EmulatorFolderMenu.h"
#include "ui/Main1.h"
#include "ui/MainCouch.h"
#include "ui/Pictures.h"
#include "ui/SSConvert.h"
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

    // Started from the desktop menu the working directory is no emulator folder: go to one first, before
    // anything is written.
    TRecentFolders recentFolders(
        PathToBytes(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)) +
        "/vantorkorb/");
    recentFolders.Load();
    std::error_code ec;
    const std::string startFolder = std::filesystem::current_path(ec).string();
    // A second program in the same folder would delete the first one's launch script at its close.
    TFolderLock folderLock(PathToBytes(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation)) +
                           "/vantorkorb");
    if (!EnterFolder(ChooseEmulatorFolder(startFolder, recentFolders.Folders(), *services.Dialogs),
                     *services.Dialogs, &folderLock)) {
        return 0;
    }

    TStartup startup(*services.Dialogs, *services.Processes, services.Shell);
    QString terminalNotice;
    TMain1 window(services, startup);
    // Over the run's own status line for a while, which it does not replace; a status bar not yet on
    // screen cannot cover its panels, so a line from the start-up waits for the window.
    platform.Processes().OnTerminalFailed([&window, &terminalNotice](const std::string& text) {
        terminalNotice = TextFromBytes(text);
        if (window.isVisible())
            window.statusBar()->showMessage(terminalNotice, 15000);
    });
    TSignalCloser closer(window, &startup);
    closer.EndRunsWith(platform.Processes(), *services.Dialogs);
    // A signal during start-up (its message boxes run event loops) is acted on once the window is up.
    auto startupHold = std::make_unique<TSignalCloser::THold>();
    window.FormCreate();
    if (window.MustEnd()) {
        return 0;
    }
    ReleaseFreedMemory();
    recentFolders.Remember(startup.Paths().AppDir);
    TEmulatorFolderMenu emulatorFolderMenu(window, recentFolders, folderLock);
    // The other windows exist only after the main window's creation handler has run.
    TAboutBox1 aboutBox(services.Shell, &window);
    aboutBox.SetFontScaler(ScaleFormFonts);
    QObject::connect(&window, &TMain1::AboutRequested, &aboutBox,
                     [&aboutBox] { aboutBox.ShowWithVersion(kVersionText); });
    TQtFolderPicker folderPicker;
    TZipDirsForm1 zipDirsForm(*services.Dialogs, folderPicker, &window);
    zipDirsForm.ScaleFormFonts = ScaleFormFonts;
    QObject::connect(&window, &TMain::ZipRomPathsRequested, &zipDirsForm,
                     [&zipDirsForm, &startup] { zipDirsForm.SetDirs(startup.ZipRomPaths()); });
    window.ScreenShotPage().CreateTimerDialog();
    TSSConvert ssConvert(&window);
    ssConvert.ScaleFormFonts = ScaleFormFonts;
    ssConvert.ConvertAllScreenshots = [&window, &startup, &services] {
        const TConversionTally tally(startup.Paths());
        ConvertAllScreenshots(startup.ExecEmu(), startup.Paths());
        window.ScreenShotPage().LoadNew(window.CurrentGame());
        services.Dialogs->ShowMessage({"Screenshotconversion",
                                       TConversionTally::Text(tally.Count()),
                                       TMsgIcon::Information,
                                       {TMsgButton::Ok}});
    };
    window.ScreenShotPage().SetConvertFormatCommand([&ssConvert] { ssConvert.ShowConvertDialog(); });
    window.ScreenShotPage().SetConvertToNewStyleCommand([&startup] { startup.MigrateOldScreenshots(); });
    TMainCouch couch(window, *services.Processes, *services.Dialogs);
    TSdlGamepad gamepad;
    couch.Attach(gamepad);
    // Without SDL's controller layer the program runs as it would without a pad.
    gamepad.Start();
    window.show();
    if (!terminalNotice.isEmpty())
        window.statusBar()->showMessage(terminalNotice, 15000);
    startupHold.reset();
    return app.exec();
}

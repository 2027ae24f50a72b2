// TMain: hosting the "Screenshot" and "Settings" pages, default-settings editing and the game launch.
#include "ui/MainWindow.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>

#include "app/Session.h"
#include "app/Startup.h"
#include "controllers/GameSound.h"
#include "platform/qt/FormFonts.h"
#include "platform/qt/QtText.h"
#include "ui/CommandLineBox.h"
#include "ui/GameListView.h"
#include "ui/MainMenuBar.h"
#include "ui/ScreenShotPage.h"
#include "ui/SearchField.h"
#include "ui/SettingsPage.h"
#include "ui/SignalCloser.h"

void TMain::CreatePages()
{
    m_screenShotPage = new TScreenShotPage(m_pageControl, m_dialogs);
    m_screenShotPage->setObjectName("ScreenShotTab");
    m_screenShotPage->SetFontScaler([](QWidget* form) { ScaleFormFonts(form); });
    m_pageControl->addTab(m_screenShotPage, "Screenshot");
    m_settingsPage = new TSettingsPage(m_pageControl);
    m_settingsPage->setObjectName("SettingsTab");
    m_settingsPage->SetPageControl(m_pageControl);
    m_settingsPage->SetDialogs(&m_dialogs);
    m_pageControl->addTab(m_settingsPage, "Settings");
    connect(m_settingsPage, &TSettingsPage::StartRequested, this, &TMain::StartEmuButtonClick);
    connect(m_settingsPage, &TSettingsPage::DefaultSettingsModeStarted, this,
            &TMain::DefaultSettingsModeStarted);
    connect(m_settingsPage, &TSettingsPage::DefaultSettingsModeEnded, this, &TMain::DefaultSettingsModeEnded);
    // The same settings on screen give another text for another game.
    connect(this, &TMain::CurrentGameChanged, m_settingsPage->CommandLineBox, &TCommandLineBox::Refresh);
}

void TMain::PagesAfterLoad()
{
    m_screenShotPage->SetWorkingPaths(m_session.Paths);
    m_settingsPage->SetIniFilesDir(m_session.Paths.IniFilesDir);
    OpenPlayLog();
}

void TMain::ShowGameOnPages()
{
    m_settingsPage->ShowGame(m_currentGame);
}

void TMain::LoadScreenshots()
{
    m_screenShotPage->LoadNew(m_currentGame);
}

void TMain::ApplyScreenshotControls()
{
    m_screenShotPage->ApplyScreenshotControls();
}

void TMain::FillPageMenus()
{
    m_screenShotPage->FillScreenShotMenu(&m_menus->ScreenShotMenu());
}

void TMain::ReleasePages()
{
    m_screenShotPage->LoadNew(nullptr);
    m_settingsPage->ShowGame(nullptr);
}

void TMain::MenuSetDefaultSettingsClick()
{
    if (!EditingDefaults()) {
        m_settingsPage->EnterDefaultSettingsMode();
    }
}

bool TMain::EditingDefaults() const
{
    return m_settingsPage->DefaultSettingsMode();
}

void TMain::DefaultSettingsModeStarted()
{
    m_gameList->setEnabled(false);
    m_gameList->hide();
    m_defaultBackImage->show();
    m_startEmuButton->setEnabled(false);
    m_searchField->setEnabled(false);
    m_menus->FavouriteItem().setEnabled(false);
    m_currentGame = m_settingsPage->CurrentGame();
}

void TMain::DefaultSettingsModeEnded()
{
    m_defaultBackImage->hide();
    m_gameList->show();
    m_gameList->setEnabled(true);
    m_searchField->setEnabled(true);
    UpdateSelection();
}

// Thousands of captures left in pcx/ take seconds to put aside: the window says so and keeps painting.
void TMain::ShowPutAsideProgress(size_t done, size_t total)
{
    if (done < total) {
        statusBar()->showMessage(
            QString("Putting aside the shots of an earlier run: %1 of %2").arg(done).arg(total));
    } else {
        statusBar()->clearMessage();
    }
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TMain::StartEmuButtonClick()
{
    if (!m_startEmuButton->isEnabled() || !m_currentGame || EditingDefaults()) {
        return;
    }
    m_screenShotPage->StopSlideshow();
    m_sound->Stop();
    // The window paints during the run but takes no input; a close signal waits for the end of the run.
    const TSignalCloser::THold hold;
    const QString before = m_statusText->text();
    SetStatusText(TextFromBytes("Starting " + m_currentGame->GameName) + QString::fromUtf8(" \u2026"));
    TGameObject& game = *m_currentGame;
    const TLaunchResult result = LaunchGame(
        m_session, game, m_dialogs, m_shell,
        [this](const std::string& text) { SetStatusText(TextFromBytes(text)); },
        [this](size_t done, size_t total) { ShowPutAsideProgress(done, total); });
    RecordPlay(game, result);
    // A run that gave no summary leaves the status bar as it was.
    if (result.Summary.empty()) {
        SetStatusText(before);
    }
    if (!result.Error.empty()) {
        // The launch ends here: the slideshow stays stopped until the next selection.
        ShowError(result.Error);
        return;
    }
    m_screenShotPage->RestoreSlideshow();
    m_screenShotPage->LoadNew(m_currentGame);
}

#pragma once
// The "Settings" tab: shows the settings editor's record in its controls, and stores what it shows whenever
// the keyboard focus leaves the settings panel.

#include <memory>
#include <string>

#include <QPointer>
#include <QWidget>

#include "controllers/SettingsEditor.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QScrollArea;
class QSlider;
class QTabWidget;
class QToolButton;
class TDialogs;
class TCommandLineBox;
class TSettingsToolbar;
class TSpinEdit;

class TSettingsPage : public QWidget
{
    Q_OBJECT

public:
    explicit TSettingsPage(QWidget* parent = nullptr);
    ~TSettingsPage() override;

    // Narrow enough that the page control fits beside the list in the narrowest window.
    QSize minimumSizeHint() const override;

    // The folder of the settings files, with its trailing separator.
    void SetIniFilesDir(const std::string& iniFilesDir);
    const std::string& IniFilesDir() const { return m_editor.IniFilesDir(); }
    // The page control whose "Settings" tab holds this page; default-settings editing switches to that tab
    // and afterwards restores the page that was active.
    void SetPageControl(QTabWidget* pageControl);
    // Where failures of reading or writing settings files are shown; without it they only reach qWarning.
    void SetDialogs(TDialogs* dialogs);

    // What the selection update does for the page: LoadSettingsPanel, then check "Use Default Settings"
    // exactly when the game has no settings file of its own and run ChUseDefSettingsClick. Null hides the
    // check box and the panel. While default settings are edited the call is ignored: the main window
    // selects again when DefaultSettingsModeEnded arrives. The page never dereferences a game it was given
    // after the next ShowGame, so the catalogue may release records once a new one (or null) was shown.
    void ShowGame(TGameObject* currentGame);
    // The game the page edits: the one last shown, or the temporary "Default" record while default settings
    // are edited (owned by the page and released when that editing ends).
    TGameObject* CurrentGame() const { return m_editor.CurrentGame(); }
    // The rules the page shows.
    const TSettingsEditor& Editor() const { return m_editor; }

    void LoadSettingsPanel();
    void SaveSettingsPanel();
    // The values the controls show, as SaveSettingsPanel would store them.
    TGameSettingsObject ShownSettings() const;

    // The "Set &Default Settings" command. The main window hides and disables its game list and the Start
    // button itself, on DefaultSettingsModeStarted or around this call.
    void EnterDefaultSettingsMode();
    bool DefaultSettingsMode() const { return m_editor.DefaultMode(); }

    // Handlers, named after their control and event.
    void ChUseDefSettingsClick();
    void SettingsScrollBoxExit(QWidget* newFocus);
    void SettingsResetButtonClick();
    void DefaultSettingsSaveButtonClick();
    void DefaultSettingsCancelButtonClick();
    void ChGammaCorrectionChange();

    // The controls, under the names the program gives them.
    QCheckBox* ChUseDefSettings = nullptr;
    QLabel* DefSetLabel = nullptr;
    QScrollArea* SettingsScrollBox = nullptr;
    TSettingsToolbar* SettingsToolbar = nullptr;
    QToolButton* SetToolSave = nullptr;
    QToolButton* SetToolCancel = nullptr;
    QToolButton* SetToolUndo = nullptr;

    QGroupBox* GrDisplay = nullptr;
    QCheckBox* ChVerticalDisplay = nullptr;
    QCheckBox* ChVsync = nullptr;
    QCheckBox* ChScanlines = nullptr;
    QComboBox* CBResolution = nullptr;
    QSlider* ChGammaCorrection = nullptr;
    QLabel* GammaLabel = nullptr;

    QGroupBox* GrSound = nullptr;
    QComboBox* CbSamplingRate = nullptr;

    QGroupBox* GrControls = nullptr;
    QCheckBox* ChJoystick = nullptr;
    QCheckBox* ChQuickFire1 = nullptr;
    QCheckBox* ChQuickFire2 = nullptr;
    QCheckBox* ChQuickFire3 = nullptr;
    QCheckBox* ChQuickFire4 = nullptr;

    QGroupBox* GrPerformance = nullptr;
    QCheckBox* ChPproOptimized = nullptr;
    QCheckBox* ChPerfCounter = nullptr;
    QComboBox* ChFrameSkip = nullptr;

    QGroupBox* GrEmulation = nullptr;
    TSpinEdit* ChInterruptRate = nullptr;
    TSpinEdit* ChV30CpuClock = nullptr;

    // The argument text the next launch passes, under the groups.
    TCommandLineBox* CommandLineBox = nullptr;

signals:
    // Enter on a control of the page: press the Start button, leaving the focus where it is.
    void StartRequested();
    void DefaultSettingsModeStarted();
    // The main window shows its game list again and runs its selection update.
    void DefaultSettingsModeEnded();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    void ConnectControls();
    void InstallEventFilters();
    void ShowSettings(const TGameSettingsObject& settings);
    void FocusChanged(QWidget* oldFocus, QWidget* newFocus);
    bool FocusInPanel() const;
    void SetPanelVisible(bool visible);
    void LeaveDefaultSettingsMode();
    void ReportFailure(const std::string& text);

    TSettingsEditor m_editor;
    QPointer<QTabWidget> m_pageControl;
    TDialogs* m_dialogs = nullptr;
    QPointer<QWidget> m_pageBeforeDefaults;
    // Hiding the panel ourselves moves the focus out of it; that is no edit to store.
    bool m_hidingPanel = false;
    QMetaObject::Connection m_focusConnection;
};

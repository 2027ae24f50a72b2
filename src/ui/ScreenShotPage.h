#pragma once
// The "Screenshot" tab of the main window: picture, file name, slideshow tool bar and the viewer's
// items of the "S&creenShot" menu, all driven by one TScreenShotViewer.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QWidget>

#include "app/MainSettings.h"
#include "base/WorkingPaths.h"

class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QToolButton;
class TDialogs;
class TGameObject;
class TScreenShot;
class TBoxesAfterShow;
class TScreenShotViewer;
class TSSImage;
class TSSPanel;
class TSToolBar;

class TScreenShotPage : public QWidget
{
    Q_OBJECT
public:
    TScreenShotPage(QWidget* parent, TDialogs& dialogs);
    ~TScreenShotPage() override;

    // Narrow enough that the page control fits beside the list in the narrowest window; the picture,
    // its name and the tool bar then share what room there is.
    QSize minimumSizeHint() const override;

    // Folders of the pictures; call after every LoadSequence, before the next LoadNew.
    void SetWorkingPaths(const TWorkingPaths& paths);
    // Rebuilds the list for the game and shows its current picture; null means no game. The page keeps the
    // pointer for stepping and the slideshow, so call it again (with null or the new game) before the
    // catalogue that owns the game is released.
    void LoadNew(TGameObject* currentGame);
    // Around a launch: the timer stops, then runs again exactly when Play is down.
    void StopSlideshow();
    void RestoreSlideshow();
    // Adds the viewer's items, with their captions, check marks and shortcuts, to the "S&creenShot" menu
    // and enables them each time it opens.
    void FillScreenShotMenu(QMenu* menu);
    // Shows the tool bar and the file-name label as "Show C&ontrols" and "Show File&name" say.
    void ApplyScreenshotControls();
    // The "Screenshot" keys; Timer in whole seconds. ApplySettings sets the check marks and the interval
    // and starts the slideshow when Play is set; run ApplyScreenshotControls afterwards.
    void ApplySettings(const TMainSettingsRecord& record);
    void CollectSettings(TMainSettingsRecord& record) const;
    // The "ScreenShot Timer" dialog; until this runs, "Set Timer" creates it on first use.
    void CreateTimerDialog();
    // Commands of "Con&vert all to PNG" and "Convert to new St&yle"; without one the item does nothing.
    void SetConvertFormatCommand(std::function<void()> command);
    void SetConvertToNewStyleCommand(std::function<void()> command);
    // The main window's font adjustment, applied to the timer dialog each time it shows.
    void SetFontScaler(std::function<void(QWidget*)> scaleFormFonts);

    const std::vector<std::string>& ScreenshotList() const;
    TScreenShotViewer& Viewer() { return *m_viewer; }
    TScreenShot* TimerDialog() const { return m_timerDialog; }

    // Controls and menu items, by the names the rest of the program uses for them.
    TSSPanel* SSPanel = nullptr;
    TSSImage* SSImage = nullptr;
    QLabel* NoShotImage = nullptr;
    QLabel* SSShowName = nullptr;
    TSToolBar* SToolBar = nullptr;
    QToolButton *SToolPlay = nullptr, *SToolPause = nullptr, *SToolPrev = nullptr, *SToolNext = nullptr,
                *SToolTimer = nullptr, *SToolKill = nullptr, *SToolClose = nullptr;
    QAction *MSSCROriginal = nullptr, *MSSCRScaled = nullptr, *MSSCRStretched = nullptr;
    QAction *MSSCRTitle = nullptr, *MSSCRGameplay = nullptr, *MSSCRFlyer = nullptr, *MSSCRCabinet = nullptr;
    QAction *MSSCRDelete = nullptr, *MSSCRConvertFormat = nullptr, *MSSCRConvertToNewStyle = nullptr;
    QAction *MSSCRControls = nullptr, *MSSCRName = nullptr;

public slots:
    void SToolPlayClick();
    void SToolPauseClick();
    void SToolPrevClick();
    void SToolNextClick();
    void SToolTimerClick();
    void SToolKillClick();
    void SToolCloseClick();
    void MenuScreenShotClick();
    void MenuScreenShotScalingClick(QAction* item);
    void MSSCRShowClick(QAction* item);
    void MSSCRNameClick();
    void MSSCRControlsClick();
    void MSSCRDeleteClick();
    void MSSCRConvertFormatClick();
    void MSSCRConvertToNewStyleClick();

private:
    void CreateControls();
    void CreateMenuItems();
    void ShowViewerState();
    void ShowViewerStateOnce();
    void SyncMenuFromViewer();

    TDialogs& m_dialogs;
    TBoxesAfterShow* m_viewerBoxes; // a child: the viewer's failures wait for the window
    std::unique_ptr<TScreenShotViewer> m_viewer;
    TScreenShot* m_timerDialog = nullptr; // a child of the page
    QActionGroup* m_scalingGroup = nullptr;
    std::function<void()> m_convertFormat, m_convertToNewStyle;
    std::function<void(QWidget*)> m_scaleFormFonts;
    bool m_showing = false, m_showAgain = false;
};

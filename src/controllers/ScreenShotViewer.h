#pragma once
// What the Screenshot tab shows and decides: the list of the current game's pictures, stepping, the
// slideshow, scaling and deletion. No painting here; the page mirrors this state into its widgets.

#include <set>
#include <string>
#include <vector>

#include <QImage>
#include <QObject>
#include <QRect>
#include <QSize>
#include <QTimer>

#include "base/WorkingPaths.h"
#include "shots/ScreenshotFiles.h"

class TDialogs;
class TGameObject;

// None is the state of a settings file that checks no mode; it places the picture like Original.
enum class TScalingMode { None, Original, Scaled, Stretched };

inline constexpr const char* kDeleteQuestion = "Are you sure you want to delete\rthe current Screenshot ?";
inline constexpr int kDefaultIntervalMs = 2000;

// Where the picture lands in the panel for the mode; an empty rectangle when there is no picture.
QRect ScaledImageBounds(QSize picture, QSize panel, TScalingMode mode);

class TScreenShotViewer : public QObject
{
    Q_OBJECT
public:
    explicit TScreenShotViewer(TDialogs& dialogs, QObject* parent = nullptr);

    void SetPaths(const TWorkingPaths& paths) { m_paths = paths; }
    const TWorkingPaths& Paths() const { return m_paths; }
    void SetCurrentGame(TGameObject* game)
    {
        if (game != m_game)
            m_reportedFailures.clear();
        m_game = game;
    }
    TGameObject* CurrentGame() const { return m_game; }

    void LoadNew();
    void Load();
    void Next();
    void Prev();
    void Scale();
    void Delete();

    void SetCategories(const TScreenshotCategories& categories) { m_categories = categories; }
    const TScreenshotCategories& Categories() const { return m_categories; }
    void SetScalingMode(TScalingMode mode);
    TScalingMode ScalingMode() const { return m_scaling; }
    // SSPanelResize.
    void SetPanelSize(QSize size);
    QSize PanelSize() const { return m_panelSize; }

    // Play and Pause are the down states of the two buttons; the timer runs only while enabled.
    void SToolPlayClick();
    void SToolPauseClick();
    bool PlayDown() const { return m_playDown; }
    void SSTimerTimer() { Next(); }
    void SetTimerEnabled(bool enabled);
    bool TimerEnabled() const { return m_timerEnabled; }
    void SetInterval(int milliseconds);
    int Interval() const { return m_interval; }
    // True while the real timer is counting (an interval of 0 never fires).
    bool TimerActive() const { return m_timer.isActive(); }

    const std::vector<std::string>& ScreenshotList() const { return m_list; }
    // The picture shown; null while the placeholder shows.
    const QImage& Picture() const { return m_picture; }
    QRect ImageBounds() const { return m_imageBounds; }
    bool NoShotVisible() const { return m_noShotVisible; }
    bool PanelVisible() const { return m_panelVisible; }
    const std::string& ShowNameText() const { return m_showName; }

signals:
    // Anything shown changed: picture, bounds, visibility or label.
    void Changed();

private:
    int CurScrShot() const;
    void SetCurScrShot(int index);
    void ShowPlaceholder();
    void ShowLoadFailure(const std::string& message);
    std::string LabelFor(const std::string& path) const;
    void SyncTimer();

    TDialogs& m_dialogs;
    TWorkingPaths m_paths;
    TGameObject* m_game = nullptr;
    TScreenshotCategories m_categories;
    TScalingMode m_scaling = TScalingMode::Scaled;
    std::vector<std::string> m_list;
    std::vector<std::string> m_realPaths;
    QImage m_picture;
    std::string m_pictureZip; // the game the picture belongs to
    QRect m_imageBounds;
    QSize m_panelSize;
    bool m_noShotVisible = true;
    bool m_panelVisible = false;
    std::string m_showName = "None";
    bool m_playDown = false;
    bool m_timerEnabled = false;
    int m_interval = kDefaultIntervalMs;
    bool m_reportingFailure = false;
    // Pictures of this game already reported unreadable: a slideshow coming round again stays quiet.
    std::set<std::string> m_reportedFailures;
    QTimer m_timer;
};

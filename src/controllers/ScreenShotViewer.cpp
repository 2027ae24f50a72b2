#include "controllers/ScreenShotViewer.h"
#include "base/AsciiText.h"
#include "base/FileKinds.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "catalogue/GameObject.h"
#include "images/ScreenshotLoad.h"
#include "platform/Dialogs.h"

QRect ScaledImageBounds(QSize picture, QSize panel, TScalingMode mode)
{
    const int pw = picture.width(), ph = picture.height();
    const int w = panel.width(), h = panel.height();
    if (pw + ph <= 0)
        return QRect();
    if (mode == TScalingMode::Stretched)
        return QRect(0, 0, w, h);
    int width = pw, height = ph;
    if (mode == TScalingMode::Scaled && pw > 0 && ph > 0) {
        const double f = std::min(static_cast<double>(w) / pw, static_cast<double>(h) / ph);
        width = static_cast<int>(std::trunc(pw * f));
        height = static_cast<int>(std::trunc(ph * f));
    }
    return QRect((w - width) / 2, (h - height) / 2, width, height);
}

TScreenShotViewer::TScreenShotViewer(TDialogs& dialogs, QObject* parent) : QObject(parent), m_dialogs(dialogs)
{
    m_timer.setInterval(m_interval);
    connect(&m_timer, &QTimer::timeout, this, &TScreenShotViewer::SSTimerTimer);
}

int TScreenShotViewer::CurScrShot() const
{
    return m_game ? m_game->CurScrShot : 0;
}

void TScreenShotViewer::SetCurScrShot(int index)
{
    if (m_game)
        m_game->CurScrShot = index;
}

void TScreenShotViewer::LoadNew()
{
    m_list.clear();
    m_realPaths.clear();
    if (!m_game) {
        // With no game selected nothing of the game selected before may stay on screen.
        ShowPlaceholder();
        return;
    }
    const TScreenshotDirs dirs{m_paths.TitlesDir, m_paths.GameplayDir, m_paths.FlyersDir,
                               m_paths.CabinetsDir};
    for (TScreenshotEntry& entry : BuildScreenshotEntries(dirs, m_game->ZipName, m_categories)) {
        m_list.push_back(std::move(entry.Entry));
        m_realPaths.push_back(std::move(entry.RealPath));
    }
    if (CurScrShot() > static_cast<int>(m_list.size()) - 1)
        SetCurScrShot(0);
    Load();
}

void TScreenShotViewer::Load()
{
    const int count = static_cast<int>(m_list.size());
    if (count > 0 && (CurScrShot() < 0 || CurScrShot() >= count))
        SetCurScrShot(0);
    const size_t index = static_cast<size_t>(CurScrShot());
    if (count == 0 || !IsRegularFile(m_realPaths[index])) {
        ShowPlaceholder();
        return;
    }
    m_showName = LabelFor(m_list[index]);
    const std::string zip = m_game ? m_game->ZipName : std::string();
    const TPictureResult result = LoadScreenshotFile(m_list[index], m_realPaths[index]);
    if (!result.Ok()) {
        // No picture stays under the name of one that could not be read.
        m_picture = QImage();
        m_pictureZip.clear();
        m_imageBounds = QRect();
        m_noShotVisible = true;
        m_panelVisible = false;
        emit Changed();
        if (m_reportedFailures.insert(m_realPaths[index]).second)
            ShowLoadFailure(result.Error.empty() ? std::string(kInvalidFormatText) : result.Error);
        Scale();
        return;
    }
    m_picture = result.Image;
    m_pictureZip = zip;
    m_noShotVisible = false;
    m_panelVisible = true;
    // A large picture comes reduced; the label tells the file's own size.
    const QSize size = result.FullSize.isEmpty() ? m_picture.size() : result.FullSize;
    m_showName += " (" + std::to_string(size.width()) + "x" + std::to_string(size.height()) + ")";
    Scale();
}

void TScreenShotViewer::ShowPlaceholder()
{
    m_picture = QImage();
    m_pictureZip.clear();
    m_imageBounds = QRect();
    m_noShotVisible = true;
    m_panelVisible = false;
    m_showName.clear();
    emit Changed();
}

void TScreenShotViewer::ShowLoadFailure(const std::string& message)
{
    // Ticks keep running while the box is open; a second failure then must not stack a second box.
    if (m_reportingFailure)
        return;
    m_reportingFailure = true;
    try {
        ShowError(m_dialogs, message);
    } catch (...) {
        m_reportingFailure = false;
        throw;
    }
    m_reportingFailure = false;
}

std::string TScreenShotViewer::LabelFor(const std::string& path) const
{
    std::string label = path;
    const size_t at = FindTextAscii(label, m_paths.AppDir);
    if (at != std::string::npos)
        label.erase(at, m_paths.AppDir.size());
    return label;
}

void TScreenShotViewer::Next()
{
    if (!m_game)
        return;
    const int count = static_cast<int>(m_list.size());
    SetCurScrShot(CurScrShot() < count - 1 ? CurScrShot() + 1 : 0);
    if (count > 0)
        Load();
}

void TScreenShotViewer::Prev()
{
    if (!m_game)
        return;
    const int count = static_cast<int>(m_list.size());
    SetCurScrShot(CurScrShot() < 1 ? std::max(count - 1, 0) : CurScrShot() - 1);
    Load();
}

void TScreenShotViewer::Scale()
{
    if (m_picture.width() + m_picture.height() > 0)
        m_imageBounds = ScaledImageBounds(m_picture.size(), m_panelSize, m_scaling);
    emit Changed();
}

void TScreenShotViewer::SetScalingMode(TScalingMode mode)
{
    m_scaling = mode;
    Scale();
}

void TScreenShotViewer::SetPanelSize(QSize size)
{
    m_panelSize = size;
    Scale();
}

void TScreenShotViewer::Delete()
{
    if (m_list.empty())
        return;
    const bool wasPlaying = m_playDown;
    SToolPauseClick();
    TMessage question;
    question.Caption = "Confirm";
    question.Text = kDeleteQuestion;
    question.Icon = TMsgIcon::Question;
    question.Buttons = {TMsgButton::Yes, TMsgButton::No};
    if (m_dialogs.ShowMessage(question) == TMsgButton::Yes) {
        const int index = CurScrShot();
        if (index >= 0 && index < static_cast<int>(m_realPaths.size()) && IsRegularFile(m_realPaths[index])) {
            std::error_code ec;
            std::filesystem::remove(std::filesystem::path(m_realPaths[index]), ec);
            LoadNew();
        }
    }
    if (wasPlaying)
        SToolPlayClick();
}

void TScreenShotViewer::SToolPlayClick()
{
    m_playDown = true;
    SetTimerEnabled(true);
}

void TScreenShotViewer::SToolPauseClick()
{
    m_playDown = false;
    SetTimerEnabled(false);
}

void TScreenShotViewer::SetTimerEnabled(bool enabled)
{
    m_timerEnabled = enabled;
    SyncTimer();
}

void TScreenShotViewer::SetInterval(int milliseconds)
{
    m_interval = std::max(milliseconds, 0);
    SyncTimer();
}

void TScreenShotViewer::SyncTimer()
{
    // An interval of 0 would make a Qt timer fire continuously; it means "never" here.
    if (!m_timerEnabled || m_interval <= 0) {
        m_timer.stop();
        return;
    }
    if (!m_timer.isActive() || m_timer.interval() != m_interval)
        m_timer.start(m_interval);
}

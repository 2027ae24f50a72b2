// TMain: restoring the window from the main settings record and collecting it for saving.
#include "ui/MainWindow.h"

#include <QScreen>
#include <QTabWidget>

#include "controllers/WindowFit.h"

#include "ui/GameListModel.h"
#include "ui/GameListView.h"
#include "ui/MainMenuBar.h"
#include "ui/ScreenShotPage.h"

namespace {
constexpr auto kNotNormal = Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen;

TWindowState WindowStateOf(Qt::WindowStates state)
{
    if (state & Qt::WindowMinimized) {
        return TWindowState::Minimised;
    }
    return (state & Qt::WindowMaximized) ? TWindowState::Maximised : TWindowState::Normal;
}
} // namespace

void TMain::ApplyMainSettings(const TMainSettingsRecord& record)
{
    const TViewState before = m_view;
    m_gameList->SetColumnWidth(TListColumn::ZipDate, record.ColZipdate);
    ApplyViewSettings(record, m_view);
    m_menus->Reflect(m_view);
    if (m_view.ListStyle != before.ListStyle) {
        m_gameList->SetViewStyle(m_view.ListStyle);
    }
    SortOn(m_view.SortColumn);
    m_listFont = TFontChoice{record.FontType, record.FontSize, record.FontStyle, record.FgColor};
    m_listBgColor = record.BgColor;
    ApplyListFont();
    // A stored toggle equal to the current state changes nothing; another one runs the toggle's command.
    if (m_view.HotTracking != before.HotTracking) {
        ShowHotTracking();
    }
    if (m_view.StatusBar != before.StatusBar) {
        MenuViewStatBarClick(m_view.StatusBar);
    }
    if (m_view.TabSheet) {
        ShowTabSheet();
        SetGameListPanelWidth(record.GLPWidth);
    } else {
        HideTabSheet();
    }
    ApplyWindowSize(record);
    m_screenShotPage->ApplySettings(record);
    m_gameList->SetColumnWidth(TListColumn::Name, record.ColName);
    m_gameList->SetColumnWidth(TListColumn::ZipName, record.ColZipName);
}

void TMain::ApplyWindowSize(const TMainSettingsRecord& record)
{
    setWindowState(windowState() & ~kNotNormal);
    m_normalSize = QSize(std::max(record.Width, minimumWidth()), std::max(record.Height, minimumHeight()));
    // A size too large for this screen opens fitted to it; the stored one stays until the user resizes.
    const QScreen* screen = this->screen();
    m_fittedSize =
        screen ? FitClientToScreen(m_normalSize, minimumSize(), FrameMargins(), screen->availableGeometry())
               : m_normalSize;
    resize(m_fittedSize);
    m_startMinimised = record.State == static_cast<int32_t>(TWindowState::Minimised);
    if (m_startMinimised) {
        setWindowState(windowState() | Qt::WindowMinimized);
    } else if (record.State == static_cast<int32_t>(TWindowState::Maximised)) {
        setWindowState(windowState() | Qt::WindowMaximized);
    }
}

QSize TMain::NormalSize() const
{
    QSize normal = size();
    if (windowState() & kNotNormal) {
        const QRect geometry = normalGeometry();
        normal = geometry.isValid() && !geometry.isEmpty() ? geometry.size() : m_fittedSize;
    }
    return normal == m_fittedSize ? m_normalSize : normal;
}

void TMain::CollectMainSettings(TMainSettingsRecord& record)
{
    CollectViewSettings(m_view, record);
    record.FontType = m_listFont.Face;
    record.FontSize = m_listFont.Size;
    record.FgColor = m_listFont.Color;
    record.FontStyle = m_listFont.Style;
    record.BgColor = m_listBgColor;
    const Qt::WindowStates state = windowState();
    record.State = static_cast<int32_t>(WindowStateOf(state));
    const QSize normal = NormalSize();
    setWindowState(state & ~kNotNormal);
    record.Width = normal.width();
    record.Height = normal.height();
    record.GLPWidth = m_pageControl->isHidden() ? m_hiddenPanelWidth : GameListPanelWidth();
    m_screenShotPage->CollectSettings(record);
    record.ColName = m_gameList->ColumnWidth(TListColumn::Name);
    record.ColZipName = m_gameList->ColumnWidth(TListColumn::ZipName);
    // The generic window has no third column; its stored width passes through unchanged.
    if (m_model->columnCount() > static_cast<int>(TListColumn::ZipDate)) {
        record.ColZipdate = m_gameList->ColumnWidth(TListColumn::ZipDate);
    }
}

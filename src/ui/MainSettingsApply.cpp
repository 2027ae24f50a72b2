// TMain: restoring the window from the main settings record and collecting it for saving.
#include "ui/MainWindow.h"

#include <QAction>
#include <QActionGroup>
#include <QTabWidget>

#include "ui/GameListModel.h"
#include "ui/GameListView.h"
#include "ui/ScreenShotPage.h"

namespace {
// One radio group: a true value checks its item and so clears the others, a false one clears only its own.
void SetRadio(QAction* item, bool value)
{
    if (!item) {
        return;
    }
    if (value) {
        item->setChecked(true);
    } else if (item->isChecked()) {
        QActionGroup* group = item->actionGroup();
        const auto policy = group ? group->exclusionPolicy() : QActionGroup::ExclusionPolicy::None;
        if (group) {
            group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
        }
        item->setChecked(false);
        if (group) {
            group->setExclusionPolicy(policy);
        }
    }
}

constexpr auto kNotNormal = Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen;
} // namespace

void TMain::ApplyMainSettings(const TMainSettingsRecord& record)
{
    m_gameList->SetColumnWidth(2, record.ColZipdate);
    SetRadio(MenuItem("MSGamesInstalled"), record.Installed);
    SetRadio(MenuItem("MSGamesUninstalled"), record.UnInstalled);
    SetRadio(MenuItem("MSGamesAll"), record.All);
    const bool styles[] = {record.Large, record.Small, record.List, record.Details};
    const char* const styleItems[] = {"MSIconsLarge", "MSIconsSmall", "MSIconsList", "MSIconsDetails"};
    for (int i = 0; i < 4; ++i) {
        if (styles[i]) {
            MenuIconsViewClick(MenuItem(styleItems[i]));
        }
    }
    SortOn(record.Sort);
    m_listFont = TFontChoice{record.FontType, record.FontSize, record.FontStyle, record.FgColor};
    m_listBgColor = record.BgColor;
    ApplyListFont();
    ApplyToggle("MSHotTracking", record.HotTracking, &TMain::MenuHotTrackingClick);
    ApplyToggle("MSStatbar", record.StatBar, &TMain::MenuViewStatBarClick);
    if (record.TabSheet) {
        ShowTabSheet();
        SetGameListPanelWidth(record.GLPWidth);
    } else {
        HideTabSheet();
    }
    ApplyWindowSize(record);
    m_screenShotPage->ApplySettings(record);
    SetRadio(MenuItem("MSSndMusic"), record.Music);
    SetRadio(MenuItem("MSSndSamples"), record.Samples);
    SetRadio(MenuItem("MSSndNone"), record.None);
    m_gameList->SetColumnWidth(0, record.ColName);
    m_gameList->SetColumnWidth(1, record.ColZipName);
}

// A stored state equal to the current one changes nothing; another one runs the toggle's command.
void TMain::ApplyToggle(const QString& name, bool value, void (TMain::*command)())
{
    QAction* item = MenuItem(name);
    if (item->isChecked() != value) {
        item->setChecked(value);
        (this->*command)();
    }
}

void TMain::ApplyWindowSize(const TMainSettingsRecord& record)
{
    setWindowState(windowState() & ~kNotNormal);
    m_normalSize = QSize(std::max(record.Width, minimumWidth()), std::max(record.Height, minimumHeight()));
    resize(m_normalSize);
    if (record.State == 1) {
        setWindowState(windowState() | Qt::WindowMinimized);
    } else if (record.State == 2) {
        setWindowState(windowState() | Qt::WindowMaximized);
    }
}

QSize TMain::NormalSize() const
{
    if (!(windowState() & kNotNormal)) {
        return size();
    }
    const QRect normal = normalGeometry();
    return normal.isValid() && !normal.isEmpty() ? normal.size() : m_normalSize;
}

void TMain::CollectMainSettings(TMainSettingsRecord& record)
{
    record.Installed = MenuItem("MSGamesInstalled")->isChecked();
    record.UnInstalled = MenuItem("MSGamesUninstalled")->isChecked();
    record.All = MenuItem("MSGamesAll")->isChecked();
    record.Large = MenuItem("MSIconsLarge")->isChecked();
    record.Small = MenuItem("MSIconsSmall")->isChecked();
    record.List = MenuItem("MSIconsList")->isChecked();
    record.Details = MenuItem("MSIconsDetails")->isChecked();
    record.HotTracking = MenuItem("MSHotTracking")->isChecked();
    record.StatBar = MenuItem("MSStatbar")->isChecked();
    record.TabSheet = MenuItem("MSTabsheet")->isChecked();
    // A play column is ours: the system's file keeps the name sort that its menu item applies first.
    record.Sort = m_sortColumn < 3 ? m_sortColumn : 0;
    record.FontType = m_listFont.Face;
    record.FontSize = m_listFont.Size;
    record.FgColor = m_listFont.Color;
    record.FontStyle = m_listFont.Style;
    record.BgColor = m_listBgColor;
    const Qt::WindowStates state = windowState();
    record.State = (state & Qt::WindowMinimized) ? 1 : ((state & Qt::WindowMaximized) ? 2 : 0);
    const QSize normal = NormalSize();
    setWindowState(state & ~kNotNormal);
    record.Width = normal.width();
    record.Height = normal.height();
    record.GLPWidth = m_pageControl->isHidden() ? m_hiddenPanelWidth : GameListPanelWidth();
    m_screenShotPage->CollectSettings(record);
    record.Music = MenuItem("MSSndMusic")->isChecked();
    record.Samples = MenuItem("MSSndSamples")->isChecked();
    record.None = MenuItem("MSSndNone")->isChecked();
    record.ColName = m_gameList->ColumnWidth(0);
    record.ColZipName = m_gameList->ColumnWidth(1);
    // The generic window has no third column; its stored width passes through unchanged.
    if (m_model->columnCount() > 2) {
        record.ColZipdate = m_gameList->ColumnWidth(2);
    }
}

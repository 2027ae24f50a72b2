#include "ui/ScreenShotPage.h"

#include <algorithm>
#include <filesystem>
#include <limits>

#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QLinearGradient>
#include <QMenu>
#include <QPainter>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "catalogue/GameObject.h"
#include "controllers/ScreenShotViewer.h"
#include "platform/qt/QtText.h"
#include "ui/BoxesAfterShow.h"
#include "ui/ScreenShot1.h"
#include "ui/ScreenShotWidgets.h"
#include "ui/ToolGlyphs.h"

namespace {

constexpr int kNarrowestPage = 40;

// The placeholder for a game without pictures: a dim screen with a crossed-out camera.
QPixmap NoShotPicture()
{
    QPixmap pixmap(384, 256);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient gradient(0, 0, 0, 256);
    gradient.setColorAt(0, QColor(40, 44, 60));
    gradient.setColorAt(1, QColor(12, 12, 20));
    painter.fillRect(pixmap.rect(), gradient);
    painter.setPen(QPen(QColor(150, 155, 180), 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(132, 88, 120, 84), 12, 12);
    painter.drawRect(QRectF(166, 74, 52, 14));
    painter.drawEllipse(QPointF(192, 130), 26, 26);
    painter.setPen(QPen(QColor(200, 60, 60), 8, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(120, 190), QPointF(264, 66));
    return pixmap;
}

int IntervalFromSeconds(int32_t seconds)
{
    const int64_t ms = static_cast<int64_t>(seconds) * 1000;
    return static_cast<int>(std::clamp<int64_t>(ms, 0, std::numeric_limits<int>::max()));
}

// One option of a radio group as the settings load sets it: true checks it, false clears only itself.
TScalingMode ApplyRadio(TScalingMode current, bool value, TScalingMode option)
{
    if (value)
        return option;
    return current == option ? TScalingMode::None : current;
}

QAction* NewItem(QObject* parent, const char* name, const char* caption, bool checkable, bool checked)
{
    auto* item = new QAction(QString::fromUtf8(caption), parent);
    item->setObjectName(name);
    item->setCheckable(checkable);
    item->setChecked(checked);
    return item;
}

QToolButton* NewButton(QWidget* parent, const char* name, const char* hint, TToolGlyph glyph)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setToolTip(hint);
    button->setIcon(ToolGlyphIcon(glyph));
    button->setIconSize(QSize(22, 22));
    return button;
}

} // namespace

TScreenShotPage::TScreenShotPage(QWidget* parent, TDialogs& dialogs)
    : QWidget(parent), m_dialogs(dialogs), m_viewerBoxes(new TBoxesAfterShow(dialogs, *this)),
      m_viewer(std::make_unique<TScreenShotViewer>(*m_viewerBoxes))
{
    setObjectName("ScreenShotPage");
    CreateControls();
    CreateMenuItems();
    connect(m_viewer.get(), &TScreenShotViewer::Changed, this, &TScreenShotPage::ShowViewerState);
    ShowViewerState();
}

TScreenShotPage::~TScreenShotPage()
{
    // The viewer's signals must not reach widgets that are being destroyed.
    disconnect(m_viewer.get(), nullptr, this, nullptr);
}

QSize TScreenShotPage::minimumSizeHint() const
{
    QSize least = QWidget::minimumSizeHint();
    least.setWidth(std::min(least.width(), kNarrowestPage));
    return least;
}

void TScreenShotPage::CreateControls()
{
    auto* area = new TSSArea(this);
    NoShotImage = new QLabel(area);
    NoShotImage->setObjectName("NoShotImage");
    NoShotImage->setPixmap(NoShotPicture());
    NoShotImage->setScaledContents(true);
    NoShotImage->setMinimumSize(1, 1);
    SSPanel = new TSSPanel(area);
    SSImage = new TSSImage(SSPanel);
    area->OnResize = [this](QSize size) { m_viewer->SetPanelSize(size); };

    SSShowName = new QLabel("None", this);
    SSShowName->setObjectName("SSShowName");
    SSShowName->setAlignment(Qt::AlignCenter);

    SToolBar = new TSToolBar(this);
    SToolPlay = NewButton(SToolBar, "SToolPlay", "Play", TToolGlyph::Play);
    SToolPause = NewButton(SToolBar, "SToolPause", "Pause", TToolGlyph::Pause);
    SToolPrev = NewButton(SToolBar, "SToolPrev", "Previous", TToolGlyph::Previous);
    SToolNext = NewButton(SToolBar, "SToolNext", "Next", TToolGlyph::Next);
    SToolTimer = NewButton(SToolBar, "SToolTimer", "Set Timer", TToolGlyph::Timer);
    SToolKill = NewButton(SToolBar, "SToolKill", "Delete Screenshot", TToolGlyph::Delete);
    SToolClose = NewButton(SToolBar, "SToolClose", "Hide Controls", TToolGlyph::Close);
    for (QToolButton* button :
         {SToolPlay, SToolPause, SToolPrev, SToolNext, SToolTimer, SToolKill, SToolClose})
        SToolBar->AddButton(button);
    SToolPlay->setCheckable(true);
    SToolPause->setCheckable(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(area, 1);
    layout->addWidget(SSShowName);
    layout->addWidget(SToolBar);

    connect(SToolPlay, &QToolButton::clicked, this, &TScreenShotPage::SToolPlayClick);
    connect(SToolPause, &QToolButton::clicked, this, &TScreenShotPage::SToolPauseClick);
    connect(SToolPrev, &QToolButton::clicked, this, &TScreenShotPage::SToolPrevClick);
    connect(SToolNext, &QToolButton::clicked, this, &TScreenShotPage::SToolNextClick);
    connect(SToolTimer, &QToolButton::clicked, this, &TScreenShotPage::SToolTimerClick);
    connect(SToolKill, &QToolButton::clicked, this, &TScreenShotPage::SToolKillClick);
    connect(SToolClose, &QToolButton::clicked, this, &TScreenShotPage::SToolCloseClick);
}

void TScreenShotPage::CreateMenuItems()
{
    MSSCROriginal = NewItem(this, "MSSCROriginal", "Or&iginal", true, false);
    MSSCRScaled = NewItem(this, "MSSCRScaled", "&Scaled", true, true);
    MSSCRStretched = NewItem(this, "MSSCRStretched", "St&reched", true, false);
    m_scalingGroup = new QActionGroup(this);
    m_scalingGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (QAction* item : {MSSCROriginal, MSSCRScaled, MSSCRStretched})
        m_scalingGroup->addAction(item);
    MSSCRTitle = NewItem(this, "MSSCRTitle", "&Title", true, true);
    MSSCRGameplay = NewItem(this, "MSSCRGameplay", "&Gameplay", true, true);
    MSSCRFlyer = NewItem(this, "MSSCRFlyer", "&Flyer", true, true);
    MSSCRCabinet = NewItem(this, "MSSCRCabinet", "&Cabinet", true, true);
    MSSCRDelete = NewItem(this, "MSSCRDelete", "&Delete current screenshot", false, false);
    MSSCRConvertFormat = NewItem(this, "MSSCRConvertFormat", "Con&vert all to PNG", false, false);
    MSSCRConvertToNewStyle = NewItem(this, "MSSCRConvertToNewStyle", "Convert to new St&yle", false, false);
    MSSCRControls = NewItem(this, "MSSCRControls", "Show C&ontrols", true, true);
    MSSCRControls->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    MSSCRName = NewItem(this, "MSSCRName", "Show File&name", true, true);
    MSSCRName->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));

    for (QAction* item : {MSSCROriginal, MSSCRScaled, MSSCRStretched})
        connect(item, &QAction::triggered, this, [this, item] { MenuScreenShotScalingClick(item); });
    for (QAction* item : {MSSCRTitle, MSSCRGameplay, MSSCRFlyer, MSSCRCabinet})
        connect(item, &QAction::triggered, this, [this, item] { MSSCRShowClick(item); });
    connect(MSSCRDelete, &QAction::triggered, this, &TScreenShotPage::MSSCRDeleteClick);
    connect(MSSCRConvertFormat, &QAction::triggered, this, &TScreenShotPage::MSSCRConvertFormatClick);
    connect(MSSCRConvertToNewStyle, &QAction::triggered, this, &TScreenShotPage::MSSCRConvertToNewStyleClick);
    connect(MSSCRControls, &QAction::triggered, this, &TScreenShotPage::MSSCRControlsClick);
    connect(MSSCRName, &QAction::triggered, this, &TScreenShotPage::MSSCRNameClick);
}

void TScreenShotPage::FillScreenShotMenu(QMenu* menu)
{
    menu->addAction(MSSCROriginal);
    menu->addAction(MSSCRScaled);
    menu->addAction(MSSCRStretched);
    menu->addSeparator();
    menu->addAction(MSSCRTitle);
    menu->addAction(MSSCRGameplay);
    menu->addAction(MSSCRFlyer);
    menu->addAction(MSSCRCabinet);
    menu->addSeparator();
    menu->addAction(MSSCRDelete);
    menu->addAction(MSSCRConvertFormat);
    menu->addAction(MSSCRConvertToNewStyle);
    menu->addSeparator();
    menu->addAction(MSSCRControls);
    menu->addAction(MSSCRName);
    connect(menu, &QMenu::aboutToShow, this, &TScreenShotPage::MenuScreenShotClick);
}

void TScreenShotPage::SetWorkingPaths(const TWorkingPaths& paths)
{
    m_viewer->SetPaths(paths);
}

void TScreenShotPage::LoadNew(TGameObject* currentGame)
{
    m_viewer->SetCurrentGame(currentGame);
    m_viewer->LoadNew();
}

void TScreenShotPage::StopSlideshow()
{
    m_viewer->SetTimerEnabled(false);
}

void TScreenShotPage::RestoreSlideshow()
{
    m_viewer->SetTimerEnabled(m_viewer->PlayDown());
}

const std::vector<std::string>& TScreenShotPage::ScreenshotList() const
{
    return m_viewer->ScreenshotList();
}

void TScreenShotPage::ShowViewerState()
{
    // Showing the panel resizes it, which reports back here; finish this pass and run it once more.
    if (m_showing) {
        m_showAgain = true;
        return;
    }
    m_showing = true;
    do {
        m_showAgain = false;
        ShowViewerStateOnce();
    } while (m_showAgain);
    m_showing = false;
}

void TScreenShotPage::ShowViewerStateOnce()
{
    const TScreenShotViewer& viewer = *m_viewer;
    SSImage->SetPicture(viewer.Picture());
    if (!viewer.ImageBounds().isNull())
        SSImage->setGeometry(viewer.ImageBounds());
    SSShowName->setText(TextFromBytes(viewer.ShowNameText()));
    NoShotImage->setVisible(viewer.NoShotVisible());
    SSPanel->setVisible(viewer.PanelVisible());
    SToolPlay->setChecked(viewer.PlayDown());
    SToolPause->setChecked(!viewer.PlayDown());
}

void TScreenShotPage::SyncMenuFromViewer()
{
    const TScalingMode mode = m_viewer->ScalingMode();
    MSSCROriginal->setChecked(mode == TScalingMode::Original);
    MSSCRScaled->setChecked(mode == TScalingMode::Scaled);
    MSSCRStretched->setChecked(mode == TScalingMode::Stretched);
    const TScreenshotCategories& categories = m_viewer->Categories();
    MSSCRTitle->setChecked(categories.Title);
    MSSCRGameplay->setChecked(categories.Gameplay);
    MSSCRFlyer->setChecked(categories.Flyer);
    MSSCRCabinet->setChecked(categories.Cabinet);
}

void TScreenShotPage::ApplyScreenshotControls()
{
    QWidget* top = window();
    const bool updates = top->updatesEnabled();
    top->setUpdatesEnabled(false);
    SSShowName->hide();
    SToolBar->setVisible(MSSCRControls->isChecked());
    SSShowName->setVisible(MSSCRName->isChecked());
    top->setUpdatesEnabled(updates);
}

void TScreenShotPage::ApplySettings(const TMainSettingsRecord& record)
{
    m_viewer->SetInterval(IntervalFromSeconds(record.Timer));
    if (record.Play)
        SToolPlayClick();
    TScalingMode mode = m_viewer->ScalingMode();
    mode = ApplyRadio(mode, record.Original, TScalingMode::Original);
    mode = ApplyRadio(mode, record.Scaled, TScalingMode::Scaled);
    mode = ApplyRadio(mode, record.Stretched, TScalingMode::Stretched);
    m_viewer->SetScalingMode(mode);
    m_viewer->SetCategories({record.Title, record.Game, record.Flyer, record.Cabinet});
    MSSCRName->setChecked(record.ShowName);
    MSSCRControls->setChecked(record.ShowControls);
    SyncMenuFromViewer();
}

void TScreenShotPage::CollectSettings(TMainSettingsRecord& record) const
{
    const TScalingMode mode = m_viewer->ScalingMode();
    record.Original = mode == TScalingMode::Original;
    record.Scaled = mode == TScalingMode::Scaled;
    record.Stretched = mode == TScalingMode::Stretched;
    record.Timer = m_viewer->Interval() / 1000;
    const TScreenshotCategories& categories = m_viewer->Categories();
    record.Title = categories.Title;
    record.Game = categories.Gameplay;
    record.Flyer = categories.Flyer;
    record.Cabinet = categories.Cabinet;
    record.ShowName = MSSCRName->isChecked();
    record.ShowControls = MSSCRControls->isChecked();
    record.Play = m_viewer->PlayDown();
}

void TScreenShotPage::CreateTimerDialog()
{
    if (m_timerDialog)
        return;
    m_timerDialog = new TScreenShot1(this);
    m_timerDialog->ScaleFormFonts = m_scaleFormFonts;
}

void TScreenShotPage::SetConvertFormatCommand(std::function<void()> command)
{
    m_convertFormat = std::move(command);
}

void TScreenShotPage::SetConvertToNewStyleCommand(std::function<void()> command)
{
    m_convertToNewStyle = std::move(command);
}

void TScreenShotPage::SetFontScaler(std::function<void(QWidget*)> scaleFormFonts)
{
    m_scaleFormFonts = std::move(scaleFormFonts);
    if (m_timerDialog)
        m_timerDialog->ScaleFormFonts = m_scaleFormFonts;
}

void TScreenShotPage::SToolPlayClick()
{
    m_viewer->SToolPlayClick();
    ShowViewerState();
}

void TScreenShotPage::SToolPauseClick()
{
    m_viewer->SToolPauseClick();
    ShowViewerState();
}

void TScreenShotPage::SToolPrevClick()
{
    m_viewer->Prev();
}

void TScreenShotPage::SToolNextClick()
{
    m_viewer->Next();
}

void TScreenShotPage::SToolTimerClick()
{
    CreateTimerDialog();
    m_viewer->SetInterval(m_timerDialog->SetTimer(m_viewer->Interval()));
}

void TScreenShotPage::SToolKillClick()
{
    // Through the menu item, so a disabled item ignores it.
    MSSCRDelete->trigger();
}

void TScreenShotPage::SToolCloseClick()
{
    MSSCRControls->trigger();
}

void TScreenShotPage::MenuScreenShotClick()
{
    namespace fs = std::filesystem;
    std::error_code ec;
    MSSCRDelete->setEnabled(!m_viewer->ScreenshotList().empty());
    MSSCRConvertFormat->setEnabled(
        fs::is_regular_file(fs::path(m_viewer->Paths().AppDir + "nconvert.exe"), ec));
    MSSCRConvertToNewStyle->setEnabled(fs::is_directory(fs::path("pcx"), ec));
}

void TScreenShotPage::MenuScreenShotScalingClick(QAction* item)
{
    const TScalingMode mode = item == MSSCROriginal    ? TScalingMode::Original
                              : item == MSSCRStretched ? TScalingMode::Stretched
                                                       : TScalingMode::Scaled;
    m_viewer->SetScalingMode(mode);
    SyncMenuFromViewer();
}

void TScreenShotPage::MSSCRShowClick(QAction*)
{
    // The item's check mark has already toggled.
    m_viewer->SetCategories({MSSCRTitle->isChecked(), MSSCRGameplay->isChecked(), MSSCRFlyer->isChecked(),
                             MSSCRCabinet->isChecked()});
    m_viewer->LoadNew();
}

void TScreenShotPage::MSSCRNameClick()
{
    SSShowName->setVisible(MSSCRName->isChecked());
}

void TScreenShotPage::MSSCRControlsClick()
{
    ApplyScreenshotControls();
}

void TScreenShotPage::MSSCRDeleteClick()
{
    // The viewer pauses the slideshow before it asks; the buttons say so while the question is open.
    if (!m_viewer->ScreenshotList().empty()) {
        SToolPlay->setChecked(false);
        SToolPause->setChecked(true);
    }
    m_viewer->Delete();
    ShowViewerState();
}

void TScreenShotPage::MSSCRConvertFormatClick()
{
    if (m_convertFormat)
        m_convertFormat();
}

void TScreenShotPage::MSSCRConvertToNewStyleClick()
{
    if (m_convertToNewStyle)
        m_convertToNewStyle();
}

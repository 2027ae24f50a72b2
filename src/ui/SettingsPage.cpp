#include "ui/SettingsPage.h"

#include <algorithm>
#include <exception>

#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QScopedValueRollback>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

#include "catalogue/GameObject.h"
#include "catalogue/GameSettings.h"
#include "controllers/SettingsPageText.h"
#include "platform/Dialogs.h"
#include "platform/qt/QtText.h"
#include "ui/SettingsPageSpinEdit.h"
#include "ui/SettingsPageToolbar.h"

namespace {
constexpr int kGammaMin = 1;
constexpr int kGammaMax = 20;
constexpr std::size_t kChoiceTextBytes = 8;
constexpr std::size_t kFrameSkipBytes = 1;
constexpr int kNarrowestPage = 40;

bool IsPlainEnter(const QKeyEvent& key)
{
    return (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) &&
           (key.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

bool Contains(const QWidget* outer, const QWidget* inner)
{
    return inner && (inner == outer || outer->isAncestorOf(inner));
}
} // namespace

TSettingsPage::TSettingsPage(QWidget* parent) : QWidget(parent)
{
    m_editor.OnFailure = [this](const std::string& text) { ReportFailure(text); };
    CreateControls();
    ConnectControls();
    InstallEventFilters();
    // No game is current until the main window shows one.
    LoadSettingsPanel();
}

TSettingsPage::~TSettingsPage()
{
    // Deleting the children moves the focus; this page must not hear of it any more.
    disconnect(m_focusConnection);
}

QSize TSettingsPage::minimumSizeHint() const
{
    QSize least = QWidget::minimumSizeHint();
    least.setWidth(std::min(least.width(), kNarrowestPage));
    return least;
}

void TSettingsPage::SetIniFilesDir(const std::string& iniFilesDir)
{
    m_editor.SetIniFilesDir(iniFilesDir);
}

void TSettingsPage::SetPageControl(QTabWidget* pageControl)
{
    m_pageControl = pageControl;
}

void TSettingsPage::SetDialogs(TDialogs* dialogs)
{
    m_dialogs = dialogs;
}

void TSettingsPage::ConnectControls()
{
    connect(ChUseDefSettings, &QCheckBox::clicked, this, [this] { ChUseDefSettingsClick(); });
    connect(ChGammaCorrection, &QSlider::valueChanged, this, [this] { ChGammaCorrectionChange(); });
    connect(SetToolUndo, &QToolButton::clicked, this, [this] { SettingsResetButtonClick(); });
    connect(SetToolSave, &QToolButton::clicked, this, [this] { DefaultSettingsSaveButtonClick(); });
    connect(SetToolCancel, &QToolButton::clicked, this, [this] { DefaultSettingsCancelButtonClick(); });
    m_focusConnection =
        connect(qApp, &QApplication::focusChanged, this,
                [this](QWidget* oldFocus, QWidget* newFocus) { FocusChanged(oldFocus, newFocus); });
}

void TSettingsPage::InstallEventFilters()
{
    for (QWidget* child : findChildren<QWidget*>()) {
        child->installEventFilter(this);
        // Scrolling the panel must not change a value that merely lies under the pointer.
        if (qobject_cast<QComboBox*>(child) || qobject_cast<QAbstractSpinBox*>(child) ||
            qobject_cast<QAbstractSlider*>(child)) {
            child->setFocusPolicy(Qt::StrongFocus);
        }
    }
}

bool TSettingsPage::eventFilter(QObject* watched, QEvent* event)
{
    auto* widget = qobject_cast<QWidget*>(watched);
    // Open drop-down lists are windows of their own and take Enter as a choice.
    if (!widget || widget->window() != window()) {
        return QWidget::eventFilter(watched, event);
    }
    if (event->type() == QEvent::KeyPress && IsPlainEnter(*static_cast<QKeyEvent*>(event))) {
        emit StartRequested();
        return true;
    }
    if (event->type() == QEvent::Wheel && !widget->hasFocus() &&
        SettingsScrollBox->widget()->isAncestorOf(widget) &&
        (qobject_cast<QComboBox*>(widget) || qobject_cast<QAbstractSpinBox*>(widget) ||
         qobject_cast<QAbstractSlider*>(widget))) {
        QCoreApplication::sendEvent(SettingsScrollBox->verticalScrollBar(), event);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TSettingsPage::ShowGame(TGameObject* currentGame)
{
    // A selection changed by a command rather than by a click still keeps the edits made so far.
    if (!m_editor.DefaultMode() && m_editor.CurrentGame() && FocusInPanel()) {
        SaveSettingsPanel();
    }
    if (!m_editor.ShowGame(currentGame)) {
        return;
    }
    LoadSettingsPanel();
    if (!m_editor.CurrentGame()) {
        return;
    }
    ChUseDefSettings->setChecked(m_editor.UsesDefaults());
    ChUseDefSettingsClick();
}

void TSettingsPage::LoadSettingsPanel()
{
    if (!m_editor.CurrentGame()) {
        ChUseDefSettings->hide();
        SetPanelVisible(false);
        return;
    }
    ChUseDefSettings->setVisible(!m_editor.DefaultMode());
    // Values that did not come from the file stay off screen, and a focus change does not store them.
    if (const std::optional<TGameSettingsObject> settings = m_editor.Load()) {
        ShowSettings(*settings);
    }
}

void TSettingsPage::ShowSettings(const TGameSettingsObject& settings)
{
    ChVerticalDisplay->setChecked(settings.VerticalDisplay);
    ChVsync->setChecked(settings.Vsync);
    ChScanlines->setChecked(settings.ScanLines);
    CBResolution->setEditText(TextFromBytes(settings.Resolution));
    ChGammaCorrection->setValue(std::clamp<int>(settings.GammaCorrection, kGammaMin, kGammaMax));
    ChGammaCorrectionChange();
    CbSamplingRate->setEditText(TextFromBytes(settings.SamplingRate));
    ChJoystick->setChecked(settings.Joystick);
    ChQuickFire1->setChecked(settings.QuickFire1);
    ChQuickFire2->setChecked(settings.QuickFire2);
    ChQuickFire3->setChecked(settings.QuickFire3);
    ChQuickFire4->setChecked(settings.QuickFire4);
    ChPproOptimized->setChecked(settings.PproOptimized);
    ChPerfCounter->setChecked(settings.PerfCounter);
    ChFrameSkip->setEditText(TextFromBytes(settings.FrameSkip));
    ChInterruptRate->SetValue(settings.InterruptRate);
    ChV30CpuClock->SetValue(settings.V30CpuClock);
}

TGameSettingsObject TSettingsPage::ShownSettings() const
{
    TGameSettingsObject settings;
    settings.VerticalDisplay = ChVerticalDisplay->isChecked();
    settings.Vsync = ChVsync->isChecked();
    settings.ScanLines = ChScanlines->isChecked();
    settings.Resolution = StoredText(CBResolution->currentText(), kChoiceTextBytes);
    settings.GammaCorrection = ChGammaCorrection->value();
    settings.SamplingRate = StoredText(CbSamplingRate->currentText(), kChoiceTextBytes);
    settings.Joystick = ChJoystick->isChecked();
    settings.QuickFire1 = ChQuickFire1->isChecked();
    settings.QuickFire2 = ChQuickFire2->isChecked();
    settings.QuickFire3 = ChQuickFire3->isChecked();
    settings.QuickFire4 = ChQuickFire4->isChecked();
    settings.PproOptimized = ChPproOptimized->isChecked();
    settings.PerfCounter = ChPerfCounter->isChecked();
    settings.FrameSkip = StoredText(ChFrameSkip->currentText(), kFrameSkipBytes);
    settings.InterruptRate = ChInterruptRate->Value();
    settings.V30CpuClock = ChV30CpuClock->Value();
    return settings;
}

void TSettingsPage::SaveSettingsPanel()
{
    if (m_editor.CurrentGame()) {
        m_editor.Save(ShownSettings());
    }
}

void TSettingsPage::ChGammaCorrectionChange()
{
    GammaLabel->setText(GammaText(ChGammaCorrection->value()));
}

void TSettingsPage::ChUseDefSettingsClick()
{
    if (!m_editor.CurrentGame() || m_editor.DefaultMode()) {
        return;
    }
    if (!ChUseDefSettings->isChecked()) {
        SetPanelVisible(true);
        SetToolUndo->show();
        SettingsToolbar->LayOut();
        return;
    }
    SetPanelVisible(false);
    SetToolUndo->hide();
    m_editor.UseDefaults();
    LoadSettingsPanel();
}

void TSettingsPage::FocusChanged(QWidget* oldFocus, QWidget* newFocus)
{
    if (!oldFocus || !Contains(SettingsScrollBox, oldFocus) || Contains(SettingsScrollBox, newFocus)) {
        return;
    }
    // Another window taking the focus (a dialog, a drop-down list, another program) leaves the focus
    // where it was in this one.
    if (newFocus ? newFocus->window() != oldFocus->window()
                 : QApplication::activeWindow() != oldFocus->window()) {
        return;
    }
    SettingsScrollBoxExit(newFocus);
}

void TSettingsPage::SettingsScrollBoxExit(QWidget* newFocus)
{
    if (m_hidingPanel || !m_editor.SavesOnLeave() || Contains(SettingsToolbar, newFocus)) {
        return;
    }
    SaveSettingsPanel();
}

bool TSettingsPage::FocusInPanel() const
{
    return Contains(SettingsScrollBox, QApplication::focusWidget());
}

void TSettingsPage::SetPanelVisible(bool visible)
{
    QScopedValueRollback<bool> hiding(m_hidingPanel, true);
    SettingsScrollBox->setVisible(visible);
}

void TSettingsPage::SettingsResetButtonClick()
{
    LoadSettingsPanel();
}

void TSettingsPage::EnterDefaultSettingsMode()
{
    if (!m_editor.DefaultMode()) {
        if (m_editor.CurrentGame() && FocusInPanel()) {
            SaveSettingsPanel();
        }
        m_pageBeforeDefaults = m_pageControl ? m_pageControl->currentWidget() : nullptr;
        m_editor.EnterDefaultMode();
        emit DefaultSettingsModeStarted();
        LoadSettingsPanel();
    }
    if (m_pageControl) {
        for (int index = 0; index < m_pageControl->count(); ++index) {
            if (Contains(m_pageControl->widget(index), this)) {
                m_pageControl->setCurrentIndex(index);
            }
        }
    }
    ChUseDefSettings->hide();
    SetPanelVisible(true);
    DefSetLabel->show();
    SetToolSave->show();
    SetToolCancel->show();
    SetToolUndo->show();
    SettingsToolbar->LayOut();
}

void TSettingsPage::DefaultSettingsSaveButtonClick()
{
    if (!m_editor.DefaultMode()) {
        return;
    }
    SaveSettingsPanel();
    LeaveDefaultSettingsMode();
}

void TSettingsPage::DefaultSettingsCancelButtonClick()
{
    if (m_editor.DefaultMode()) {
        LeaveDefaultSettingsMode();
    }
}

void TSettingsPage::LeaveDefaultSettingsMode()
{
    SetToolSave->hide();
    SetToolCancel->hide();
    DefSetLabel->hide();
    SettingsToolbar->LayOut();
    if (m_editor.LeaveDefaultMode([this] { emit DefaultSettingsModeEnded(); })) {
        ShowGame(nullptr);
    }
    const QPointer<QWidget> previous = m_pageBeforeDefaults;
    m_pageBeforeDefaults = nullptr;
    if (m_pageControl && previous && m_pageControl->indexOf(previous) >= 0) {
        m_pageControl->setCurrentWidget(previous);
    }
}

void TSettingsPage::ReportFailure(const std::string& text)
{
    qWarning("Settings page: %s", text.c_str());
    if (!m_dialogs) {
        return;
    }
    // Shown once the focus change or click that failed has finished.
    QTimer::singleShot(0, this, [dialogs = m_dialogs, text] { ShowError(*dialogs, text); });
}

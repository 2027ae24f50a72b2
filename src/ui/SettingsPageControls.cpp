// Builds the controls of the settings page and lays them out.
#include "ui/SettingsPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QSlider>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/CommandLineBox.h"
#include "ui/SettingsPageSpinEdit.h"
#include "ui/SettingsPageToolbar.h"
#include "ui/ToolGlyphs.h"

namespace {
QComboBox* NewDropDown(const QStringList& items, const QString& text, QWidget* parent)
{
    auto* box = new QComboBox(parent);
    box->setEditable(true);
    // Typed texts are values, not new entries of the list.
    box->setInsertPolicy(QComboBox::NoInsert);
    box->addItems(items);
    box->setEditText(text);
    box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return box;
}

QFormLayout* NewForm()
{
    auto* form = new QFormLayout;
    // In a narrow panel a field moves below its label instead of being cut.
    form->setRowWrapPolicy(QFormLayout::WrapLongRows);
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    form->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return form;
}

QLabel* NewBuddyLabel(const QString& caption, QWidget* buddy)
{
    auto* label = new QLabel(caption);
    label->setBuddy(buddy);
    return label;
}
} // namespace

void TSettingsPage::CreateControls()
{
    ChUseDefSettings = new QCheckBox("Use Default Settings", this);
    DefSetLabel = new QLabel("Configure Default Settings", this);
    DefSetLabel->setAlignment(Qt::AlignCenter);
    QFont labelFont = DefSetLabel->font();
    labelFont.setBold(true);
    DefSetLabel->setFont(labelFont);
    DefSetLabel->hide();

    auto* content = new QWidget;
    auto* groups = new QVBoxLayout(content);

    GrDisplay = new QGroupBox("Display", content);
    ChVerticalDisplay = new QCheckBox("Vertical Display", GrDisplay);
    ChVsync = new QCheckBox("Vsync", GrDisplay);
    ChScanlines = new QCheckBox("Scan Lines", GrDisplay);
    CBResolution = NewDropDown({"Default", "400x300", "512x384", "640x480", "800x600", "1024x768"}, "Default",
                               GrDisplay);
    ChGammaCorrection = new QSlider(Qt::Horizontal, GrDisplay);
    ChGammaCorrection->setRange(1, 20);
    ChGammaCorrection->setSingleStep(1);
    ChGammaCorrection->setPageStep(1);
    ChGammaCorrection->setTickInterval(1);
    ChGammaCorrection->setTickPosition(QSlider::TicksBelow);
    ChGammaCorrection->setValue(10);
    ChGammaCorrection->setMinimumWidth(80);
    ChGammaCorrection->setMaximumWidth(320);
    GammaLabel = new QLabel("1.0", GrDisplay);
    // Room for the widest caption, "2.0", so the track bar does not jump while it moves.
    GammaLabel->setMinimumWidth(GammaLabel->fontMetrics().horizontalAdvance("0.00"));
    auto* gammaRow = new QHBoxLayout;
    gammaRow->addWidget(ChGammaCorrection, 1);
    gammaRow->addWidget(GammaLabel);
    gammaRow->addStretch(0);
    auto* displayForm = NewForm();
    displayForm->addRow(NewBuddyLabel("Resolution", CBResolution), CBResolution);
    displayForm->addRow(NewBuddyLabel("Gamma Correction", ChGammaCorrection), gammaRow);
    displayForm->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
    auto* display = new QVBoxLayout(GrDisplay);
    display->addWidget(ChVerticalDisplay);
    display->addWidget(ChVsync);
    display->addWidget(ChScanlines);
    display->addLayout(displayForm);

    GrSound = new QGroupBox("Sound", content);
    CbSamplingRate = NewDropDown({"Default", "11025", "22050", "44100"}, "Default", GrSound);
    auto* sound = NewForm();
    sound->addRow(NewBuddyLabel("Sampling Rate", CbSamplingRate), CbSamplingRate);
    GrSound->setLayout(sound);

    GrControls = new QGroupBox("Controls", content);
    ChJoystick = new QCheckBox("Enable Joystick", GrControls);
    ChQuickFire1 = new QCheckBox("1", GrControls);
    ChQuickFire2 = new QCheckBox("2", GrControls);
    ChQuickFire3 = new QCheckBox("3", GrControls);
    ChQuickFire4 = new QCheckBox("4", GrControls);
    auto* quickFireRow = new QHBoxLayout;
    for (QCheckBox* box : {ChQuickFire1, ChQuickFire2, ChQuickFire3, ChQuickFire4}) {
        quickFireRow->addWidget(box);
    }
    quickFireRow->addStretch(1);
    auto* controls = new QVBoxLayout(GrControls);
    controls->addWidget(ChJoystick);
    controls->addWidget(new QLabel("Quickfire Buttons", GrControls));
    controls->addLayout(quickFireRow);

    GrPerformance = new QGroupBox("Performance", content);
    ChPproOptimized = new QCheckBox("Pentium Pro / P2/ Celeron", GrPerformance);
    ChPerfCounter = new QCheckBox("Performance Counter", GrPerformance);
    ChFrameSkip = NewDropDown({"0", "1", "2", "3", "4", "5"}, "0", GrPerformance);
    ChFrameSkip->lineEdit()->setMaxLength(1);
    auto* frameSkipForm = NewForm();
    frameSkipForm->addRow(NewBuddyLabel("Frameskip", ChFrameSkip), ChFrameSkip);
    auto* performance = new QVBoxLayout(GrPerformance);
    performance->addWidget(ChPproOptimized);
    performance->addWidget(ChPerfCounter);
    performance->addLayout(frameSkipForm);

    GrEmulation = new QGroupBox("Emulation", content);
    ChInterruptRate = new TSpinEdit(0, 999, 3, GrEmulation);
    ChInterruptRate->SetValue(60);
    ChV30CpuClock = new TSpinEdit(0, 999, 3, GrEmulation);
    ChV30CpuClock->SetValue(12);
    auto* emulation = NewForm();
    emulation->addRow(NewBuddyLabel("Interrupt Rate", ChInterruptRate), ChInterruptRate);
    emulation->addRow(NewBuddyLabel("V30 Cpu Clock", ChV30CpuClock), ChV30CpuClock);
    GrEmulation->setLayout(emulation);

    for (QGroupBox* group : {GrDisplay, GrSound, GrControls, GrPerformance, GrEmulation}) {
        groups->addWidget(group);
    }
    groups->addStretch(1);

    SettingsScrollBox = new QScrollArea(this);
    SettingsScrollBox->setWidgetResizable(true);
    SettingsScrollBox->setFrameShape(QFrame::NoFrame);
    SettingsScrollBox->setWidget(content);

    SettingsToolbar = new TSettingsToolbar(this);
    SetToolSave =
        SettingsToolbar->AddButton("Save", "Save as Default Settings", ToolGlyphIcon(TToolGlyph::Save));
    SetToolCancel = SettingsToolbar->AddButton("Cancel", "Cancel", ToolGlyphIcon(TToolGlyph::Cancel));
    SetToolUndo = SettingsToolbar->AddButton("Reset", "Undo Changes", ToolGlyphIcon(TToolGlyph::Reset));
    SetToolSave->hide();
    SetToolCancel->hide();

    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(2, 2, 2, 0);
    page->setSpacing(2);
    page->addWidget(ChUseDefSettings);
    page->addWidget(DefSetLabel);
    page->addWidget(SettingsScrollBox, 1);
    CommandLineBox = new TCommandLineBox(*this, this);
    page->addWidget(CommandLineBox);
    // Takes the room of a hidden panel, so the check box stays at the top and the tool bar at the bottom.
    page->addStretch(0);
    page->addWidget(SettingsToolbar);
}

#include "ui/SSConvert.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

QLabel* NewLabel(QWidget* parent, const char* name, const QString& text, int pointSizeDelta, bool bold)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignHCenter);
    QFont font = label->font();
    font.setPointSize(font.pointSize() + pointSizeDelta);
    font.setBold(bold);
    label->setFont(font);
    return label;
}

} // namespace

TSSConvert::TSSConvert(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName("SSConvert");
    setWindowTitle("Screenshotconversion");
    setModal(true);

    Label1 = NewLabel(this, "Label1", "Convert all your screenshots", 6, true);
    Label2 = NewLabel(this, "Label2", "to PNG Format", 6, true);
    Label3 = NewLabel(this, "Label3", "Conversion is done using Nconvert.exe", 0, false);
    Label4 = NewLabel(this, "Label4", "a freeware image converter", 0, false);
    Label5 = NewLabel(this, "Label5", "On Linux: vantorkorb-convert, made for VantorKorb", -1, false);
    BitBtn1 = new QPushButton("Convert", this);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton("Cancel", this);
    BitBtn2->setObjectName("BitBtn2");

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    for (QLabel* label : {Label1, Label2, Label3, Label4, Label5})
        layout->addWidget(label);
    layout->insertSpacing(2, 12);
    layout->addSpacing(12);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // QDialog already answers Escape with reject, which is Cancel's result.
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

void TSSConvert::ShowConvertDialog()
{
    if (exec() == QDialog::Accepted && ConvertAllScreenshots)
        ConvertAllScreenshots();
}

void TSSConvert::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (ScaleFormFonts)
        ScaleFormFonts(this);
    adjustSize();
    BitBtn1->setFocus();
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}

#include "platform/qt/QtFontDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "platform/qt/QtText.h"

namespace {

constexpr uint32_t kSystemColour = 0x80000000u;
constexpr uint32_t kClWindowText = kSystemColour | 8;
constexpr int kColourRole = Qt::UserRole;

struct TNamedColour
{
    const char* Name;
    uint32_t Value; // 0x00BBGGRR
};

// The sixteen colours every desktop font dialog offers.
const TNamedColour kNamedColours[] = {
    {"Black", 0x000000},  {"Maroon", 0x000080},  {"Green", 0x008000}, {"Olive", 0x008080},
    {"Navy", 0x800000},   {"Purple", 0x800080},  {"Teal", 0x808000},  {"Gray", 0x808080},
    {"Silver", 0xC0C0C0}, {"Red", 0x0000FF},     {"Lime", 0x00FF00},  {"Yellow", 0x00FFFF},
    {"Blue", 0xFF0000},   {"Fuchsia", 0xFF00FF}, {"Aqua", 0xFFFF00},  {"White", 0xFFFFFF},
};

const int kSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};

QColor OnScreen(uint32_t value)
{
    if (value & kSystemColour) {
        const QPalette palette = QApplication::palette();
        return (value & 0xFF) == 8 ? palette.color(QPalette::Text) : palette.color(QPalette::WindowText);
    }
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

uint32_t Stored(const QColor& colour)
{
    return static_cast<uint32_t>(colour.red()) | (static_cast<uint32_t>(colour.green()) << 8) |
           (static_cast<uint32_t>(colour.blue()) << 16);
}

QIcon Swatch(const QColor& colour)
{
    QPixmap swatch(16, 12);
    swatch.fill(colour);
    QPainter painter(&swatch);
    painter.setPen(QColor(128, 128, 128));
    painter.drawRect(0, 0, 15, 11);
    return QIcon(swatch);
}

QStringList LatinFamilies()
{
    QStringList families;
    for (const QString& family : QFontDatabase::families(QFontDatabase::Latin)) {
        if (!QFontDatabase::isPrivateFamily(family))
            families << family;
    }
    return families;
}

} // namespace

TListFontDialog::TListFontDialog(const TFontChoice& current, QWidget* parent)
    : QDialog(parent), m_current(current), m_families(LatinFamilies())
{
    setWindowTitle(QStringLiteral("List Font"));
    PickCustomColour = [this](const QColor& start) -> std::optional<QColor> {
        const QColor chosen = QColorDialog::getColor(start, this);
        return chosen.isValid() ? std::optional<QColor>(chosen) : std::nullopt;
    };
    CreateControls();
    FillColours();

    const QSignalBlocker blockFace(FaceEdit);
    FaceEdit->setText(TextFromBytes(current.Face));
    FaceEdited(FaceEdit->text());
    SizeBox->setEditText(QString::number(current.Size > 0 ? current.Size : 9));
    BoldBox->setChecked(current.Style & 1);
    ItalicBox->setChecked(current.Style & 2);
    UnderlineBox->setChecked(current.Style & 4);
    StrikeOutBox->setChecked(current.Style & 8);
    ShowSample();
}

void TListFontDialog::CreateControls()
{
    FaceEdit = new QLineEdit(this);
    FaceList = new QListWidget(this);
    FaceList->addItems(m_families);
    SizeBox = new QComboBox(this);
    SizeBox->setEditable(true);
    SizeBox->setInsertPolicy(QComboBox::NoInsert);
    for (int size : kSizes)
        SizeBox->addItem(QString::number(size));
    SizeBox->setValidator(new QIntValidator(1, 1638, SizeBox));
    BoldBox = new QCheckBox(QStringLiteral("&Bold"), this);
    ItalicBox = new QCheckBox(QStringLiteral("&Italic"), this);
    UnderlineBox = new QCheckBox(QStringLiteral("&Underline"), this);
    StrikeOutBox = new QCheckBox(QStringLiteral("Stri&keout"), this);
    ColourBox = new QComboBox(this);
    Sample = new QLabel(QStringLiteral("AaBbYyZz"), this);
    Sample->setAlignment(Qt::AlignCenter);
    Sample->setMinimumHeight(48);
    Sample->setFrameShape(QFrame::StyledPanel);
    Sample->setAutoFillBackground(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    OkButton = buttons->button(QDialogButtonBox::Ok);

    auto* faceLabel = new QLabel(QStringLiteral("&Font:"), this);
    faceLabel->setBuddy(FaceEdit);
    auto* sizeLabel = new QLabel(QStringLiteral("&Size:"), this);
    sizeLabel->setBuddy(SizeBox);
    auto* styleBox = new QGroupBox(QStringLiteral("Style"), this);
    auto* styleLayout = new QVBoxLayout(styleBox);
    styleLayout->addWidget(BoldBox);
    styleLayout->addWidget(ItalicBox);
    auto* effects = new QGroupBox(QStringLiteral("Effects"), this);
    auto* effectsLayout = new QVBoxLayout(effects);
    effectsLayout->addWidget(UnderlineBox);
    effectsLayout->addWidget(StrikeOutBox);
    auto* colourLabel = new QLabel(QStringLiteral("&Color:"), effects);
    colourLabel->setBuddy(ColourBox);
    effectsLayout->addWidget(colourLabel);
    effectsLayout->addWidget(ColourBox);

    auto* grid = new QGridLayout(this);
    grid->addWidget(faceLabel, 0, 0);
    grid->addWidget(sizeLabel, 0, 1);
    grid->addWidget(FaceEdit, 1, 0);
    grid->addWidget(SizeBox, 1, 1);
    grid->addWidget(FaceList, 2, 0, 3, 1);
    grid->addWidget(styleBox, 2, 1);
    grid->addWidget(effects, 3, 1);
    grid->setRowStretch(4, 1);
    grid->addWidget(Sample, 5, 0, 1, 2);
    grid->addWidget(buttons, 6, 0, 1, 2);
    grid->setColumnStretch(0, 1);

    connect(FaceEdit, &QLineEdit::textEdited, this, &TListFontDialog::FaceEdited);
    connect(FaceList, &QListWidget::itemSelectionChanged, this, &TListFontDialog::FaceChosen);
    connect(SizeBox, &QComboBox::editTextChanged, this, &TListFontDialog::ShowSample);
    for (QCheckBox* box : {BoldBox, ItalicBox, UnderlineBox, StrikeOutBox})
        connect(box, &QCheckBox::toggled, this, &TListFontDialog::ShowSample);
    connect(ColourBox, &QComboBox::activated, this, &TListFontDialog::ColourChosen);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void TListFontDialog::FillColours()
{
    int selected = -1;
    auto add = [this, &selected](const QString& name, uint32_t value) {
        ColourBox->addItem(Swatch(OnScreen(value)), name, QVariant::fromValue(value));
        if (value == m_current.Color)
            selected = ColourBox->count() - 1;
    };
    add(QStringLiteral("Window Text"), kClWindowText);
    for (const TNamedColour& colour : kNamedColours)
        add(QString::fromLatin1(colour.Name), colour.Value);
    // A colour of the file's own stays selectable as it is.
    if (selected < 0)
        add(QStringLiteral("Custom"), m_current.Color);
    ColourBox->addItem(QStringLiteral("Other ..."));
    ColourBox->setCurrentIndex(selected);
    m_lastColourIndex = selected;
}

void TListFontDialog::ColourChosen(int index)
{
    if (ColourBox->itemData(index, kColourRole).isValid()) {
        m_lastColourIndex = index;
        ShowSample();
        return;
    }
    const uint32_t previous = ColourBox->itemData(m_lastColourIndex, kColourRole).value<uint32_t>();
    const std::optional<QColor> chosen =
        PickCustomColour ? PickCustomColour(OnScreen(previous)) : std::nullopt;
    if (!chosen) {
        ColourBox->setCurrentIndex(m_lastColourIndex);
        return;
    }
    const uint32_t value = Stored(*chosen);
    ColourBox->insertItem(index, Swatch(*chosen), QStringLiteral("Custom"), QVariant::fromValue(value));
    ColourBox->setCurrentIndex(index);
    m_lastColourIndex = index;
    ShowSample();
}

QString TListFontDialog::InstalledFamily(const QString& face) const
{
    for (const QString& family : m_families) {
        if (family.compare(face, Qt::CaseInsensitive) == 0)
            return family;
    }
    return {};
}

void TListFontDialog::FaceEdited(const QString& text)
{
    const QString family = InstalledFamily(text);
    {
        const QSignalBlocker block(FaceList);
        FaceList->clearSelection();
        if (!family.isEmpty()) {
            const QList<QListWidgetItem*> items = FaceList->findItems(family, Qt::MatchExactly);
            if (!items.isEmpty()) {
                FaceList->setCurrentItem(items.front());
                FaceList->scrollToItem(items.front());
            }
        }
    }
    // Only existing fonts are accepted; the face the list had when the dialog opened counts as existing.
    OkButton->setEnabled(!family.isEmpty() || text == TextFromBytes(m_current.Face));
    ShowSample();
}

void TListFontDialog::FaceChosen()
{
    const QList<QListWidgetItem*> chosen = FaceList->selectedItems();
    if (chosen.isEmpty())
        return;
    // Bold and italic are boxes of their own, so a new face keeps them.
    FaceEdit->setText(chosen.front()->text());
    OkButton->setEnabled(true);
    ShowSample();
}

int TListFontDialog::SizeShown() const
{
    bool number = false;
    const int size = SizeBox->currentText().toInt(&number);
    return number && size > 0 ? size : (m_current.Size > 0 ? m_current.Size : 9);
}

void TListFontDialog::ShowSample()
{
    if (!Sample)
        return;
    QFont font(FaceEdit->text());
    font.setPointSize(SizeShown());
    font.setBold(BoldBox->isChecked());
    font.setItalic(ItalicBox->isChecked());
    font.setUnderline(UnderlineBox->isChecked());
    font.setStrikeOut(StrikeOutBox->isChecked());
    Sample->setFont(font);
    QPalette colours = Sample->palette();
    colours.setColor(QPalette::Window, QApplication::palette().color(QPalette::Base));
    const QVariant value = ColourBox->itemData(ColourBox->currentIndex(), kColourRole);
    colours.setColor(QPalette::WindowText,
                     OnScreen(value.isValid() ? value.value<uint32_t>() : m_current.Color));
    Sample->setPalette(colours);
}

TFontChoice TListFontDialog::Choice() const
{
    TFontChoice choice = m_current;
    const QString face = FaceEdit->text();
    if (face != TextFromBytes(m_current.Face)) {
        const QString family = InstalledFamily(face);
        choice.Face = (family.isEmpty() ? face : family).toStdString();
    }
    choice.Size = SizeShown();
    choice.Style = (BoldBox->isChecked() ? 1 : 0) | (ItalicBox->isChecked() ? 2 : 0) |
                   (UnderlineBox->isChecked() ? 4 : 0) | (StrikeOutBox->isChecked() ? 8 : 0);
    const QVariant value = ColourBox->itemData(ColourBox->currentIndex(), kColourRole);
    if (value.isValid())
        choice.Color = value.value<uint32_t>();
    return choice;
}

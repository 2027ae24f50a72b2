#include "ui/CommandLineBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QSlider>
#include <QSpinBox>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>

#include "catalogue/GameObject.h"
#include "controllers/CommandLineWords.h"
#include "platform/qt/QtText.h"
#include "ui/SettingsPage.h"

namespace {

// While the defaults are edited no game is named; the first word stands for whichever game uses them.
constexpr const char* kAnyGame = "<game>";

// Plain text, so every blank stays as it is: a doubled one is part of the exact text.
void ShowMarked(QTextEdit& field, const TCommandLineWords& words)
{
    field.setPlainText(TextFromBytes(words.Text));
    if (!words.SomeDropped())
        return;
    const QString forwarded = TextFromBytes(words.Text.substr(0, words.Words[kForwardedWords].Begin));
    QTextCursor cursor(field.document());
    cursor.setPosition(int(forwarded.size()));
    cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    QTextCharFormat dropped;
    dropped.setForeground(QColor(0xc0, 0, 0));
    dropped.setFontStrikeOut(true);
    cursor.mergeCharFormat(dropped);
}

} // namespace

TCommandLineBox::TCommandLineBox(TSettingsPage& page, QWidget* parent) : QWidget(parent), m_page(page)
{
    setObjectName("CommandLineBox");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel("Command line", this));
    m_field = new QTextEdit(this);
    m_field->setObjectName("CommandLineField");
    m_field->setReadOnly(true);
    m_field->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_field->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    // A long path breaks where it must; three whole lines fit at any scale, margins and frame included.
    m_field->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    const int margins = 2 * (int(m_field->document()->documentMargin()) + m_field->frameWidth());
    m_field->setFixedHeight(m_field->fontMetrics().lineSpacing() * 3 + margins + 2);
    m_field->setFocusPolicy(Qt::ClickFocus);
    layout->addWidget(m_field);
    m_droppedLine = new QLabel(this);
    m_droppedLine->setObjectName("CommandLineDropped");
    m_droppedLine->setWordWrap(true);
    m_droppedLine->setStyleSheet("color:#c00000");
    m_droppedLine->hide();
    layout->addWidget(m_droppedLine);
    FollowControls();
    Refresh();
}

void TCommandLineBox::FollowControls()
{
    for (QCheckBox* box : m_page.findChildren<QCheckBox*>())
        connect(box, &QCheckBox::toggled, this, &TCommandLineBox::Refresh);
    for (QComboBox* box : m_page.findChildren<QComboBox*>())
        connect(box, &QComboBox::currentTextChanged, this, &TCommandLineBox::Refresh);
    for (QSlider* slider : m_page.findChildren<QSlider*>())
        connect(slider, &QSlider::valueChanged, this, &TCommandLineBox::Refresh);
    for (QSpinBox* spin : m_page.findChildren<QSpinBox*>())
        connect(spin, &QSpinBox::textChanged, this, &TCommandLineBox::Refresh);
    connect(&m_page, &TSettingsPage::DefaultSettingsModeStarted, this, &TCommandLineBox::Refresh);
    connect(&m_page, &TSettingsPage::DefaultSettingsModeEnded, this, &TCommandLineBox::Refresh);
}

void TCommandLineBox::Refresh()
{
    const TGameObject* game = m_page.CurrentGame();
    if (!game) {
        ShowArguments(std::string());
        return;
    }
    const std::string zipName = m_page.DefaultSettingsMode() ? std::string(kAnyGame) : game->ZipName;
    ShowArguments(ScreenCommandLine(zipName, m_page.ShownSettings()));
}

void TCommandLineBox::ShowArguments(const std::string& arguments)
{
    if (arguments == m_shown && !m_field->toPlainText().isEmpty())
        return;
    m_shown = arguments;
    const TCommandLineWords words = SplitArgumentWords(arguments);
    ShowMarked(*m_field, words);
    m_droppedLine->setVisible(words.SomeDropped());
    if (words.SomeDropped()) {
        m_droppedLine->setText(
            QString("The emulator will not receive the crossed-out words: the launch passes "
                    "only the first %1 words.")
                .arg(kForwardedWords));
    }
}

QString TCommandLineBox::Arguments() const
{
    return m_field->toPlainText();
}

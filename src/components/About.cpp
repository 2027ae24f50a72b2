#include "components/About.h"

#include <algorithm>

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>

#include "base/Version.h"
#include "components/LinkLabel.h"
#include "components/ReadableColour.h"

QString FrontendAuthorUrl()
{
    if (*kProjectContactEmail == '\0')
        return {};
    return QString("mailto:%1?subject=VantorKorb").arg(kProjectContactEmail);
}

namespace {

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

TLinkLabel* MakeLink(TShell* shell, QWidget* parent, const char* name, const QString& text,
                     const QString& url, TCustomCursor pointer)
{
    auto* link = new TLinkLabel(shell, parent);
    link->setObjectName(name);
    link->setText(text);
    link->SetUrl(url);
    QFont font = link->font();
    font.setPixelSize(11);
    link->setFont(font);
    link->SetColorMouseOver(kLinkMouseOverColor);
    link->SetColorActive(kLinkActiveColor);
    link->SetCursorMouseOver(pointer);
    link->SetPopupString(kLinkDefaultPopupString);
    return link;
}

// A label that takes the size of its text, with its top left corner where designed.
void PlaceAutoSized(QWidget* widget, int left, int top)
{
    widget->adjustSize();
    widget->move(left, top);
}

// "by" and the link after it: the link keeps its designed place unless a wider "by" would touch it.
void PlaceByAndLink(QLabel* by, QLabel* link, int linkLeft)
{
    by->adjustSize();
    link->adjustSize();
    const int gap = link->fontMetrics().horizontalAdvance(QLatin1Char(' '));
    link->move(std::max(linkLeft, by->x() + by->width() + gap), link->y());
}

} // namespace

TAboutBox::TAboutBox(TShell* shell, QWidget* parent) : QDialog(parent)
{
    setObjectName("AboutBox1");
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setModal(true);
    setFixedSize(230, 229);

    Bevel1 = new QFrame(this);
    Bevel1->setObjectName("Bevel1");
    Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Bevel1->setGeometry(8, 8, 217, 177);

    FrontLogo = MakeLabel(this, "FrontLogo", {});
    FrontLogo->setGeometry(65, 16, 100, 43);
    FrontLogo->setAlignment(Qt::AlignCenter);
    FrontLogo->setAttribute(Qt::WA_TranslucentBackground);

    versionlabel = MakeLabel(this, "versionlabel", "version goes here");
    versionlabel->setGeometry(16, 58, 202, 13);
    versionlabel->setAlignment(Qt::AlignCenter);

    Label1 = MakeLabel(this, "Label1", "by");
    PlaceAutoSized(Label1, 80, 72);
    FrontendAuthor = MakeLink(shell, this, "FrontendAuthor", kFrontendAuthorName, FrontendAuthorUrl(),
                              TCustomCursor::crMozilla);
    PlaceAutoSized(FrontendAuthor, 96, 72);
    PlaceByAndLink(Label1, FrontendAuthor, 96);

    Label2 = MakeLabel(this, "Label2", "is a freeware frontend for the");
    QFont label2Font = Label2->font();
    label2Font.setPixelSize(13);
    Label2->setFont(label2Font);
    ShowLabel2Colour();
    Label2->setGeometry(16, 88, 202, 13);
    Label2->setAlignment(Qt::AlignCenter);

    EmulatorLogo = MakeLabel(this, "EmulatorLogo", {});
    EmulatorLogo->setGeometry(65, 112, 100, 47);
    EmulatorLogo->setAlignment(Qt::AlignCenter);
    EmulatorLogo->setAttribute(Qt::WA_TranslucentBackground);

    Label4 = MakeLabel(this, "Label4", "by");
    PlaceAutoSized(Label4, 64, 160);
    Author = MakeLink(shell, this, "Author", kEmulatorAuthorName, kEmulatorAuthorUrl, TCustomCursor::crMSIE);
    Author->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    PlaceAutoSized(Author, 80, 160);
    PlaceByAndLink(Label4, Author, 80);

    OKBtn = new QPushButton("OK", this);
    OKBtn->setObjectName("OKBtn");
    OKBtn->setGeometry(65, 192, 100, 33);
    OKBtn->setDefault(true);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
}

void TAboutBox::ShowWithVersion(const QString& version)
{
    versionlabel->setText(version);
    exec();
}

void TAboutBox::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        FormShow();
    }
}

void TAboutBox::FormShow()
{
    m_designFonts.Rescale(this, m_fontScaler);
    PlaceByAndLink(Label1, FrontendAuthor, 96);
    PlaceByAndLink(Label4, Author, 80);
    if (QScreen* where = screen()) {
        move(where->availableGeometry().center() - rect().center());
    }
}

void TAboutBox::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) {
        ShowLabel2Colour();
    }
}

void TAboutBox::ShowLabel2Colour()
{
    QPalette colours = Label2->palette();
    colours.setColor(QPalette::WindowText, ReadableOn(kLinkNormalColor, palette().color(QPalette::Window)));
    Label2->setPalette(colours);
}

#pragma once
// TAboutBox: the modal about box with the front-end's and the emulator's logos and author links.

#include <functional>
#include <utility>
#include <vector>

#include <QDialog>
#include <QFont>
#include <QPointer>

#include "platform/qt/FormFonts.h"

class QFrame;
class QLabel;
class QPushButton;
class TLinkLabel;
class TShell;

// The people behind the two links; the front-end's makers are named as in the main window's status bar.
inline constexpr const char* kFrontendAuthorName = "the VantorKorb team";
// The author link writes to the developers when they have an address, and is plain text otherwise.
QString FrontendAuthorUrl();
inline constexpr const char* kEmulatorAuthorName = "The Korb Author (Korb)";
inline constexpr const char* kEmulatorAuthorUrl = "mailto:author@korb.example.net";

class TAboutBox : public QDialog
{
    Q_OBJECT
public:
    // The shell opens the links' addresses.
    explicit TAboutBox(TShell* shell, QWidget* parent = nullptr);

    // Shows the version text and the box, modally; returns once the box is closed.
    void ShowWithVersion(const QString& version);
    // The font adjustment applied each time the box is shown.
    void SetFontScaler(std::function<void(QWidget*)> scaler) { m_fontScaler = std::move(scaler); }

    QFrame* Bevel1;
    QLabel* FrontLogo;
    QLabel* versionlabel;
    QLabel* Label1;
    TLinkLabel* FrontendAuthor;
    QLabel* Label2;
    QLabel* EmulatorLogo;
    QLabel* Label4;
    TLinkLabel* Author;
    QPushButton* OKBtn;

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void FormShow();

private:
    // Blue as designed on a light window, lightened on a dark one.
    void ShowLabel2Colour();

    // The children's fonts as designed, so showing the box again scales from them and not twice.
    TDesignFonts m_designFonts;
    TFontScaler m_fontScaler;
};

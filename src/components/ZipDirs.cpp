#include "components/ZipDirs.h"

#include <filesystem>
#include <system_error>

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

#include "base/FolderListing.h"
#include "platform/Dialogs.h"
#include "platform/qt/QtText.h"

namespace {

// The folder as an absolute path with "." and ".." resolved, keeping the trailing separator.
std::string AbsoluteFolder(const std::string& folder)
{
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(folder, error);
    if (error)
        return folder;
    std::string text = absolute.lexically_normal().string();
    if (text.empty() || text.back() != '/')
        text += '/';
    return text;
}

} // namespace

bool FolderHasZipFiles(const std::string& folder)
{
    if (folder.empty())
        return false;
    const TFolderListing listing(folder);
    for (const TListedEntry& entry : listing.Matching("*.zip")) {
        if (entry.Kind != TEntryKind::Folder)
            return true;
    }
    return false;
}

TZipDirsForm::TZipDirsForm(TDialogs& dialogs, TFolderPicker& picker, QWidget* parent)
    : QDialog(parent), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("ZipDirsForm"));
    setWindowTitle(QStringLiteral("Rom Directories"));
    // Fixed border with only the close box.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    QFont formFont(QStringLiteral("MS Sans Serif"));
    formFont.setPixelSize(11);
    setFont(formFont);
    setFixedSize(295, 159);

    m_label = new QLabel(QStringLiteral("Set the paths to your zipped Roms:"), this);
    m_label->setObjectName(QStringLiteral("LabelSetAlternativeRompath"));
    m_label->move(8, 8);
    m_label->adjustSize();

    for (int row = 0; row < 3; ++row) {
        auto* field = new QLineEdit(this);
        field->setObjectName(QStringLiteral("ZipDir%1").arg(row));
        field->setGeometry(8, 26 + 32 * row, 193, 21);
        m_zipDirs[static_cast<std::size_t>(row)] = field;

        auto* browse = new QPushButton(QStringLiteral("Browse ..."), this);
        browse->setObjectName(QStringLiteral("BrowseButton%1").arg(row));
        browse->setGeometry(214, 24 + 32 * row, 75, 25);
        browse->setFocusPolicy(Qt::ClickFocus);
        browse->setAutoDefault(false);
        m_browseButtons[static_cast<std::size_t>(row)] = browse;
    }
    connect(m_browseButtons[0], &QPushButton::clicked, this, &TZipDirsForm::BrowseButton0Click);
    connect(m_browseButtons[1], &QPushButton::clicked, this, &TZipDirsForm::BrowseButton1Click);
    connect(m_browseButtons[2], &QPushButton::clicked, this, &TZipDirsForm::BrowseButton2Click);

    m_okButton =
        new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("&OK"), this);
    m_okButton->setObjectName(QStringLiteral("OKButton"));
    m_okButton->setGeometry(8, 120, 129, 35);
    m_okButton->setDefault(true);
    connect(m_okButton, &QPushButton::clicked, this, &TZipDirsForm::OKButtonClick);

    m_cancelButton = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton),
                                     QStringLiteral("&Cancel"), this);
    m_cancelButton->setObjectName(QStringLiteral("CancelButton"));
    m_cancelButton->setGeometry(160, 120, 129, 35);
    m_cancelButton->setAutoDefault(false);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    setTabOrder(m_zipDirs[0], m_zipDirs[1]);
    setTabOrder(m_zipDirs[1], m_zipDirs[2]);
    setTabOrder(m_zipDirs[2], m_okButton);
    setTabOrder(m_okButton, m_cancelButton);

    m_browser = new TBrowseFolder(picker, this);
    m_browser->setObjectName(QStringLiteral("Browser"));
    m_browser->Title = "Select alternative rompath";
    m_browser->Flags = {TBrowseInfoFlag::bfFileSysDirsOnly, TBrowseInfoFlag::bfStatusText,
                        TBrowseInfoFlag::bfBrowseForComputer};
    m_browser->ShowPathInStatusArea = true;
    m_browser->CustomButtonVisible = false;
    m_browser->SetCustomButtonEnabled(false);
    m_browser->SyncCustomButton = false;
}

void TZipDirsForm::SetDirs(std::array<std::string, 3>& dirs)
{
    for (std::size_t row = 0; row < 3; ++row)
        m_zipDirs[row]->setText(PathFromBytes(dirs[row]));
    m_zipDirs[0]->setFocus();
    if (exec() != QDialog::Accepted)
        return;
    for (std::size_t row = 0; row < 3; ++row)
        dirs[row] = PathToBytes(m_zipDirs[row]->text());
}

void TZipDirsForm::OKButtonClick()
{
    for (QLineEdit* field : m_zipDirs) {
        if (!CheckField(*field))
            return;
    }
    accept();
}

bool TZipDirsForm::CheckField(QLineEdit& field)
{
    std::string text = PathToBytes(field.text());
    if (text.empty())
        return true;
    std::error_code error;
    if (!std::filesystem::is_directory(text, error)) {
        ShowFieldError(text + "\ris NOT a vallid directory !");
        return false;
    }
    if (text.back() != '/')
        text += '/';
    text = AbsoluteFolder(text);
    field.setText(PathFromBytes(text));
    if (FolderHasZipFiles(text))
        return true;
    ShowFieldError(text + "\rdoes not contain any zipfiles!");
    return false;
}

void TZipDirsForm::ShowFieldError(const std::string& text)
{
    m_dialogs.Beep();
    ShowError(m_dialogs, text);
}

void TZipDirsForm::BrowseRow(int row)
{
    QLineEdit* field = m_zipDirs.at(static_cast<std::size_t>(row));
    m_browser->Directory = PathToBytes(field->text());
    m_browser->Execute();
    field->setText(PathFromBytes(m_browser->Directory));
}

void TZipDirsForm::FormShow()
{
    if (ScaleFormFonts)
        m_designFonts.Rescale(this, ScaleFormFonts);
}

void TZipDirsForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    PlaceOnShow();
    FormShow();
}

void TZipDirsForm::keyPressEvent(QKeyEvent* event)
{
    // Escape does not cancel this dialog; only the close box and Cancel do.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

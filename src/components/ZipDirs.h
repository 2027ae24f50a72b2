#pragma once
// TZipDirsForm: the dialog in which the user sets up to three extra folders holding zipped roms.

#include <array>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <QDialog>
#include <QFont>
#include <QPointer>

#include "components/BrowseFolder.h"
#include "platform/qt/FormFonts.h"

class QLabel;
class QLineEdit;
class QPushButton;
class TDialogs;

class TZipDirsForm : public QDialog
{
    Q_OBJECT
public:
    TZipDirsForm(TDialogs& dialogs, TFolderPicker& picker, QWidget* parent = nullptr);

    // Fills the fields from dirs, runs the dialog modally and, only when it ends with OK, copies the
    // fields back into dirs.
    void SetDirs(std::array<std::string, 3>& dirs);

    void OKButtonClick();
    void BrowseButton0Click() { BrowseRow(0); }
    void BrowseButton1Click() { BrowseRow(1); }
    void BrowseButton2Click() { BrowseRow(2); }
    void FormShow();

    // Applied each time the dialog is shown (the main window's font scaling).
    TFontScaler ScaleFormFonts;

    QLineEdit& ZipDir(int row) { return *m_zipDirs.at(static_cast<std::size_t>(row)); }
    QPushButton& BrowseButton(int row) { return *m_browseButtons.at(static_cast<std::size_t>(row)); }
    QPushButton& OKButton() { return *m_okButton; }
    QPushButton& CancelButton() { return *m_cancelButton; }
    QLabel& LabelSetAlternativeRompath() { return *m_label; }
    TBrowseFolder& Browser() { return *m_browser; }

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Where the dialog goes when shown; the generic dialog keeps the platform's placement.
    virtual void PlaceOnShow() {}

private:
    void BrowseRow(int row);
    bool CheckField(QLineEdit& field);
    void ShowFieldError(const std::string& text);

    TDialogs& m_dialogs;
    QLabel* m_label = nullptr;
    std::array<QLineEdit*, 3> m_zipDirs{};
    std::array<QPushButton*, 3> m_browseButtons{};
    QPushButton* m_okButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
    TBrowseFolder* m_browser = nullptr;
    TDesignFonts m_designFonts;
};

// True when the folder holds at least one file matching "*.zip", without regard to letter case.
bool FolderHasZipFiles(const std::string& folder);

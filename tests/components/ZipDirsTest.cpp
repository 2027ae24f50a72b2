// The zipped rom paths dialog offscreen: layout, validation on OK, cancel, browsing, over fake services.

#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "components/BrowseFolderQt.h"
#include "components/ZipDirs1.h"
#include "support/FakeDialogs.h"
#include "support/TempDir.h"

namespace {

// A picker whose user either picks one folder or cancels.
class TPickOrCancel : public TFolderPicker
{
public:
    std::optional<std::string> Pick;
    TFolderPickerRequest LastRequest;
    int Runs = 0;

    std::optional<TFolderPickerResult> Run(const TFolderPickerRequest& request, TFolderPickerEvents&) override
    {
        ++Runs;
        LastRequest = request;
        if (!Pick)
            return std::nullopt;
        TFolderPickerResult result;
        result.Path = *Pick;
        return result;
    }
};

class TZipDirsTest : public ::testing::Test
{
protected:
    TZipDirsTest() : m_scope(m_dir.Path()), Form(Dialogs, Picker) {}

    // Runs SetDirs; the action plays the user while the dialog is open. A dialog still open after the
    // action is cancelled, and Closed tells whether the action ended it.
    void RunDialog(std::array<std::string, 3>& dirs, const std::function<void()>& action)
    {
        StillOpen = false;
        QTimer::singleShot(0, &Form, [&] {
            action();
            StillOpen = Form.isVisible();
            if (StillOpen)
                Form.CancelButton().click();
        });
        Form.SetDirs(dirs);
    }

    std::string Root() const { return m_dir.Dir(); }

    TTempDir m_dir;
    TCurrentDirScope m_scope;
    TFakeDialogs Dialogs;
    TPickOrCancel Picker;
    TZipDirsForm1 Form;
    bool StillOpen = false;
};

TEST_F(TZipDirsTest, LayoutAndBrowserSettings)
{
    EXPECT_EQ(Form.windowTitle(), "Zipped Roms Directories");
    EXPECT_EQ(Form.size(), QSize(295, 159));
    EXPECT_EQ(Form.minimumSize(), Form.maximumSize());
    EXPECT_FALSE(Form.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(Form.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_EQ(Form.font().pixelSize(), 11);
    EXPECT_EQ(Form.LabelSetAlternativeRompath().text(), "Set the paths to your zipped Roms:");
    EXPECT_EQ(Form.LabelSetAlternativeRompath().pos(), QPoint(8, 8));
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(Form.ZipDir(row).geometry(), QRect(8, 26 + 32 * row, 193, 21));
        EXPECT_EQ(Form.BrowseButton(row).geometry(), QRect(214, 24 + 32 * row, 75, 25));
        EXPECT_EQ(Form.BrowseButton(row).text(), "Browse ...");
        EXPECT_FALSE(Form.BrowseButton(row).focusPolicy() & Qt::TabFocus);
    }
    EXPECT_EQ(Form.OKButton().text(), "&OK");
    EXPECT_EQ(Form.OKButton().geometry(), QRect(8, 120, 129, 35));
    EXPECT_TRUE(Form.OKButton().isDefault());
    EXPECT_FALSE(Form.OKButton().icon().isNull());
    EXPECT_EQ(Form.CancelButton().text(), "&Cancel");
    EXPECT_EQ(Form.CancelButton().geometry(), QRect(160, 120, 129, 35));

    // Tab order: the three fields, OK, Cancel.
    EXPECT_EQ(Form.ZipDir(0).nextInFocusChain(), &Form.ZipDir(1));
    EXPECT_EQ(Form.ZipDir(1).nextInFocusChain(), &Form.ZipDir(2));
    EXPECT_EQ(Form.ZipDir(2).nextInFocusChain(), &Form.OKButton());
    EXPECT_EQ(Form.OKButton().nextInFocusChain(), &Form.CancelButton());

    TBrowseFolder& browser = Form.Browser();
    EXPECT_EQ(browser.Title, "Select alternative rompath");
    EXPECT_EQ(browser.Flags.PlatformBits(), 0x1005u);
    EXPECT_TRUE(browser.ShowPathInStatusArea);
    EXPECT_FALSE(browser.CustomButtonVisible);
    EXPECT_FALSE(browser.CustomButtonEnabled());
    EXPECT_FALSE(browser.SyncCustomButton);
    EXPECT_EQ(browser.RootFolder, TSHFolders::foDesktopExpanded);
}

TEST_F(TZipDirsTest, AllEmptyClosesAndEmptiesThePaths)
{
    std::array<std::string, 3> dirs{"", "", ""};
    RunDialog(dirs, [&] {
        Form.ZipDir(0).clear();
        Form.OKButton().click();
    });
    EXPECT_FALSE(StillOpen);
    EXPECT_TRUE(Dialogs.Messages.empty());
    EXPECT_EQ(dirs, (std::array<std::string, 3>{"", "", ""}));

    std::array<std::string, 3> filled{Root(), "", ""};
    RunDialog(filled, [&] {
        for (int row = 0; row < 3; ++row)
            Form.ZipDir(row).clear();
        Form.OKButton().click();
    });
    EXPECT_FALSE(StillOpen);
    EXPECT_EQ(filled, (std::array<std::string, 3>{"", "", ""}));
}

TEST_F(TZipDirsTest, ValidFoldersAreStoredAbsoluteWithTrailingSeparator)
{
    m_dir.WriteFile("set one/game.zip", "PK");
    m_dir.WriteFile("nested/roms/OTHER.ZIP", "PK");
    m_dir.WriteFile("nested/x/keep.txt", "");
    const std::string withoutSlash = Root() + "set one";
    std::array<std::string, 3> dirs{withoutSlash, "", "nested/./x/../roms"};
    RunDialog(dirs, [&] { QTest::keyClick(&Form, Qt::Key_Return); });
    EXPECT_FALSE(StillOpen);
    EXPECT_TRUE(Dialogs.Messages.empty());
    EXPECT_EQ(Dialogs.BeepCount, 0);
    EXPECT_EQ(dirs[0], Root() + "set one/");
    EXPECT_EQ(dirs[1], "");
    // A relative name below the working folder becomes absolute, with ".." resolved.
    EXPECT_EQ(dirs[2], Root() + "nested/roms/");
}

TEST_F(TZipDirsTest, FolderWithoutZipFilesKeepsTheDialogOpen)
{
    m_dir.WriteFile("empty/readme.txt", "no roms");
    m_dir.WriteFile("empty/folder.zip/inside.txt", "a folder is not an archive");
    std::array<std::string, 3> dirs{"empty", "", ""};
    const std::array<std::string, 3> before = dirs;
    std::string shown;
    RunDialog(dirs, [&] {
        Form.OKButton().click();
        shown = Form.ZipDir(0).text().toStdString();
    });
    EXPECT_TRUE(StillOpen);
    EXPECT_EQ(Dialogs.BeepCount, 1);
    ASSERT_EQ(Dialogs.Messages.size(), 1u);
    const TMessage& message = Dialogs.Messages[0];
    EXPECT_EQ(message.Caption, "Error");
    EXPECT_EQ(message.Icon, TMsgIcon::Error);
    EXPECT_EQ(message.Buttons, std::vector<TMsgButton>{TMsgButton::Ok});
    EXPECT_EQ(message.Text, Root() + "empty/\rdoes not contain any zipfiles!");
    // The field already shows the normalised path; the caller's strings are untouched.
    EXPECT_EQ(shown, Root() + "empty/");
    EXPECT_EQ(dirs, before);
}

TEST_F(TZipDirsTest, FirstInvalidFieldStopsTheCheck)
{
    m_dir.WriteFile("good/a.zip", "PK");
    std::array<std::string, 3> dirs{Root() + "good", Root() + "missing", Root() + "also missing"};
    const std::array<std::string, 3> before = dirs;
    std::array<std::string, 3> shown;
    RunDialog(dirs, [&] {
        Form.OKButton().click();
        for (int row = 0; row < 3; ++row)
            shown[static_cast<std::size_t>(row)] = Form.ZipDir(row).text().toStdString();
    });
    EXPECT_TRUE(StillOpen);
    ASSERT_EQ(Dialogs.Messages.size(), 1u);
    EXPECT_EQ(Dialogs.BeepCount, 1);
    EXPECT_EQ(Dialogs.Messages[0].Text, Root() + "missing\ris NOT a vallid directory !");
    EXPECT_EQ(shown[0], Root() + "good/");
    EXPECT_EQ(shown[1], Root() + "missing");
    EXPECT_EQ(dirs, before);
}

TEST_F(TZipDirsTest, FixingTheFieldThenOkSucceeds)
{
    m_dir.WriteFile("roms/a.zip", "PK");
    std::array<std::string, 3> dirs{"nowhere", "", ""};
    RunDialog(dirs, [&] {
        Form.OKButton().click();
        Form.ZipDir(0).setText("roms");
        Form.OKButton().click();
    });
    EXPECT_FALSE(StillOpen);
    EXPECT_EQ(Dialogs.Messages.size(), 1u);
    EXPECT_EQ(dirs[0], Root() + "roms/");
}

TEST_F(TZipDirsTest, CancelCloseBoxAndEscape)
{
    m_dir.WriteFile("roms/a.zip", "PK");
    std::array<std::string, 3> dirs{Root() + "roms/", "old", ""};
    const std::array<std::string, 3> before = dirs;
    bool openAfterEscape = false;
    RunDialog(dirs, [&] {
        Form.ZipDir(1).setText("edited");
        QTest::keyClick(&Form.ZipDir(1), Qt::Key_Escape);
        openAfterEscape = Form.isVisible();
        Form.CancelButton().click();
    });
    EXPECT_TRUE(openAfterEscape);
    EXPECT_FALSE(StillOpen);
    EXPECT_EQ(dirs, before);

    // The close box ends it the same way, and the next run shows the caller's strings again.
    std::string refilled;
    RunDialog(dirs, [&] {
        refilled = Form.ZipDir(1).text().toStdString();
        Form.ZipDir(0).setText("changed");
        Form.close();
    });
    EXPECT_FALSE(StillOpen);
    EXPECT_EQ(refilled, "old");
    EXPECT_EQ(dirs, before);
    EXPECT_TRUE(Dialogs.Messages.empty());
}

TEST_F(TZipDirsTest, BrowseFillsTheFieldOnItsRow)
{
    m_dir.WriteFile("picked/a.zip", "PK");
    std::array<std::string, 3> dirs{"", "start", ""};
    std::array<std::string, 3> afterPick;
    std::string presetForRow1;
    RunDialog(dirs, [&] {
        Picker.Pick = Root() + "picked";
        Form.BrowseButton(1).click();
        presetForRow1 = Form.Browser().Directory;
        Picker.Pick.reset();
        Form.BrowseButton(2).click();
        for (int row = 0; row < 3; ++row)
            afterPick[static_cast<std::size_t>(row)] = Form.ZipDir(row).text().toStdString();
        Form.OKButton().click();
    });
    EXPECT_EQ(Picker.Runs, 2);
    EXPECT_EQ(Picker.LastRequest.Title, "Select alternative rompath");
    EXPECT_EQ(presetForRow1, Root() + "picked");
    // Confirmed: the chosen folder; cancelled: the unchanged (empty) text.
    EXPECT_EQ(afterPick, (std::array<std::string, 3>{"", Root() + "picked", ""}));
    EXPECT_FALSE(StillOpen);
    EXPECT_EQ(dirs[1], Root() + "picked/");
}

TEST_F(TZipDirsTest, FontScalingRunsEachTimeTheDialogShows)
{
    int scaled = 0;
    Form.ScaleFormFonts = [&](QWidget* form) {
        EXPECT_EQ(form, &Form);
        ++scaled;
    };
    std::array<std::string, 3> dirs;
    RunDialog(dirs, [&] { Form.CancelButton().click(); });
    RunDialog(dirs, [&] { Form.CancelButton().click(); });
    EXPECT_EQ(scaled, 2);
}

TEST_F(TZipDirsTest, ScalingStartsFromTheDesignFontsEachTime)
{
    const int designSize = Form.ZipDir(0).font().pixelSize();
    ASSERT_GT(designSize, 0);
    Form.ScaleFormFonts = [](QWidget* form) {
        for (QObject* child : form->children()) {
            if (auto* widget = qobject_cast<QWidget*>(child)) {
                QFont font = widget->font();
                font.setPixelSize(font.pixelSize() * 2);
                widget->setFont(font);
            }
        }
    };
    std::array<std::string, 3> dirs;
    int shownSize = 0;
    RunDialog(dirs, [&] { Form.CancelButton().click(); });
    RunDialog(dirs, [&] {
        shownSize = Form.ZipDir(0).font().pixelSize();
        Form.CancelButton().click();
    });
    EXPECT_EQ(shownSize, designSize * 2);
}

// The dialog with the desktop's own folder picker: browsing puts the chosen folder into the field.
TEST(ZipDirsRealPicker, BrowseThenOkStoresTheFolder)
{
    TTempDir dir;
    dir.WriteFile("chosen/game.zip", "PK");
    TFakeDialogs dialogs;
    TQtFolderPicker picker;
    TZipDirsForm1 form(dialogs, picker);
    // The field starts at a folder without archives, so only the picker's answer can make OK pass.
    std::array<std::string, 3> dirs{dir.Path().string(), "", ""};
    bool pickerSeen = false;
    bool pickerAccepted = false;
    auto* poll = new QTimer(&form);
    QObject::connect(poll, &QTimer::timeout, &form, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* fileDialog = qobject_cast<QFileDialog*>(modal)) {
            pickerAccepted = true;
            EXPECT_EQ(fileDialog->directory().absolutePath().toStdString(), dir.Path().string());
            fileDialog->setDirectory(QString::fromStdString((dir.Path() / "chosen").string()));
            static_cast<QDialog*>(fileDialog)->accept();
        } else if (modal == &form && !pickerSeen) {
            // Clicked from its own event, so this poll stays free to see the picker open.
            pickerSeen = true;
            QTimer::singleShot(0, &form, [&] { form.BrowseButton(0).click(); });
        } else if (modal == &form && pickerAccepted) {
            poll->stop();
            form.OKButton().click();
            if (form.isVisible())
                form.CancelButton().click();
        }
    });
    poll->start(10);
    form.SetDirs(dirs);
    EXPECT_TRUE(pickerAccepted);
    EXPECT_TRUE(dialogs.Messages.empty());
    EXPECT_EQ(dirs[0], dir.Dir() + "chosen/");
}

TEST(ZipDirsFolderHasZipFiles, MatchesRegularFilesWithoutRegardToCase)
{
    TTempDir dir;
    EXPECT_FALSE(FolderHasZipFiles(dir.Dir()));
    dir.WriteFile("a.zipx", "");
    dir.WriteFile("zip", "");
    dir.WriteFile("b.zip/c.txt", "");
    EXPECT_FALSE(FolderHasZipFiles(dir.Dir()));
    dir.WriteFile("Game.Zip", "");
    EXPECT_TRUE(FolderHasZipFiles(dir.Dir()));
    EXPECT_FALSE(FolderHasZipFiles(dir.Dir() + "missing/"));
}

} // namespace

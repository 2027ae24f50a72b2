// TBrowseFolder through a scripted folder picker, and the real picker offscreen.

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include "components/BrowseFolder.h"
#include "components/BrowseFolderQt.h"
#include "support/TempDir.h"

namespace {

class TFakeFolderPicker : public TFolderPicker, public TFolderPickerSession
{
public:
    // Script.
    struct TSelection
    {
        std::string Item;
        std::optional<std::string> Path;
    };
    std::vector<TSelection> Selections;
    int CustomClicks = 0;
    bool CheckBoxStateAtConfirm = false;
    // Set the caption and the enabled state from inside the open dialog, through the component.
    std::function<void()> WhileOpen;
    std::optional<std::string> ConfirmWith; // nothing: the user cancels
    QRect Foreground{100, 50, 401, 303};
    QSize Size{200, 101};

    // Record.
    int Runs = 0;
    TFolderPickerRequest LastRequest;
    std::optional<QPoint> MovedTo;
    std::vector<std::string> SelectedFolders;
    std::vector<std::string> StatusTexts;
    std::vector<bool> OkStates;
    std::vector<TCustomButtonSetup> AddedButtons;
    std::vector<bool> CustomEnabledStates;
    std::vector<std::string> CustomCaptions;
    QWidget DialogWidget;

    std::optional<TFolderPickerResult> Run(const TFolderPickerRequest& request,
                                           TFolderPickerEvents& events) override
    {
        ++Runs;
        LastRequest = request;
        events.Initialized(*this);
        for (const TSelection& selection : Selections)
            events.SelectionChanged(*this, selection.Item, selection.Path);
        if (WhileOpen)
            WhileOpen();
        for (int i = 0; i < CustomClicks; ++i)
            events.CustomButtonClicked(*this);
        if (!ConfirmWith)
            return std::nullopt;
        events.Confirming(*this);
        TFolderPickerResult result;
        result.Path = *ConfirmWith;
        result.DisplayName = "chosen";
        result.ImageIndex = 3;
        return result;
    }

    QWidget* Handle() override { return &DialogWidget; }
    QRect ForegroundGeometry() override { return Foreground; }
    QSize DialogSize() override { return Size; }
    void MoveTo(const QPoint& topLeft) override { MovedTo = topLeft; }
    void SelectFolder(const std::string& path) override { SelectedFolders.push_back(path); }
    void SetStatusText(const std::string& text) override { StatusTexts.push_back(text); }
    void EnableOK(bool enabled) override { OkStates.push_back(enabled); }
    void AddCustomButton(const TCustomButtonSetup& setup) override { AddedButtons.push_back(setup); }
    void SetCustomButtonEnabled(bool enabled) override { CustomEnabledStates.push_back(enabled); }
    void SetCustomButtonCaption(const std::string& caption) override { CustomCaptions.push_back(caption); }
    bool CustomButtonChecked() override { return CheckBoxStateAtConfirm; }
};

TEST(BrowseFolderShortenPath, KeepsShortAndTwoPartPathsWhole)
{
    const std::string exactly35 = "/home/player/games/arcade/roms/abcd";
    ASSERT_EQ(exactly35.size(), 35u);
    EXPECT_EQ(ShortenPath(exactly35), exactly35);
    const std::string twoParts = "C:/" + std::string(60, 'x');
    EXPECT_EQ(ShortenPath(twoParts), twoParts);
    EXPECT_EQ(ShortenPath(""), "");
}

TEST(BrowseFolderShortenPath, ReplacesMiddlePartsUntilItFits)
{
    const std::string length36 = "/home/player/games/arcade/roms/abcde";
    ASSERT_EQ(length36.size(), 36u);
    EXPECT_EQ(ShortenPath(length36), "/.../player/games/arcade/roms/abcde");

    const std::string example = "C:/Program Files/Games/Arcade/Roms/Zipped/Set1";
    ASSERT_EQ(example.size(), 46u);
    EXPECT_EQ(ShortenPath(example), "C:/.../Arcade/Roms/Zipped/Set1");
    EXPECT_EQ(ShortenPath("C:\\Program Files\\Games\\Arcade\\Roms\\Zipped\\Set1", 35, '\\'),
              "C:\\...\\Arcade\\Roms\\Zipped\\Set1");
}

TEST(BrowseFolderShortenPath, ShortestFormIsFirstDotsAndLast)
{
    const std::string last(40, 'z');
    EXPECT_EQ(ShortenPath("/a/b/c/d/" + last), "/.../" + last);
    // A trailing separator leaves an empty last part, which is kept.
    EXPECT_EQ(ShortenPath("/aaaaaaaaaa/bbbbbbbbbb/cccccccccc/dddddddddd/"), "/.../cccccccccc/dddddddddd/");
    EXPECT_EQ(ShortenPath("/" + last + "/b/"), "/.../b/");
}

TEST(BrowseFolderProperties, DefaultsAndWidthRule)
{
    TFakeFolderPicker picker;
    TBrowseFolder browser(picker);
    EXPECT_TRUE(browser.Directory.empty());
    EXPECT_TRUE(browser.Title.empty());
    EXPECT_EQ(browser.Flags,
              (TBrowseInfoFlags{TBrowseInfoFlag::bfFileSysDirsOnly, TBrowseInfoFlag::bfStatusText}));
    EXPECT_EQ(browser.Flags.PlatformBits(), 0x5u);
    EXPECT_FALSE(browser.ShowPathInStatusArea);
    EXPECT_EQ(browser.RootFolder, TSHFolders::foDesktopExpanded);
    EXPECT_FALSE(browser.CustomButtonVisible);
    EXPECT_TRUE(browser.CustomButtonEnabled());
    EXPECT_TRUE(browser.CustomButtonCaption().empty());
    EXPECT_EQ(browser.CustomButtonWidth(), 75);
    EXPECT_EQ(browser.CustomButtonType, TCustomButtonType::btPushButton);
    EXPECT_FALSE(browser.CustomButtonChecked);
    EXPECT_FALSE(browser.SyncCustomButton);

    browser.SetCustomButtonWidth(120);
    EXPECT_EQ(browser.CustomButtonWidth(), 120);
    browser.SetCustomButtonWidth(-5);
    EXPECT_EQ(browser.CustomButtonWidth(), 75);
    browser.SetCustomButtonWidth(0);
    EXPECT_EQ(browser.CustomButtonWidth(), 75);
}

TEST(BrowseFolderProperties, FlagBitsAndShellFolders)
{
    const TBrowseInfoFlags all{TBrowseInfoFlag::bfFileSysDirsOnly,   TBrowseInfoFlag::bfDontGoBelowDomain,
                               TBrowseInfoFlag::bfStatusText,        TBrowseInfoFlag::bfFileSysAncestors,
                               TBrowseInfoFlag::bfBrowseForComputer, TBrowseInfoFlag::bfBrowseForPrinter};
    EXPECT_EQ(all.PlatformBits(), 0x300Fu);
    TBrowseInfoFlags some{TBrowseInfoFlag::bfBrowseForComputer};
    some.Set(TBrowseInfoFlag::bfDontGoBelowDomain);
    EXPECT_EQ(some.PlatformBits(), 0x1002u);
    some.Set(TBrowseInfoFlag::bfBrowseForComputer, false);
    EXPECT_EQ(some.PlatformBits(), 0x2u);

    EXPECT_EQ(ShellFolderNumber(TSHFolders::foDesktop), 0);
    EXPECT_FALSE(ShellFolderNumber(TSHFolders::foDesktopExpanded).has_value());
    EXPECT_EQ(ShellFolderNumber(TSHFolders::foPrograms), 2);
    EXPECT_EQ(ShellFolderNumber(TSHFolders::foStartMenu), 11);
    EXPECT_EQ(ShellFolderNumber(TSHFolders::foDesktopDirectory), 16);
    EXPECT_EQ(ShellFolderNumber(TSHFolders::foTemplates), 21);
}

TEST(BrowseFolderExecute, ConfirmStoresTheChosenFolder)
{
    TTempDir dir;
    TFakeFolderPicker picker;
    picker.ConfirmWith = dir.Path().string();
    TBrowseFolder browser(picker);
    browser.Title = "Pick one";
    browser.RootFolder = TSHFolders::foPersonal;
    QWidget owner;
    browser.OwnerWindow = &owner;

    EXPECT_TRUE(browser.Execute());
    EXPECT_EQ(browser.Directory, dir.Path().string());
    EXPECT_EQ(browser.SelectionPath(), dir.Path().string());
    EXPECT_EQ(browser.DisplayName(), "chosen");
    EXPECT_EQ(browser.ImageIndex(), 3);
    EXPECT_EQ(picker.LastRequest.Title, "Pick one");
    EXPECT_EQ(picker.LastRequest.Flags, browser.Flags);
    EXPECT_EQ(picker.LastRequest.Root, TSHFolders::foPersonal);
    EXPECT_EQ(picker.LastRequest.Owner, &owner);

    // The next run opens at the folder chosen last.
    picker.ConfirmWith.reset();
    EXPECT_FALSE(browser.Execute());
    EXPECT_EQ(picker.SelectedFolders, std::vector<std::string>{dir.Path().string()});
}

TEST(BrowseFolderExecute, CancelLeavesDirectoryAsItWas)
{
    TFakeFolderPicker picker;
    picker.Selections = {{"elsewhere", std::string("/tmp")}};
    TBrowseFolder browser(picker);
    browser.Directory = "/no/such/folder/at/all";
    EXPECT_FALSE(browser.Execute());
    EXPECT_EQ(browser.Directory, "/no/such/folder/at/all");
    // A folder that does not exist is not selected; the tree opens at its root.
    EXPECT_TRUE(picker.SelectedFolders.empty());
    EXPECT_FALSE(picker.LastRequest.Root.has_value());
}

TEST(BrowseFolderExecute, OwnerFallsBackToTheOwningWidgetsWindow)
{
    TFakeFolderPicker picker;
    QWidget window;
    QWidget child(&window);
    TBrowseFolder browser(picker, &child);
    browser.Execute();
    EXPECT_EQ(picker.LastRequest.Owner, &window);
}

TEST(BrowseFolderCallbacks, InitializedPlacesSelectsAndReports)
{
    TTempDir dir;
    TFakeFolderPicker picker;
    TBrowseFolder browser(picker);
    browser.Directory = dir.Path().string();
    QWidget* reported = nullptr;
    int calls = 0;
    browser.OnInitialized = [&](TBrowseFolder& sender, QWidget* dialog) {
        EXPECT_EQ(&sender, &browser);
        reported = dialog;
        ++calls;
        // The dialog has been placed and the folder selected before the event.
        EXPECT_TRUE(picker.MovedTo.has_value());
        EXPECT_EQ(picker.SelectedFolders.size(), 1u);
    };
    browser.Execute();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(reported, &picker.DialogWidget);
    // 100 + 401/2 - 200/2 = 200; 50 + 303/4 = 125.
    ASSERT_TRUE(picker.MovedTo.has_value());
    EXPECT_EQ(*picker.MovedTo, QPoint(200, 125));
    EXPECT_EQ(PickerPosition(QRect(-10, 0, 99, 7), QSize(51, 3)), QPoint(-10 + 49 - 25, 1));
    EXPECT_EQ(picker.SelectedFolders, std::vector<std::string>{dir.Path().string()});
    EXPECT_TRUE(picker.AddedButtons.empty());
}

TEST(BrowseFolderCallbacks, SelectionChangeUpdatesStatusAndOk)
{
    TFakeFolderPicker picker;
    const std::string longPath = "/home/player/games/arcade/roms/zipped/set1";
    picker.Selections = {{"set1", longPath}, {"Network", std::nullopt}};
    TBrowseFolder browser(picker);
    browser.ShowPathInStatusArea = true;
    std::vector<std::pair<std::string, std::string>> seen;
    browser.OnSelectionChanged = [&](TBrowseFolder&, QWidget* dialog, const std::string& item,
                                     const std::string& directory) {
        EXPECT_EQ(dialog, &picker.DialogWidget);
        seen.emplace_back(item, directory);
    };
    EXPECT_FALSE(browser.Execute());
    EXPECT_EQ(picker.StatusTexts, (std::vector<std::string>{ShortenPath(longPath), ""}));
    EXPECT_NE(picker.StatusTexts[0], longPath);
    // An item without a file-system path disables OK.
    EXPECT_EQ(picker.OkStates, (std::vector<bool>{true, false}));
    EXPECT_EQ(seen, (std::vector<std::pair<std::string, std::string>>{{"set1", longPath}, {"Network", ""}}));
    EXPECT_TRUE(browser.SelectionPath().empty());
    EXPECT_TRUE(picker.CustomEnabledStates.empty());
}

TEST(BrowseFolderCallbacks, StatusLineStaysEmptyWhenNotAsked)
{
    TFakeFolderPicker picker;
    picker.Selections = {{"a", std::string("/a")}};
    TBrowseFolder browser(picker);
    browser.Execute();
    EXPECT_TRUE(picker.StatusTexts.empty());
    EXPECT_EQ(browser.SelectionPath(), "/a");
}

TEST(BrowseFolderCustomButton, AddedFollowsOkAndReportsClicks)
{
    TFakeFolderPicker picker;
    picker.Selections = {{"a", std::string("/a")}, {"Printers", std::nullopt}};
    picker.CustomClicks = 2;
    TBrowseFolder browser(picker);
    browser.CustomButtonVisible = true;
    browser.CustomButtonType = TCustomButtonType::btCheckBox;
    browser.CustomButtonChecked = true;
    browser.SetCustomButtonCaption("Recurse");
    browser.SetCustomButtonWidth(90);
    browser.SetCustomButtonEnabled(false);
    browser.SyncCustomButton = true;
    int clicks = 0;
    browser.OnCustomButtonClick = [&](TBrowseFolder&, QWidget* dialog) {
        EXPECT_EQ(dialog, &picker.DialogWidget);
        ++clicks;
    };
    picker.WhileOpen = [&] {
        browser.SetCustomButtonCaption("Deep");
        browser.SetCustomButtonEnabled(true);
    };
    picker.ConfirmWith = "/a";
    picker.CheckBoxStateAtConfirm = false;

    EXPECT_TRUE(browser.Execute());
    ASSERT_EQ(picker.AddedButtons.size(), 1u);
    const TCustomButtonSetup& setup = picker.AddedButtons[0];
    EXPECT_EQ(setup.Id, 255);
    EXPECT_EQ(setup.Geometry, QRect(12, 270, 90, 23));
    EXPECT_EQ(setup.Type, TCustomButtonType::btCheckBox);
    EXPECT_EQ(setup.Caption, "Recurse");
    EXPECT_FALSE(setup.Enabled);
    EXPECT_TRUE(setup.Checked);
    // Synchronised with OK on each selection, then the two settings made while open.
    EXPECT_EQ(picker.CustomEnabledStates, (std::vector<bool>{true, false, true}));
    EXPECT_EQ(picker.CustomCaptions, std::vector<std::string>{"Deep"});
    EXPECT_EQ(clicks, 2);
    // The box's final state is taken when the user confirms.
    EXPECT_FALSE(browser.CustomButtonChecked);

    // Cancelling keeps the stored state; a closed dialog gets no settings.
    browser.CustomButtonChecked = true;
    picker.ConfirmWith.reset();
    picker.WhileOpen = nullptr;
    browser.Execute();
    EXPECT_TRUE(browser.CustomButtonChecked);
    browser.SetCustomButtonCaption("After");
    EXPECT_EQ(picker.CustomCaptions, std::vector<std::string>{"Deep"});
}

// Plays the user once the real picker is open; a picker that never opens fails the test instead of
// blocking it.
void WhenPickerOpen(const std::function<void(QFileDialog&)>& action)
{
    auto* poll = new QTimer;
    auto tries = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, tries, action] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog && dialog->isVisible()) {
            poll->stop();
            poll->deleteLater();
            action(*dialog);
            return;
        }
        if (++*tries > 1000) {
            poll->stop();
            poll->deleteLater();
            ADD_FAILURE() << "the folder picker did not open";
            if (QWidget* modal = QApplication::activeModalWidget())
                modal->close();
        }
    });
    poll->start(10);
}

// The real picker, driven offscreen: it opens at the preset folder, shows the status line and returns
// the folder chosen, without a trailing separator.
TEST(BrowseFolderQtPicker, ReturnsTheChosenFolderAndShowsItsPath)
{
    TTempDir dir;
    const std::filesystem::path sub = dir.Path() / "roms";
    std::filesystem::create_directories(sub);
    TQtFolderPicker picker;
    TBrowseFolder browser(picker);
    browser.Title = "Select alternative rompath";
    browser.ShowPathInStatusArea = true;
    browser.Directory = sub.string() + "/";
    QString status;
    QString title;
    WhenPickerOpen([&](QFileDialog& picked) {
        QFileDialog* dialog = &picked;
        title = dialog->windowTitle();
        if (auto* label = dialog->findChild<QLabel*>("StatusText"))
            status = label->text();
        static_cast<QDialog*>(dialog)->accept();
    });
    ASSERT_TRUE(browser.Execute());
    EXPECT_EQ(browser.Directory, sub.string());
    EXPECT_EQ(title, "Select alternative rompath");
    EXPECT_EQ(status.toStdString(), ShortenPath(sub.string()));
}

TEST(BrowseFolderQtPicker, CancelAndCheckBox)
{
    TTempDir dir;
    TQtFolderPicker picker;
    TBrowseFolder browser(picker);
    browser.Directory = dir.Path().string();
    browser.CustomButtonVisible = true;
    browser.CustomButtonType = TCustomButtonType::btCheckBox;
    browser.SetCustomButtonCaption("Include sub-folders");
    bool checkedInDialog = true;
    WhenPickerOpen([&](QFileDialog& picked) {
        QFileDialog* dialog = &picked;
        auto* box = dialog->findChild<QCheckBox*>("CustomButton255");
        ASSERT_NE(box, nullptr);
        checkedInDialog = box->isChecked();
        EXPECT_EQ(box->text(), "Include sub-folders");
        box->setChecked(true);
        dialog->reject();
    });
    EXPECT_FALSE(browser.Execute());
    EXPECT_FALSE(checkedInDialog);
    EXPECT_EQ(browser.Directory, dir.Path().string());
    EXPECT_FALSE(browser.CustomButtonChecked);

    WhenPickerOpen([&](QFileDialog& picked) {
        QFileDialog* dialog = &picked;
        if (auto* box = dialog->findChild<QCheckBox*>("CustomButton255"))
            box->setChecked(true);
        static_cast<QDialog*>(dialog)->accept();
    });
    EXPECT_TRUE(browser.Execute());
    EXPECT_TRUE(browser.CustomButtonChecked);
    EXPECT_EQ(browser.Directory, dir.Path().string());
}

TEST(BrowseFolderPlacement, KeptOnScreenMovesOnlyAsFarAsNeeded)
{
    const QRect screen(0, 0, 1920, 1080);
    // Already on the screen: unchanged.
    EXPECT_EQ(KeptOnScreen(QPoint(100, 200), QSize(600, 400), screen), QPoint(100, 200));
    // Over the right and bottom edges: moved back until its far edge is the screen's.
    EXPECT_EQ(KeptOnScreen(QPoint(1500, 900), QSize(600, 400), screen), QPoint(1320, 680));
    // Over the left and top edges.
    EXPECT_EQ(KeptOnScreen(QPoint(-50, -10), QSize(600, 400), screen), QPoint(0, 0));
    // A screen that does not start at the origin.
    EXPECT_EQ(KeptOnScreen(QPoint(1900, 10), QSize(600, 400), QRect(1920, 0, 1280, 1024)), QPoint(1920, 10));
    // Larger than the screen: the top left corner stays visible.
    EXPECT_EQ(KeptOnScreen(QPoint(300, 300), QSize(2400, 1400), screen), QPoint(0, 0));
}

QPushButton* ChooseButton(QFileDialog& dialog)
{
    auto* box = dialog.findChild<QDialogButtonBox*>();
    if (!box)
        return nullptr;
    QPushButton* ok = box->button(QDialogButtonBox::Open);
    return ok ? ok : box->button(QDialogButtonBox::Ok);
}

// "Computer" in the picker's side bar has no file-system path: Choose is disabled and stays so, and the
// dialog cannot be confirmed with it; a real folder afterwards enables Choose again.
TEST(BrowseFolderQtPicker, ComputerCannotBeChosen)
{
    TTempDir dir;
    TQtFolderPicker picker;
    TBrowseFolder browser(picker);
    browser.ShowPathInStatusArea = true;
    browser.Directory = dir.Path().string();
    bool foundComputer = false;
    bool enabledOnComputer = true;
    bool stillOpenAfterConfirm = false;
    bool enabledAfterwards = false;
    WhenPickerOpen([&](QFileDialog& dialog) {
        const QUrl folder = QUrl::fromLocalFile(QString::fromStdString(dir.Path().string()));
        dialog.setSidebarUrls(dialog.sidebarUrls() << folder);
        auto* sidebar = dialog.findChild<QAbstractItemView*>("sidebar");
        // Clicks the side-bar entry whose address the test names.
        auto clickEntry = [&](const std::function<bool(const QUrl&)>& wanted) {
            if (!sidebar)
                return false;
            for (int row = 0; row < sidebar->model()->rowCount(); ++row) {
                const QModelIndex index = sidebar->model()->index(row, 0);
                if (wanted(index.data(Qt::UserRole + 1).toUrl())) {
                    QTest::mouseClick(sidebar->viewport(), Qt::LeftButton, {},
                                      sidebar->visualRect(index).center());
                    QApplication::processEvents();
                    return true;
                }
            }
            return false;
        };
        foundComputer =
            clickEntry([](const QUrl& url) { return url.scheme() == "file" && url.toLocalFile().isEmpty(); });
        QPushButton* ok = ChooseButton(dialog);
        enabledOnComputer = ok && ok->isEnabled();
        static_cast<QDialog*>(&dialog)->accept();
        stillOpenAfterConfirm = dialog.isVisible();
        // The user goes to a real folder again.
        clickEntry([&](const QUrl& url) { return url == folder; });
        enabledAfterwards = ok && ok->isEnabled();
        dialog.reject();
    });
    EXPECT_FALSE(browser.Execute());
    ASSERT_TRUE(foundComputer) << "no side-bar entry without a path";
    EXPECT_FALSE(enabledOnComputer);
    EXPECT_TRUE(stillOpenAfterConfirm);
    EXPECT_TRUE(enabledAfterwards);
    EXPECT_EQ(browser.Directory, dir.Path().string());
}

} // namespace

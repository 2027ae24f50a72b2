#pragma once
// TBrowseFolder: asks for a folder through a folder picker, with a preset folder, a status line and an extra
// button.

#include <functional>
#include <optional>
#include <string>

#include <QObject>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

enum class TBrowseInfoFlag {
    bfFileSysDirsOnly,
    bfDontGoBelowDomain,
    bfStatusText,
    bfFileSysAncestors,
    bfBrowseForComputer,
    bfBrowseForPrinter,
};

// A set of TBrowseInfoFlag values, one bit per value in declaration order.
class TBrowseInfoFlags
{
public:
    TBrowseInfoFlags() = default;
    TBrowseInfoFlags(std::initializer_list<TBrowseInfoFlag> flags)
    {
        for (TBrowseInfoFlag flag : flags)
            m_bits |= Bit(flag);
    }
    bool Has(TBrowseInfoFlag flag) const { return (m_bits & Bit(flag)) != 0; }
    void Set(TBrowseInfoFlag flag, bool on = true)
    {
        m_bits = on ? (m_bits | Bit(flag)) : (m_bits & ~Bit(flag));
    }
    bool operator==(const TBrowseInfoFlags&) const = default;
    // The shell's option bits (1, 2, 4, 8, 0x1000, 0x2000) the set stands for.
    unsigned PlatformBits() const;

private:
    static unsigned Bit(TBrowseInfoFlag flag) { return 1u << static_cast<unsigned>(flag); }
    unsigned m_bits = 0;
};

enum class TSHFolders {
    foDesktop,
    foDesktopExpanded,
    foPrograms,
    foControlPanel,
    foPrinters,
    foPersonal,
    foFavorites,
    foStartup,
    foRecent,
    foSendto,
    foRecycleBin,
    foStartMenu,
    foDesktopDirectory,
    foMyComputer,
    foNetwork,
    foNetworkNeighborhood,
    foFonts,
    foTemplates,
};

enum class TCustomButtonType { btPushButton, btCheckBox };

// The shell's number of a special folder, or nothing for foDesktopExpanded (no root).
std::optional<int> ShellFolderNumber(TSHFolders folder);

// The path shortened for a status line: the middle parts give way to "..." until it fits the limit.
std::string ShortenPath(const std::string& path, std::size_t limit = 35, char separator = '/');

// Where the picker goes: centred across the foreground window, a quarter of its height down.
QPoint PickerPosition(const QRect& foreground, const QSize& dialog);
// The top left corner moved just far enough that the dialog lies on the screen; a dialog larger than the
// screen keeps its top left corner on it.
QPoint KeptOnScreen(const QPoint& topLeft, const QSize& dialog, const QRect& screen);

struct TCustomButtonSetup
{
    int Id = 255;
    QRect Geometry;
    TCustomButtonType Type = TCustomButtonType::btPushButton;
    std::string Caption;
    bool Enabled = true;
    bool Checked = false;
};

// What the component may do with an open picker.
class TFolderPickerSession
{
public:
    virtual ~TFolderPickerSession() = default;
    virtual QWidget* Handle() = 0;
    virtual QRect ForegroundGeometry() = 0;
    virtual QSize DialogSize() = 0;
    virtual void MoveTo(const QPoint& topLeft) = 0;
    virtual void SelectFolder(const std::string& path) = 0;
    virtual void SetStatusText(const std::string& text) = 0;
    virtual void EnableOK(bool enabled) = 0;
    virtual void AddCustomButton(const TCustomButtonSetup& setup) = 0;
    virtual void SetCustomButtonEnabled(bool enabled) = 0;
    virtual void SetCustomButtonCaption(const std::string& caption) = 0;
    virtual bool CustomButtonChecked() = 0;
};

// The picker's calls back into the component while it is open.
class TFolderPickerEvents
{
public:
    virtual ~TFolderPickerEvents() = default;
    virtual void Initialized(TFolderPickerSession& session) = 0;
    // path: the selected item's file-system path, or nothing when it has none.
    virtual void SelectionChanged(TFolderPickerSession& session, const std::string& item,
                                  const std::optional<std::string>& path) = 0;
    virtual void CustomButtonClicked(TFolderPickerSession& session) = 0;
    // The user confirmed; runs before the picker closes.
    virtual void Confirming(TFolderPickerSession& session) = 0;
};

struct TFolderPickerRequest
{
    QWidget* Owner = nullptr;
    std::optional<TSHFolders> Root; // nothing: the whole tree
    std::string Title;
    TBrowseInfoFlags Flags;
};

struct TFolderPickerResult
{
    std::string Path; // file-system path of the chosen item
    std::string DisplayName;
    int ImageIndex = 0;
};

// A modal folder picker; nothing when the user cancelled.
class TFolderPicker
{
public:
    virtual ~TFolderPicker() = default;
    virtual std::optional<TFolderPickerResult> Run(const TFolderPickerRequest& request,
                                                   TFolderPickerEvents& events) = 0;
};

class TBrowseFolder : public QObject, private TFolderPickerEvents
{
    Q_OBJECT
public:
    explicit TBrowseFolder(TFolderPicker& picker, QObject* owner = nullptr);

    // True when the user confirmed a folder, which Directory then holds; false leaves Directory as it was.
    bool Execute();

    std::string Directory;
    std::string Title;
    TBrowseInfoFlags Flags{TBrowseInfoFlag::bfFileSysDirsOnly, TBrowseInfoFlag::bfStatusText};
    bool ShowPathInStatusArea = false;
    TSHFolders RootFolder = TSHFolders::foDesktopExpanded;
    bool CustomButtonVisible = false;
    TCustomButtonType CustomButtonType = TCustomButtonType::btPushButton;
    bool CustomButtonChecked = false;
    bool SyncCustomButton = false;

    bool CustomButtonEnabled() const { return m_customButtonEnabled; }
    void SetCustomButtonEnabled(bool enabled);
    const std::string& CustomButtonCaption() const { return m_customButtonCaption; }
    void SetCustomButtonCaption(const std::string& caption);
    int CustomButtonWidth() const { return m_customButtonWidth; }
    void SetCustomButtonWidth(int width) { m_customButtonWidth = width > 0 ? width : 75; }

    std::function<void(TBrowseFolder& sender, QWidget* dialog)> OnInitialized;
    std::function<void(TBrowseFolder& sender, QWidget* dialog, const std::string& item,
                       const std::string& directory)>
        OnSelectionChanged;
    std::function<void(TBrowseFolder& sender, QWidget* dialog)> OnCustomButtonClick;

    // The dialog's owner; when none, the owning widget's window or the application's main window.
    QWidget* OwnerWindow = nullptr;

    const std::string& SelectionPath() const { return m_selectionPath; }
    const std::string& DisplayName() const { return m_displayName; }
    int ImageIndex() const { return m_imageIndex; }

private:
    void Initialized(TFolderPickerSession& session) override;
    void SelectionChanged(TFolderPickerSession& session, const std::string& item,
                          const std::optional<std::string>& path) override;
    void CustomButtonClicked(TFolderPickerSession& session) override;
    void Confirming(TFolderPickerSession& session) override;
    QWidget* ResolveOwner() const;

    TFolderPicker& m_picker;
    TFolderPickerSession* m_session = nullptr;
    bool m_customButtonEnabled = true;
    std::string m_customButtonCaption;
    int m_customButtonWidth = 75;
    std::string m_selectionPath;
    std::string m_displayName;
    int m_imageIndex = 0;
};

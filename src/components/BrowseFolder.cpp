#include "components/BrowseFolder.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

#include <QApplication>
#include <QMainWindow>
#include <QWidget>

namespace {

// The picker's display-name buffer holds 260 characters including the terminator.
constexpr std::size_t kDisplayNameLength = 259;

bool IsExistingDirectory(const std::string& path)
{
    std::error_code error;
    return !path.empty() && std::filesystem::is_directory(path, error);
}

std::vector<std::string> SplitPath(const std::string& path, char separator)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = path.find(separator, start);
        if (end == std::string::npos) {
            parts.push_back(path.substr(start));
            return parts;
        }
        parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
}

std::string JoinPath(const std::vector<std::string>& parts, char separator)
{
    std::string joined;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0)
            joined += separator;
        joined += parts[i];
    }
    return joined;
}

} // namespace

unsigned TBrowseInfoFlags::PlatformBits() const
{
    static constexpr unsigned kBits[] = {0x1, 0x2, 0x4, 0x8, 0x1000, 0x2000};
    unsigned bits = 0;
    for (unsigned i = 0; i < 6; ++i) {
        if (m_bits & (1u << i))
            bits |= kBits[i];
    }
    return bits;
}

std::optional<int> ShellFolderNumber(TSHFolders folder)
{
    static constexpr int kNumbers[] = {0, -1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 16, 17, 18, 19, 20, 21};
    const int number = kNumbers[static_cast<int>(folder)];
    if (number < 0)
        return std::nullopt;
    return number;
}

std::string ShortenPath(const std::string& path, std::size_t limit, char separator)
{
    if (path.size() <= limit)
        return path;
    std::vector<std::string> parts = SplitPath(path, separator);
    if (parts.size() <= 2)
        return path;
    parts[1] = "...";
    std::string shortened = JoinPath(parts, separator);
    while (shortened.size() > limit && parts.size() > 3) {
        parts.erase(parts.begin() + 2);
        shortened = JoinPath(parts, separator);
    }
    return shortened;
}

QPoint PickerPosition(const QRect& foreground, const QSize& dialog)
{
    return QPoint(foreground.left() + foreground.width() / 2 - dialog.width() / 2,
                  foreground.top() + foreground.height() / 4);
}

QPoint KeptOnScreen(const QPoint& topLeft, const QSize& dialog, const QRect& screen)
{
    auto keep = [](int at, int size, int low, int high) {
        return std::max(low, std::min(at, high - size + 1));
    };
    return QPoint(keep(topLeft.x(), dialog.width(), screen.left(), screen.right()),
                  keep(topLeft.y(), dialog.height(), screen.top(), screen.bottom()));
}

TBrowseFolder::TBrowseFolder(TFolderPicker& picker, QObject* owner) : QObject(owner), m_picker(picker) {}

void TBrowseFolder::SetCustomButtonEnabled(bool enabled)
{
    m_customButtonEnabled = enabled;
    if (m_session && CustomButtonVisible)
        m_session->SetCustomButtonEnabled(enabled);
}

void TBrowseFolder::SetCustomButtonCaption(const std::string& caption)
{
    m_customButtonCaption = caption;
    if (m_session && CustomButtonVisible)
        m_session->SetCustomButtonCaption(caption);
}

QWidget* TBrowseFolder::ResolveOwner() const
{
    if (OwnerWindow)
        return OwnerWindow;
    if (auto* widget = qobject_cast<QWidget*>(parent()))
        return widget->window();
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (qobject_cast<QMainWindow*>(top))
            return top;
    }
    return QApplication::activeWindow();
}

bool TBrowseFolder::Execute()
{
    TFolderPickerRequest request;
    request.Owner = ResolveOwner();
    if (ShellFolderNumber(RootFolder))
        request.Root = RootFolder;
    request.Title = Title;
    request.Flags = Flags;

    std::optional<TFolderPickerResult> result;
    try {
        result = m_picker.Run(request, *this);
    } catch (...) {
        m_session = nullptr;
        throw;
    }
    m_session = nullptr;
    if (!result)
        return false;
    Directory = result->Path;
    m_selectionPath = Directory;
    m_displayName = result->DisplayName.substr(0, kDisplayNameLength);
    m_imageIndex = result->ImageIndex;
    return true;
}

void TBrowseFolder::Initialized(TFolderPickerSession& session)
{
    m_session = &session;
    session.MoveTo(PickerPosition(session.ForegroundGeometry(), session.DialogSize()));
    if (IsExistingDirectory(Directory))
        session.SelectFolder(Directory);
    if (CustomButtonVisible) {
        TCustomButtonSetup setup;
        setup.Geometry = QRect(12, 270, m_customButtonWidth, 23);
        setup.Type = CustomButtonType;
        setup.Caption = m_customButtonCaption;
        setup.Enabled = m_customButtonEnabled;
        setup.Checked = CustomButtonChecked;
        session.AddCustomButton(setup);
    }
    if (OnInitialized)
        OnInitialized(*this, session.Handle());
}

void TBrowseFolder::SelectionChanged(TFolderPickerSession& session, const std::string& item,
                                     const std::optional<std::string>& path)
{
    m_session = &session;
    m_selectionPath = path.value_or(std::string());
    if (ShowPathInStatusArea)
        session.SetStatusText(ShortenPath(m_selectionPath));
    session.EnableOK(path.has_value());
    if (SyncCustomButton && CustomButtonVisible)
        session.SetCustomButtonEnabled(path.has_value());
    if (OnSelectionChanged)
        OnSelectionChanged(*this, session.Handle(), item, m_selectionPath);
}

void TBrowseFolder::CustomButtonClicked(TFolderPickerSession& session)
{
    if (OnCustomButtonClick)
        OnCustomButtonClick(*this, session.Handle());
}

void TBrowseFolder::Confirming(TFolderPickerSession& session)
{
    if (CustomButtonVisible && CustomButtonType == TCustomButtonType::btCheckBox)
        CustomButtonChecked = session.CustomButtonChecked();
}

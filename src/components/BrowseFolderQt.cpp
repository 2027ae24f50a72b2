#include "components/BrowseFolderQt.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QUrl>

#include "platform/qt/QtText.h"

namespace {

// The folder dialog, with a hook that runs when the user confirms, before it closes. While the selection
// has no file-system path (the "Computer" entry) the dialog refuses to be confirmed, whatever its own
// button logic thinks of the highlighted entry.
class TPickerDialog : public QFileDialog
{
public:
    using QFileDialog::QFileDialog;
    std::function<void()> BeforeAccept;
    bool Refused = false;

    QPushButton* OkButton() const
    {
        auto* box = findChild<QDialogButtonBox*>();
        if (!box)
            return nullptr;
        QPushButton* ok = box->button(QDialogButtonBox::Open);
        return ok ? ok : box->button(QDialogButtonBox::Ok);
    }

    void accept() override
    {
        if (Refused)
            return;
        if (BeforeAccept)
            BeforeAccept();
        QFileDialog::accept();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // The dialog re-enables its button after every change it sees; a refusal outlasts that.
        if (Refused && event->type() == QEvent::EnabledChange && watched == OkButton()) {
            auto* ok = static_cast<QPushButton*>(watched);
            if (ok->isEnabled())
                ok->setEnabled(false);
        }
        return QFileDialog::eventFilter(watched, event);
    }
};

class TQtPickerSession : public TFolderPickerSession
{
public:
    TQtPickerSession(TPickerDialog& dialog, QLabel* status, QWidget* owner, TFolderPickerEvents& events)
        : m_dialog(dialog), m_status(status), m_owner(owner), m_events(events)
    {
    }

    QWidget* Handle() override { return &m_dialog; }

    QRect ForegroundGeometry() override
    {
        QWidget* foreground = QApplication::activeWindow();
        if (!foreground || foreground == &m_dialog)
            foreground = m_owner;
        if (foreground)
            return foreground->frameGeometry();
        QScreen* screen = QApplication::primaryScreen();
        return screen ? screen->availableGeometry() : QRect(0, 0, 800, 600);
    }

    QSize DialogSize() override { return m_dialog.frameGeometry().size(); }

    void MoveTo(const QPoint& topLeft) override
    {
        // A large dialog on a scaled screen would hang over the edge; it moves onto the screen instead.
        QScreen* screen = QGuiApplication::screenAt(ForegroundGeometry().center());
        if (!screen)
            screen = m_dialog.screen();
        m_dialog.move(screen ? KeptOnScreen(topLeft, DialogSize(), screen->availableGeometry()) : topLeft);
    }

    void SelectFolder(const std::string& path) override
    {
        // Opening at the folder makes it the choice; selecting it inside its parent would be read back
        // as a name relative to itself.
        m_dialog.setDirectory(PathFromBytes(path));
    }

    void SetStatusText(const std::string& text) override
    {
        if (m_status)
            m_status->setText(PathFromBytes(text));
    }

    void EnableOK(bool enabled) override
    {
        const bool wasRefused = m_dialog.Refused;
        m_dialog.Refused = !enabled;
        QPushButton* ok = m_dialog.OkButton();
        if (!ok)
            return;
        ok->removeEventFilter(&m_dialog);
        ok->installEventFilter(&m_dialog);
        // Otherwise the dialog's own logic decides, for a usable folder; only a lifted refusal is undone.
        if (!enabled)
            ok->setEnabled(false);
        else if (wasRefused)
            ok->setEnabled(true);
    }

    void AddCustomButton(const TCustomButtonSetup& setup) override
    {
        QAbstractButton* button = nullptr;
        if (setup.Type == TCustomButtonType::btCheckBox) {
            auto* box = new QCheckBox(TextFromBytes(setup.Caption), &m_dialog);
            box->setChecked(setup.Checked);
            button = box;
        } else {
            button = new QPushButton(TextFromBytes(setup.Caption), &m_dialog);
        }
        button->setObjectName(QStringLiteral("CustomButton%1").arg(setup.Id));
        button->setFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont));
        button->setFocusPolicy(Qt::StrongFocus);
        button->setMinimumWidth(setup.Geometry.width());
        button->setFixedHeight(setup.Geometry.height());
        button->setEnabled(setup.Enabled);
        // The dialog lays out its own children, so the button takes the bottom-left cell.
        if (auto* grid = qobject_cast<QGridLayout*>(m_dialog.layout()))
            grid->addWidget(button, grid->rowCount(), 0, Qt::AlignLeft);
        button->show();
        QObject::connect(button, &QAbstractButton::clicked, &m_dialog,
                         [this] { m_events.CustomButtonClicked(*this); });
        m_custom = button;
    }

    void SetCustomButtonEnabled(bool enabled) override
    {
        if (m_custom)
            m_custom->setEnabled(enabled);
    }

    void SetCustomButtonCaption(const std::string& caption) override
    {
        if (m_custom)
            m_custom->setText(TextFromBytes(caption));
    }

    bool CustomButtonChecked() override { return m_custom && m_custom->isChecked(); }

private:
    TPickerDialog& m_dialog;
    QLabel* m_status;
    QWidget* m_owner;
    TFolderPickerEvents& m_events;
    QAbstractButton* m_custom = nullptr;
};

QString WithoutTrailingSeparator(QString path)
{
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}

} // namespace

std::string SpecialFolderPath(TSHFolders folder)
{
    auto location = [](QStandardPaths::StandardLocation where) {
        return PathToBytes(QStandardPaths::writableLocation(where));
    };
    const std::string home = location(QStandardPaths::HomeLocation);
    switch (folder) {
    case TSHFolders::foDesktop:
    case TSHFolders::foDesktopDirectory:
        return location(QStandardPaths::DesktopLocation);
    case TSHFolders::foPersonal:
        return location(QStandardPaths::DocumentsLocation);
    case TSHFolders::foFonts:
        return location(QStandardPaths::FontsLocation);
    case TSHFolders::foPrograms:
    case TSHFolders::foStartMenu:
        return location(QStandardPaths::ApplicationsLocation);
    case TSHFolders::foStartup:
        return location(QStandardPaths::ConfigLocation) + "/autostart";
    case TSHFolders::foTemplates:
        return home + "/Templates";
    case TSHFolders::foRecycleBin:
        return location(QStandardPaths::GenericDataLocation) + "/Trash";
    case TSHFolders::foMyComputer:
        return "/";
    default:
        return std::string();
    }
}

std::optional<TFolderPickerResult> TQtFolderPicker::Run(const TFolderPickerRequest& request,
                                                        TFolderPickerEvents& events)
{
    TPickerDialog dialog(request.Owner, TextFromBytes(request.Title));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (request.Root) {
        const QString root = PathFromBytes(SpecialFolderPath(*request.Root));
        if (!root.isEmpty() && QFileInfo(root).isDir()) {
            dialog.setDirectory(root);
            QList<QUrl> sidebar = dialog.sidebarUrls();
            sidebar.prepend(QUrl::fromLocalFile(root));
            dialog.setSidebarUrls(sidebar);
        }
    }

    QLabel* status = nullptr;
    if (request.Flags.Has(TBrowseInfoFlag::bfStatusText)) {
        status = new QLabel(&dialog);
        status->setObjectName(QStringLiteral("StatusText"));
        if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout()))
            grid->addWidget(status, grid->rowCount(), 0, 1, grid->columnCount());
    }

    TQtPickerSession session(dialog, status, request.Owner, events);
    auto selectionChanged = [&](const QString& path) {
        const QString folder = WithoutTrailingSeparator(path);
        if (folder.isEmpty() || !QFileInfo(folder).isDir())
            events.SelectionChanged(session, PathToBytes(path), std::nullopt);
        else
            events.SelectionChanged(session, PathToBytes(QFileInfo(folder).fileName()), PathToBytes(folder));
    };
    QObject::connect(&dialog, &QFileDialog::currentChanged, &dialog, selectionChanged);
    QObject::connect(&dialog, &QFileDialog::directoryEntered, &dialog, selectionChanged);
    dialog.BeforeAccept = [&] { events.Confirming(session); };

    dialog.adjustSize();
    events.Initialized(session);
    selectionChanged(dialog.directory().absolutePath());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty())
        return std::nullopt;
    TFolderPickerResult result;
    const QString path = WithoutTrailingSeparator(QDir::cleanPath(chosen.front()));
    result.Path = PathToBytes(path);
    result.DisplayName = PathToBytes(QFileInfo(path).fileName());
    return result;
}

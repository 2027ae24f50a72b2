#include "platform/qt/QtShell.h"

#include <cerrno>
#include <cstring>

#include <spawn.h>
#include <sys/wait.h>

#include <QDir>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>

#include "base/CommandText.h"
#include "platform/Dialogs.h"
#include "platform/qt/QtText.h"

extern char** environ;

namespace {

const char* const kOpener = "xdg-open";
// An opener that fails later than this has shown its program, which ended on its own terms.
constexpr auto kFailureWindow = std::chrono::seconds(5);
constexpr int kWatchIntervalMs = 200;

// "http:", "mailto:" and the like are addresses; everything else is a file.
bool IsAddress(const QString& text)
{
    const QUrl url(text, QUrl::StrictMode);
    return url.isValid() && url.scheme().size() > 1 && !url.isLocalFile();
}

std::optional<std::string> FindOnPath(const std::string& name)
{
    QString found = QStandardPaths::findExecutable(PathFromBytes(name));
    if (found.isEmpty())
        return std::nullopt;
    return PathToBytes(found);
}

std::vector<std::string> MimeTypesOf(const QMimeType& type)
{
    std::vector<std::string> names{type.name().toStdString()};
    for (const QString& alias : type.aliases())
        names.push_back(alias.toStdString());
    for (const QString& parent : type.allAncestors())
        names.push_back(parent.toStdString());
    return names;
}

} // namespace

TQtShell::TQtShell() : TQtShell(CurrentXdgDirs()) {}

TQtShell::TQtShell(TXdgDirs dirs) : m_dirs(std::move(dirs)), m_watch(std::make_unique<QTimer>())
{
    m_watch->setInterval(kWatchIntervalMs);
    QObject::connect(m_watch.get(), &QTimer::timeout, [this] { WatchOpeners(); });
}

TQtShell::~TQtShell() = default;

bool TQtShell::OpenWithShell(const std::string& documentOrAddress)
{
    const QString text = TextFromBytes(documentOrAddress);
    std::string target = documentOrAddress;
    // A document is named by its full path: in the message, and to the opener, which may run elsewhere.
    if (!IsAddress(text)) {
        const QFileInfo file(PathFromBytes(documentOrAddress));
        target = PathToBytes(file.absoluteFilePath());
        if (!file.exists()) {
            ReportCannotOpen(target, "The file does not exist.");
            return false;
        }
    }
    std::string program = kOpener;
    char* const argv[] = {program.data(), target.data(), nullptr};
    pid_t pid = 0;
    const int error = posix_spawnp(&pid, kOpener, nullptr, nullptr, argv, environ);
    if (error != 0) {
        std::string why = "No program to open it was found (";
        why.append(kOpener).append(": ").append(std::strerror(error)).append("). Install xdg-utils.");
        ReportCannotOpen(target, why);
        return false;
    }
    m_openers.push_back({pid, target, std::chrono::steady_clock::now()});
    m_watch->start();
    return true;
}

void TQtShell::WatchOpeners()
{
    // Copied first: a report's message box runs the event loop, which may come back here.
    std::vector<std::pair<std::string, int>> failures;
    const auto now = std::chrono::steady_clock::now();
    for (auto it = m_openers.begin(); it != m_openers.end();) {
        int status = 0;
        const pid_t done = waitpid(it->Pid, &status, WNOHANG);
        if (done == 0) {
            ++it;
            continue;
        }
        const bool failed = done < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0;
        if (done > 0 && failed && now - it->Started < kFailureWindow)
            failures.emplace_back(it->Target, WIFEXITED(status) ? WEXITSTATUS(status) : -1);
        it = m_openers.erase(it);
    }
    if (m_openers.empty())
        m_watch->stop();
    for (const auto& [target, code] : failures)
        ReportCannotOpen(target, "No program to open it was found (" + std::string(kOpener) +
                                     " ended with status " + std::to_string(code) + ").");
}

void TQtShell::ReportCannotOpen(const std::string& target, const std::string& reason)
{
    if (!m_dialogs)
        return;
    ShowError(*m_dialogs, "Cannot open " + target + "\r" + reason);
}

std::optional<std::string> TQtShell::FindAssociatedProgram(const std::string& document)
{
    QMimeDatabase mimeDatabase;
    const QMimeType type = mimeDatabase.mimeTypeForFile(PathFromBytes(document));
    std::optional<std::string> exec = DefaultApplicationExec(m_dirs, MimeTypesOf(type));
    if (!exec)
        return std::nullopt;
    std::vector<std::string> words = ExecWords(*exec);
    if (words.empty())
        return std::nullopt;
    return words.front().find('/') == std::string::npos ? FindOnPath(words.front()) : words.front();
}

std::string TQtShell::WebBrowserCommand(const std::string& extension)
{
    QMimeDatabase mimeDatabase;
    const QMimeType type = mimeDatabase.mimeTypeForFile(QStringLiteral("page") + TextFromBytes(extension),
                                                        QMimeDatabase::MatchExtension);
    std::vector<std::string> types;
    if (!type.isDefault())
        types = MimeTypesOf(type);
    types.push_back("x-scheme-handler/http");
    std::optional<std::string> exec = DefaultApplicationExec(m_dirs, types);
    return exec ? ExecCommandText(ExecWords(*exec), FindOnPath) : std::string();
}

bool TQtShell::RunProgram(const std::string& program, const std::string& parameters)
{
    QStringList arguments;
    for (const std::string& word : SplitCommandText(parameters))
        arguments << TextFromBytes(word);
    return QProcess::startDetached(PathFromBytes(program), arguments);
}

#include "platform/qt/QtShell.h"

#include <QDesktopServices>
#include <QDir>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include "base/CommandText.h"
#include "platform/qt/QtText.h"

namespace {

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

TQtShell::TQtShell() : m_dirs(CurrentXdgDirs()) {}

TQtShell::TQtShell(TXdgDirs dirs) : m_dirs(std::move(dirs)) {}

bool TQtShell::OpenWithShell(const std::string& documentOrAddress)
{
    const QString text = TextFromBytes(documentOrAddress);
    if (IsAddress(text))
        return QDesktopServices::openUrl(QUrl(text));
    return QDesktopServices::openUrl(
        QUrl::fromLocalFile(QDir().absoluteFilePath(PathFromBytes(documentOrAddress))));
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

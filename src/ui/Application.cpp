#include "ui/Application.h"

#include <exception>
#include <string>

#include <QSettings>
#include <QStyle>

#include "platform/Dialogs.h"
#include "ui/MenuHints.h"
#include "ui/ProgramStyle.h"

void KeepQtSettingsIn(const QString& folder)
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder);
}

TVantorKorbApp::TVantorKorbApp(int& argc, char** argv) : QApplication(argc, argv)
{
    // The only file of ours outside the emulator folder is the list of emulator folders.
    if (m_qtSettings.isValid())
        KeepQtSettingsIn(m_qtSettings.path());
    setStyle(new TProgramStyle(style()->name()));
    installEventFilter(new TDisabledItemHints(this));
}

bool TVantorKorbApp::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ReportError(error.what());
    } catch (...) {
        ReportError("Unknown error");
    }
    return false;
}

void TVantorKorbApp::ReportError(const std::string& text)
{
    // A second failure while the box is open would stack boxes without end.
    if (!m_dialogs || m_reporting) {
        qWarning("%s", text.c_str());
        return;
    }
    m_reporting = true;
    ShowError(*m_dialogs, text);
    m_reporting = false;
}

#include "ui/Application.h"

#include <exception>
#include <string>

#include <QStyle>

#include "platform/Dialogs.h"
#include "ui/MenuHints.h"
#include "ui/ProgramStyle.h"

TVantorKorbApp::TVantorKorbApp(int& argc, char** argv) : QApplication(argc, argv)
{
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

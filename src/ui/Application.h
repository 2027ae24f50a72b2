#pragma once
// The application object: an exception escaping an event handler is shown in an "Error" box, not fatal;
// it also sets the program's widget style and shows the hints of disabled menu items, and keeps what Qt
// itself would store for the user (the file dialog's history) out of the user's configuration folder.

#include <QApplication>
#include <QTemporaryDir>

class TDialogs;

// Qt's own user settings of this process (QtProject.conf) go below folder.
void KeepQtSettingsIn(const QString& folder);

class TVantorKorbApp : public QApplication
{
public:
    TVantorKorbApp(int& argc, char** argv);
    // Where the general error report is shown; without dialogs it goes to qWarning.
    void SetErrorDialogs(TDialogs* dialogs) { m_dialogs = dialogs; }
    void ReportError(const std::string& text);

    bool notify(QObject* receiver, QEvent* event) override;

    // Where Qt's own user settings go for this run; removed at the end.
    QString QtSettingsFolder() const { return m_qtSettings.path(); }

private:
    QTemporaryDir m_qtSettings;
    TDialogs* m_dialogs = nullptr;
    bool m_reporting = false;
};

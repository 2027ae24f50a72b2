#pragma once
// The application object: an exception escaping an event handler is shown in an "Error" box, not fatal;
// it also sets the program's widget style and shows the hints of disabled menu items.

#include <QApplication>

class TDialogs;

class TVantorKorbApp : public QApplication
{
public:
    TVantorKorbApp(int& argc, char** argv);
    // Where the general error report is shown; without dialogs it goes to qWarning.
    void SetErrorDialogs(TDialogs* dialogs) { m_dialogs = dialogs; }
    void ReportError(const std::string& text);

    bool notify(QObject* receiver, QEvent* event) override;

private:
    TDialogs* m_dialogs = nullptr;
    bool m_reporting = false;
};

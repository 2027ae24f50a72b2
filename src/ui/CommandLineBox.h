#pragma once
// The settings page's view of the argument text the next launch passes, with the words the emulator will
// not receive marked.

#include <string>

#include <QWidget>

class QLabel;
class QTextEdit;
class TSettingsPage;

class TCommandLineBox : public QWidget
{
    Q_OBJECT

public:
    // Follows every control of page; Refresh() is also for changes the controls do not signal (a new game).
    explicit TCommandLineBox(TSettingsPage& page, QWidget* parent = nullptr);

    void Refresh();
    // Shows text as it is; for tests and for callers that built the text themselves.
    void ShowArguments(const std::string& arguments);

    QString Arguments() const;
    QTextEdit* Field() const { return m_field; }
    QLabel* DroppedLine() const { return m_droppedLine; }

private:
    void FollowControls();

    TSettingsPage& m_page;
    QTextEdit* m_field = nullptr;
    QLabel* m_droppedLine = nullptr;
    std::string m_shown;
};

#pragma once
// The desktop shell: opening with the desktop's program, and its default application database.

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include <sys/types.h>

#include "platform/DesktopApps.h"
#include "platform/Shell.h"

class QTimer;
class TDialogs;

class TQtShell : public TShell
{
public:
    TQtShell();
    explicit TQtShell(TXdgDirs dirs);
    ~TQtShell() override;

    // Where a document that cannot be opened is told, naming it; without dialogs only the result tells.
    void SetDialogs(TDialogs* dialogs) { m_dialogs = dialogs; }

    // Runs the desktop's opener (xdg-open). A missing document or opener fails at once; an opener that
    // ends with a failure shortly after (no program for the type) is reported when it ends.
    bool OpenWithShell(const std::string& documentOrAddress) override;
    std::optional<std::string> FindAssociatedProgram(const std::string& document) override;
    std::string WebBrowserCommand(const std::string& extension) override;
    bool RunProgram(const std::string& program, const std::string& parameters) override;

private:
    struct TOpener
    {
        pid_t Pid;
        std::string Target;
        std::chrono::steady_clock::time_point Started;
    };

    void WatchOpeners();
    void ReportCannotOpen(const std::string& target, const std::string& reason);

    TXdgDirs m_dirs;
    TDialogs* m_dialogs = nullptr;
    std::vector<TOpener> m_openers;
    std::unique_ptr<QTimer> m_watch;
};

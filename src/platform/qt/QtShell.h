#pragma once
// The desktop shell: opening with the desktop's program, and its default application database.

#include "platform/DesktopApps.h"
#include "platform/Shell.h"

class TQtShell : public TShell
{
public:
    TQtShell();
    explicit TQtShell(TXdgDirs dirs);

    bool OpenWithShell(const std::string& documentOrAddress) override;
    std::optional<std::string> FindAssociatedProgram(const std::string& document) override;
    std::string WebBrowserCommand(const std::string& extension) override;
    bool RunProgram(const std::string& program, const std::string& parameters) override;

private:
    TXdgDirs m_dirs;
};

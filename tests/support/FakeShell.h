#pragma once
// Recording shell for tests: nothing is opened, every request is kept, lookups answer from a script.

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/Shell.h"

class TFakeShell : public TShell
{
public:
    bool OpenWithShell(const std::string& documentOrAddress) override;
    std::optional<std::string> FindAssociatedProgram(const std::string& document) override;
    std::string WebBrowserCommand(const std::string& extension) override;
    bool RunProgram(const std::string& program, const std::string& parameters) override;

    // Script.
    bool OpenResult = true;
    std::optional<std::string> AssociatedProgram;       // answer of every lookup
    std::map<std::string, std::string> BrowserCommands; // extension -> command
    bool RunResult = true;

    // Record.
    std::vector<std::string> Opened;
    std::vector<std::string> AssociationLookups;
    std::vector<std::string> BrowserLookups;
    std::vector<std::pair<std::string, std::string>> Runs; // program, parameters
};

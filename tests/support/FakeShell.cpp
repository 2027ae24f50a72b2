#include "FakeShell.h"

bool TFakeShell::OpenWithShell(const std::string& documentOrAddress)
{
    Opened.push_back(documentOrAddress);
    return OpenResult;
}

std::optional<std::string> TFakeShell::FindAssociatedProgram(const std::string& document)
{
    AssociationLookups.push_back(document);
    return AssociatedProgram;
}

std::string TFakeShell::WebBrowserCommand(const std::string& extension)
{
    BrowserLookups.push_back(extension);
    auto found = BrowserCommands.find(extension);
    return found == BrowserCommands.end() ? std::string() : found->second;
}

bool TFakeShell::RunProgram(const std::string& program, const std::string& parameters)
{
    Runs.emplace_back(program, parameters);
    return RunResult;
}

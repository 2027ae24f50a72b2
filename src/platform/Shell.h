#pragma once
// The desktop shell: open documents with their associated program, find that program, the web browser.

#include <optional>
#include <string>

class TShell
{
public:
    virtual ~TShell() = default;
    // Opens a document or address with the desktop's program for it, without waiting. False on failure.
    virtual bool OpenWithShell(const std::string& documentOrAddress) = 0;
    // The program the desktop associates with the document, or nothing.
    virtual std::optional<std::string> FindAssociatedProgram(const std::string& document) = 0;
    // The command the desktop runs for a web page of the given extension (".htm", ".html"), or empty.
    virtual std::string WebBrowserCommand(const std::string& extension) = 0;
    // Runs a program with a parameter text, without waiting. False when it could not be started.
    virtual bool RunProgram(const std::string& program, const std::string& parameters) = 0;
};

#pragma once
// Line reading of the emulator's text files (listing and readme) as the old run-time read them.

#include <string>
#include <string_view>

// A line ends at CR; an LF right after it is skipped; a lone LF is part of the line; Ctrl-Z ends the text.
class TTextLineReader
{
public:
    explicit TTextLineReader(std::string_view bytes);
    // False once the text is exhausted; line views point into the bytes given to the constructor.
    bool Next(std::string_view& line);
    // What the lines not read yet hold, line ends included.
    std::string_view Rest() const { return m_rest; }

private:
    std::string_view m_rest;
};

// Without the characters of code 32 or below at both ends.
std::string_view TrimControls(std::string_view text);

// The whole file as bytes. Throws TFileError: "File not found" when it does not exist, and a message naming
// the path when it is no regular file, larger than 1 GiB or unreadable.
std::string ReadTextFileBytes(const std::string& path);

#pragma once
// Splitting a command text into program and argument words without a shell, and quoting a word for it.

#include <string>
#include <vector>

// Words are separated by blanks. Double quotes group blanks into a word; a backslash escapes a double
// quote (2n backslashes before a quote give n and the quote groups, 2n+1 give n and a literal quote);
// other backslashes are kept as they are. Nothing else is special: "$", "%", ";", "`" stay literal.
std::vector<std::string> SplitCommandText(const std::string& text);

// Words separated by blanks (space, tab, CR, LF), nothing else special: quotes and backslashes stay
// part of the words. The argument text of a launch is split this way.
std::vector<std::string> SplitAtBlanks(const std::string& text);

// The word written so that SplitCommandText gives it back unchanged.
std::string QuoteCommandWord(const std::string& word);

#include "platform/DesktopApps.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

#include "base/AsciiText.h"
#include "base/FileKinds.h"
#include "base/CommandText.h"

namespace {

std::string Env(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::stringstream stream(text);
    std::string part;
    while (std::getline(stream, part, separator)) {
        if (!part.empty())
            parts.push_back(part);
    }
    return parts;
}

std::string Trim(const std::string& text)
{
    size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

std::optional<std::string> ReadSmallFile(const std::string& path)
{
    if (!IsRegularFile(path))
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    // Configuration files are small; a huge one is not a desktop file.
    std::string text;
    text.resize(1 << 20);
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<size_t>(in.gcount()));
    return text;
}

// Calls visit(key, value) for every entry of the named group.
template <typename Visit> void ForEachKey(const std::string& text, const std::string& group, Visit visit)
{
    bool inGroup = false;
    for (const std::string& rawLine : Split(text, '\n')) {
        std::string line = Trim(rawLine);
        if (line.empty() || line[0] == '#')
            continue;
        if (line[0] == '[') {
            inGroup = line == "[" + group + "]";
            continue;
        }
        size_t equals = line.find('=');
        if (inGroup && equals != std::string::npos)
            visit(Trim(line.substr(0, equals)), Trim(line.substr(equals + 1)));
    }
}

// The string escapes of desktop file values.
std::string Unescape(const std::string& value)
{
    std::string text;
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            text += value[i];
            continue;
        }
        char next = value[++i];
        switch (next) {
        case 's':
            text += ' ';
            break;
        case 'n':
            text += '\n';
            break;
        case 't':
            text += '\t';
            break;
        case 'r':
            text += '\r';
            break;
        case '\\':
            text += '\\';
            break;
        default:
            // Left for the quoting rules of Exec.
            text += '\\';
            text += next;
            break;
        }
    }
    return text;
}

// Replaces field codes inside one word; returns false when the word is a code that is removed entirely.
bool ExpandFieldCodes(std::string& word)
{
    if (word == "%i" || word == "%c" || word == "%k")
        return false;
    std::string expanded;
    for (size_t i = 0; i < word.size(); ++i) {
        if (word[i] != '%' || i + 1 == word.size()) {
            expanded += word[i];
            continue;
        }
        char code = word[++i];
        if (code == '%')
            expanded += '%';
        else if (code == 'f' || code == 'F' || code == 'u' || code == 'U')
            expanded += "%1";
    }
    word = expanded;
    return !word.empty();
}

std::vector<std::string> ApplicationDirs(const TXdgDirs& dirs)
{
    std::vector<std::string> result{dirs.DataHome + "/applications"};
    for (const std::string& dir : dirs.DataDirs)
        result.push_back(dir + "/applications");
    return result;
}

// Where mimeapps.list files lie, the most important first.
std::vector<std::string> MimeAppsLists(const TXdgDirs& dirs)
{
    std::vector<std::string> lists;
    std::vector<std::string> configDirs{dirs.ConfigHome};
    configDirs.insert(configDirs.end(), dirs.ConfigDirs.begin(), dirs.ConfigDirs.end());
    for (const std::string& dir : configDirs) {
        for (const std::string& desktop : dirs.DesktopNames)
            lists.push_back(dir + "/" + desktop + "-mimeapps.list");
        lists.push_back(dir + "/mimeapps.list");
    }
    for (const std::string& dir : ApplicationDirs(dirs)) {
        for (const std::string& desktop : dirs.DesktopNames)
            lists.push_back(dir + "/" + desktop + "-mimeapps.list");
        lists.push_back(dir + "/mimeapps.list");
        lists.push_back(dir + "/defaults.list");
    }
    return lists;
}

std::optional<std::string> ExecOfId(const TXdgDirs& dirs, const std::string& id)
{
    if (id.find("..") != std::string::npos || id.find('/') != std::string::npos)
        return std::nullopt;
    for (const std::string& dir : ApplicationDirs(dirs)) {
        std::optional<std::string> text = ReadSmallFile(dir + "/" + id);
        if (!text) {
            // "vendor-app.desktop" may lie in "vendor/app.desktop".
            size_t dash = id.find('-');
            if (dash != std::string::npos)
                text = ReadSmallFile(dir + "/" + id.substr(0, dash) + "/" + id.substr(dash + 1));
        }
        if (text)
            return DesktopEntryExec(*text);
    }
    return std::nullopt;
}

} // namespace

TXdgDirs CurrentXdgDirs()
{
    TXdgDirs dirs;
    const std::string home = Env("HOME");
    dirs.ConfigHome = Env("XDG_CONFIG_HOME").empty() ? home + "/.config" : Env("XDG_CONFIG_HOME");
    dirs.DataHome = Env("XDG_DATA_HOME").empty() ? home + "/.local/share" : Env("XDG_DATA_HOME");
    dirs.ConfigDirs = Split(Env("XDG_CONFIG_DIRS").empty() ? "/etc/xdg" : Env("XDG_CONFIG_DIRS"), ':');
    dirs.DataDirs =
        Split(Env("XDG_DATA_DIRS").empty() ? "/usr/local/share:/usr/share" : Env("XDG_DATA_DIRS"), ':');
    for (const std::string& name : Split(Env("XDG_CURRENT_DESKTOP"), ':'))
        dirs.DesktopNames.push_back(LowerAscii(name));
    return dirs;
}

std::vector<std::string> DefaultApplicationIds(const std::string& listText, const std::string& mimeType)
{
    std::vector<std::string> ids;
    ForEachKey(listText, "Default Applications", [&](const std::string& key, const std::string& value) {
        if (key == mimeType) {
            for (const std::string& id : Split(value, ';'))
                ids.push_back(Trim(id));
        }
    });
    return ids;
}

std::optional<std::string> DesktopEntryExec(const std::string& desktopText)
{
    std::optional<std::string> exec;
    bool hidden = false;
    ForEachKey(desktopText, "Desktop Entry", [&](const std::string& key, const std::string& value) {
        if (key == "Exec" && !exec)
            exec = Unescape(value);
        else if (key == "Hidden" && value == "true")
            hidden = true;
    });
    if (hidden || !exec || exec->empty())
        return std::nullopt;
    return exec;
}

std::vector<std::string> ExecWords(const std::string& exec)
{
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    bool quoted = false;
    for (size_t i = 0; i < exec.size(); ++i) {
        char c = exec[i];
        if (!quoted && (c == ' ' || c == '\t')) {
            if (inWord && ExpandFieldCodes(word))
                words.push_back(word);
            word.clear();
            inWord = false;
            continue;
        }
        inWord = true;
        if (c == '"')
            quoted = !quoted;
        else if (c == '\\' && i + 1 < exec.size())
            word += exec[++i];
        else
            word += c;
    }
    if (inWord && ExpandFieldCodes(word))
        words.push_back(word);
    return words;
}

std::optional<std::string> DefaultApplicationExec(const TXdgDirs& dirs,
                                                  const std::vector<std::string>& mimeTypes)
{
    std::vector<std::string> lists = MimeAppsLists(dirs);
    std::vector<std::optional<std::string>> texts;
    for (const std::string& list : lists)
        texts.push_back(ReadSmallFile(list));
    for (const std::string& mimeType : mimeTypes) {
        for (const std::optional<std::string>& text : texts) {
            if (!text)
                continue;
            for (const std::string& id : DefaultApplicationIds(*text, mimeType)) {
                if (std::optional<std::string> exec = ExecOfId(dirs, id))
                    return exec;
            }
        }
    }
    return std::nullopt;
}

std::string ExecCommandText(const std::vector<std::string>& words,
                            const std::function<std::optional<std::string>(const std::string&)>& findProgram)
{
    if (words.empty())
        return {};
    std::string program = words.front();
    if (program.find('/') == std::string::npos && findProgram)
        program = findProgram(program).value_or(program);
    std::string text = QuoteCommandWord(program);
    bool hasDocument = false;
    for (size_t i = 1; i < words.size(); ++i) {
        hasDocument = hasDocument || words[i].find("%1") != std::string::npos;
        text += " " + (words[i] == "%1" ? words[i] : QuoteCommandWord(words[i]));
    }
    if (!hasDocument)
        text += " %1";
    return text;
}

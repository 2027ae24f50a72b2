#pragma once
// Runs the built tools and outside decoders as child processes and captures what they print.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

struct TCommandResult
{
    int ExitCode = -1;
    std::string Output; // standard output and standard error together
};

// Single quotes for sh: nothing inside them is interpreted.
inline std::string ShellQuote(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// Runs `command` (already quoted) with `folder` as working directory.
inline TCommandResult RunIn(const std::filesystem::path& folder, const std::string& command)
{
    const std::string line = "cd " + ShellQuote(folder.string()) + " && " + command + " 2>&1";
    TCommandResult result;
    FILE* pipe = popen(line.c_str(), "r");
    if (!pipe)
        return result;
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        result.Output.append(buffer, n);
    const int status = pclose(pipe);
    result.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

// The stand-in with these arguments and none of its variables inherited but `environment`
// ("NAME=value ..."); by default quick and without a settings file.
inline TCommandResult RunSim(const std::filesystem::path& folder, const std::vector<std::string>& arguments,
                             const std::string& environment = "KORB_SIM_INI=/nonexistent KORB_SIM_RUN_MS=0",
                             const std::string& program = KORB_SIM_PATH)
{
    std::string command = "env -u KORB_SIM_INI -u KORB_SIM_RUN_MS -u KORB_SIM_SHOTS -u KORB_SIM_FAIL "
                          "-u KORB_SIM_FAIL_GAMES -u KORB_SIM_FRAME_RATE " +
                          environment + " " + ShellQuote(program);
    for (const std::string& argument : arguments)
        command += " " + ShellQuote(argument);
    return RunIn(folder, command);
}

inline std::string ReadBytes(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

// Lines without their CR LF or LF.
inline std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// Words as the front-end splits the listing: every character up to a blank separates.
inline std::vector<std::string> SplitWords(const std::string& line)
{
    std::vector<std::string> words;
    std::string word;
    for (char c : line + " ") {
        if (static_cast<unsigned char>(c) <= 32) {
            if (!word.empty())
                words.push_back(word);
            word.clear();
        } else {
            word += c;
        }
    }
    return words;
}

// The names after the line holding "games:".
inline std::vector<std::string> ListedGames(const std::string& listing)
{
    std::vector<std::string> names;
    bool seenMarker = false;
    for (const std::string& line : SplitLines(listing)) {
        if (seenMarker) {
            for (const std::string& word : SplitWords(line))
                names.push_back(word);
        } else {
            seenMarker = line.find("games:") != std::string::npos;
        }
    }
    return names;
}

inline std::string LastLineWith(const std::string& output, const std::string& marker)
{
    std::string found;
    for (const std::string& line : SplitLines(output)) {
        if (line.find(marker) != std::string::npos)
            found = line;
    }
    return found;
}

#include "launch/EmuOutput.h"
#include "base/AsciiText.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "base/FileError.h"

namespace {

const std::string kFrameRateKey = "Average frame rate ";

bool EqualsNoCase(const std::string& a, const std::string& b)
{
    return SameTextAscii(a, b);
}

std::string TrimControls(const std::string& text)
{
    size_t first = 0;
    size_t last = text.size();
    while (first < last && static_cast<unsigned char>(text[first]) <= 32)
        ++first;
    while (last > first && static_cast<unsigned char>(text[last - 1]) <= 32)
        --last;
    return text.substr(first, last - first);
}

std::string LastWord(const std::string& line)
{
    std::string trimmed = TrimControls(line);
    size_t space = trimmed.rfind(' ');
    return space == std::string::npos ? trimmed : trimmed.substr(space + 1);
}

std::string FrameRate(const std::vector<std::string>& lines)
{
    for (const std::string& line : lines) {
        size_t equals = line.find('=');
        if (equals != std::string::npos && EqualsNoCase(line.substr(0, equals), kFrameRateKey))
            return line.substr(equals + 1);
    }
    return {};
}

std::string ReadWholeFile(const std::string& path)
{
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        throw TFileError("Cannot open file " + path);
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw TFileError("Cannot open file " + path);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        throw TFileError("Cannot open file " + path);
    return text;
}

TMessage FailureQuestion()
{
    return ErrorMessage("Errors found when running Korb\rDo you want to see Korb output?",
                        {TMsgButton::Yes, TMsgButton::No});
}

} // namespace

std::vector<std::string> SplitOutputLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::string line;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c != '\r' && c != '\n') {
            line += c;
            continue;
        }
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        lines.push_back(line);
        line.clear();
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

TEmuOutcome ReadEmuOutcome(const std::vector<std::string>& lines)
{
    TEmuOutcome outcome;
    for (const std::string& line : lines) {
        if (line.find("cannot") != std::string::npos) {
            outcome.Failed = true;
            return outcome;
        }
        if (line.find("Resolution") != std::string::npos)
            outcome.Resolution = LastWord(line);
    }
    outcome.FrameRate = FrameRate(lines);
    return outcome;
}

std::string EmuSummary(const std::string& gameName, const TEmuOutcome& outcome)
{
    return gameName + ":" + outcome.FrameRate + " @ " + outcome.Resolution;
}

void CheckEmuOutputFile(TLaunchContext& context, const std::string& outputPath)
{
    const TEmuOutcome outcome = ReadEmuOutcome(SplitOutputLines(ReadWholeFile(outputPath)));
    if (outcome.Failed) {
        if (context.Dialogs.ShowMessage(FailureQuestion()) == TMsgButton::Yes)
            context.Shell.OpenWithShell(outputPath);
        return;
    }
    if (context.SetStatusText)
        context.SetStatusText(EmuSummary(context.Game.GameName, outcome));
}

void CheckEmuOutput(TLaunchContext& context)
{
    CheckEmuOutputFile(context, context.Paths.OutputPath);
}

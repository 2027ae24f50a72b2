#pragma once
// Reading what the emulator wrote during a run: whether it failed, its frame rate and its resolution.

#include <cstddef>
#include <string>
#include <vector>

#include "launch/LaunchGame.h"

struct TEmuOutcome
{
    bool Failed = false;    // a line holds "cannot"
    std::string FrameRate;  // after the "=" of the "Average frame rate " line, as found
    std::string Resolution; // last word of the last "Resolution" line before any failure
};

// Lines end at CR LF, a lone CR or a lone LF.
std::vector<std::string> SplitOutputLines(const std::string& text);
TEmuOutcome ReadEmuOutcome(const std::vector<std::string>& lines);
// "<game name>:<frame rate> @ <resolution>"
std::string EmuSummary(const std::string& gameName, const TEmuOutcome& outcome);

// The output file is read in pieces of this size; memory does not grow with the file or its lines.
inline constexpr size_t kEmuOutputReadSize = 64 * 1024;
// Throws TFileError "Cannot open file <path>", also for anything but a regular file.
TEmuOutcome ReadEmuOutcomeFile(const std::string& path);

// CheckEmuOutput on the output file at outputPath. Throws TFileError "Cannot open file <path>".
void CheckEmuOutputFile(TLaunchContext& context, const std::string& outputPath);

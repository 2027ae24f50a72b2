#pragma once
// The screenshot converter: reads the argument text the front-end passes to its converter
// ("-v. -out png -D Titles/*.*") and turns every matching picture into a PNG file beside it.

#include <cstdio>
#include <string>
#include <unordered_set>
#include <vector>

struct TConvertOptions
{
    bool Verbose = false;      // -v, -v.: one line per file on standard output
    bool DeleteSource = false; // -D: remove the source once its PNG is safely in place
    std::string OutFormat;     // -out <format>; only "png" is written
    std::vector<std::string> Patterns;
    std::vector<std::string> Ignored; // options not understood, reported and otherwise ignored
    std::string Error;                // why the command line cannot be used
};

TConvertOptions ParseConvertOptions(const std::vector<std::string>& arguments);

// Wildcards "*" and "?" without regard to ASCII case; a pattern ending in ".*" also matches names
// without a dot, as "*.*" matches every name.
bool MatchesPattern(const std::string& pattern, const std::string& name);

// The plain files that match "<folder>/<pattern>" (or "<pattern>" in the working directory), ascending
// without regard to case. A folder that cannot be listed gives an error text.
std::vector<std::string> ExpandPattern(const std::string& pattern, std::string& error);

enum class TConvertOutcome {
    Converted,   // the PNG is in place beside the source
    AlreadyPng,  // the source is a PNG: nothing to do
    NotAPicture, // an extension no decoder knows: left alone
    Failed,      // left alone: cannot be decoded, <name>.png exists, or the PNG could not be written
};

// Converts one file; says what went wrong on log. The source stays.
TConvertOutcome ConvertOneFile(const std::string& path, std::FILE* log);
// The same with the lower-case names of the source's folder, listed once for many files; a PNG written
// is added to them.
TConvertOutcome ConvertOneFile(const std::string& path, std::unordered_set<std::string>& takenNames,
                               std::FILE* log);
// Deletes the sources of converted files, all from one folder, once the file system holding them has
// written everything to disk; when that cannot be made sure, none is deleted. False when one stayed.
bool DeleteSources(const std::vector<std::string>& sources, std::FILE* log);

// The whole program: exit status 0 when every file converted, 1 when one failed, 2 for a bad command line.
int RunConverter(const std::vector<std::string>& arguments, std::FILE* out, std::FILE* err);

#include "ConvertTool.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>
#include <thread>
#include <unordered_map>
#include <unordered_set>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/AsciiText.h"
#include "images/PictureFormats.h"
#include "images/PngEncode.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kTempMarker = ".vkconvert-";

bool WildMatch(const char* pattern, const char* name)
{
    // Iterative with one back-track point: linear for any number of stars, no recursion.
    const char* starPattern = nullptr;
    const char* starName = nullptr;
    while (*name) {
        if (*pattern == '*') {
            starPattern = ++pattern;
            starName = name;
        } else if (*pattern == '?' || LowerAscii(*pattern) == LowerAscii(*name)) {
            ++pattern;
            ++name;
        } else if (starPattern) {
            pattern = starPattern;
            name = ++starName;
        } else {
            return false;
        }
    }
    while (*pattern == '*')
        ++pattern;
    return *pattern == '\0';
}

std::string ExtensionOf(const std::string& name)
{
    const size_t dot = name.rfind('.');
    const size_t slash = name.rfind('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {};
    return name.substr(dot);
}

bool ReadWholeFile(const std::string& path, std::string& bytes)
{
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    // Room for the whole file and one byte more, so that one read brings it and the next sees its end.
    struct stat status = {};
    bytes.clear();
    bytes.reserve(fstat(fd, &status) == 0 && status.st_size > 0 ? static_cast<size_t>(status.st_size) + 1
                                                                : 65536);
    for (;;) {
        if (bytes.size() == bytes.capacity())
            bytes.reserve(bytes.capacity() * 2);
        const size_t before = bytes.size();
        bytes.resize(bytes.capacity());
        const ssize_t got = read(fd, bytes.data() + before, bytes.size() - before);
        bytes.resize(before + static_cast<size_t>(got > 0 ? got : 0));
        if (got > 0 || (got < 0 && errno == EINTR))
            continue;
        const int saved = errno;
        close(fd);
        errno = saved;
        return got == 0;
    }
}

mode_t CreationMask()
{
    static const mode_t mask = [] {
        const mode_t value = umask(0);
        umask(value);
        return value;
    }();
    return mask;
}

std::string SystemError()
{
    return std::strerror(errno);
}

// Lower-case names of the folder's entries: <name>.png is taken in any letter case.
std::unordered_set<std::string> LowerNamesIn(const std::string& folder)
{
    std::unordered_set<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder.empty() ? fs::path(".") : fs::path(folder), ec), end;
         !ec && it != end; it.increment(ec))
        names.insert(LowerAscii(it->path().filename().string()));
    return names;
}

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool WriteAll(int fd, const std::string& bytes)
{
    for (size_t done = 0; done < bytes.size();) {
        const ssize_t written = write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        done += static_cast<size_t>(written);
    }
    return true;
}

// Writes the PNG into a file of the folder that has no name yet, and one hard link names it: a link never
// replaces an existing name, and a killed run leaves nothing behind. Nothing where the file system has no
// such files or /proc is missing: then a named temporary does it.
std::optional<bool> PlaceUnnamed(const std::string& png, const fs::path& folder, const std::string& pngPath,
                                 std::string& error)
{
#ifdef O_TMPFILE
    const int fd = open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd < 0)
        return std::nullopt;
    if (!WriteAll(fd, png)) {
        error = "cannot write " + pngPath + ": " + SystemError();
        close(fd);
        return false;
    }
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    if (linkat(AT_FDCWD, self.c_str(), AT_FDCWD, pngPath.c_str(), AT_SYMLINK_FOLLOW) != 0) {
        const int linkError = errno;
        close(fd);
        if (linkError != EEXIST)
            return std::nullopt;
        error = pngPath + " already exists";
        return false;
    }
    if (close(fd) != 0) {
        error = "cannot write " + pngPath + ": " + SystemError();
        unlink(pngPath.c_str());
        return false;
    }
    return true;
#endif
    return std::nullopt;
}

// Encodes the picture and, with verify, proves in memory that the PNG decodes back to the same pixels. Then
// places it at the target's name, which must still be free: through an unnamed file where the system has
// them, else through a hidden temporary file beside the target.
bool PlacePng(const QImage& picture, const std::string& pngPath, bool verify, std::string& error)
{
    std::string png;
    if (!EncodePng(picture, png, error))
        return false;
    if (verify && !PngHoldsPixels(png, picture)) {
        error = "the PNG does not read back to the same pixels";
        return false;
    }
    const fs::path target(pngPath);
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    if (const std::optional<bool> placed = PlaceUnnamed(png, folder, pngPath, error))
        return *placed;
    std::string temp = (folder / (kTempMarker + std::string("XXXXXX"))).string();
    const int fd = mkstemp(temp.data());
    if (fd < 0) {
        error = "cannot create a file in " + folder.string() + ": " + SystemError();
        return false;
    }
    // A temporary file is private; the picture gets the permissions of any new file. The mask is read
    // once, before any worker starts: umask() cannot be read without setting it.
    fchmod(fd, 0666 & ~CreationMask());
    // Not synced one by one: the sources go only after one sync of the whole folder (DeleteSources).
    bool ok = WriteAll(fd, png);
    if (!ok)
        error = "cannot write " + temp + ": " + SystemError();
    if (close(fd) != 0 && ok) {
        error = "cannot write " + temp + ": " + SystemError();
        ok = false;
    }
    // A hard link never replaces an existing name; where the file system has none, check, then rename.
    if (ok && link(temp.c_str(), pngPath.c_str()) != 0) {
        std::error_code ec;
        const bool exists = errno == EEXIST || fs::exists(fs::symlink_status(pngPath, ec));
        if (exists || std::rename(temp.c_str(), pngPath.c_str()) != 0) {
            error = exists ? pngPath + " already exists" : "cannot name " + pngPath + ": " + SystemError();
            ok = false;
        } else {
            return true;
        }
    }
    unlink(temp.c_str());
    return ok;
}

std::string PngPathFor(const std::string& path, const std::string& extension)
{
    return path.substr(0, path.size() - extension.size()) + ".png";
}

// Decodes the source and places its PNG; the message of a failure goes to message.
TConvertOutcome ConvertToPng(const std::string& path, const std::string& extension, bool verify,
                             std::string& message)
{
    const std::string pngPath = PngPathFor(path, extension);
    std::string bytes;
    if (!ReadWholeFile(path, bytes)) {
        message = path + ": cannot read: " + SystemError() + "\n";
        return TConvertOutcome::Failed;
    }
    const TPictureResult picture = DecodePicture(extension, bytes);
    if (!picture.Ok()) {
        message = path + ": cannot decode: " + (picture.Error.empty() ? "no picture" : picture.Error) + "\n";
        return TConvertOutcome::Failed;
    }
    std::string error;
    if (!PlacePng(picture.Image, pngPath, verify, error)) {
        message = path + ": not converted: " + error + "\n";
        return TConvertOutcome::Failed;
    }
    return TConvertOutcome::Converted;
}

// What the name alone decides: a PNG, a file no decoder knows, or a PNG name already taken.
bool DecidedByName(const std::string& path, const std::unordered_set<std::string>& takenNames,
                   TConvertOutcome& outcome, std::string& message, std::string& lowerPngName)
{
    const std::string extension = ExtensionOf(path);
    if (SameTextAscii(extension, ".png")) {
        outcome = TConvertOutcome::AlreadyPng;
        return true;
    }
    if (extension.empty() || FindPictureFormat(extension) == nullptr) {
        message = path + ": not a picture, left alone\n";
        outcome = TConvertOutcome::NotAPicture;
        return true;
    }
    const std::string pngPath = PngPathFor(path, extension);
    lowerPngName = LowerAscii(fs::path(pngPath).filename().string());
    if (takenNames.count(lowerPngName) != 0) {
        message = path + ": " + pngPath + " already exists, left alone\n";
        outcome = TConvertOutcome::Failed;
        return true;
    }
    return false;
}

struct TFileWork
{
    std::string Path;
    std::string LowerPngName;
    std::string Message;
    TConvertOutcome Outcome = TConvertOutcome::Failed;
    bool Decided = false;
};

// Converts the files of one folder on every core. Files that would make the same PNG name go to one worker,
// in their order, so the first that converts takes the name as it would one file at a time.
void ConvertInParallel(std::vector<TFileWork>& work, const std::unordered_set<std::string>& takenNames,
                       bool verify)
{
    std::unordered_map<std::string, size_t> groupOf;
    std::vector<std::vector<size_t>> groups;
    for (size_t i = 0; i < work.size(); ++i) {
        TFileWork& file = work[i];
        file.Decided = DecidedByName(file.Path, takenNames, file.Outcome, file.Message, file.LowerPngName);
        if (file.Decided)
            continue;
        const auto [it, added] = groupOf.emplace(file.LowerPngName, groups.size());
        if (added)
            groups.emplace_back();
        groups[it->second].push_back(i);
    }
    std::atomic<size_t> next{0};
    auto worker = [&]() {
        for (size_t g = next++; g < groups.size(); g = next++) {
            bool taken = false;
            for (const size_t i : groups[g]) {
                TFileWork& file = work[i];
                if (taken) {
                    file.Message = file.Path + ": " + PngPathFor(file.Path, ExtensionOf(file.Path)) +
                                   " already exists, left alone\n";
                    continue;
                }
                file.Outcome = ConvertToPng(file.Path, ExtensionOf(file.Path), verify, file.Message);
                taken = file.Outcome == TConvertOutcome::Converted;
            }
        }
    };
    const size_t threads = std::min<size_t>(std::max(1u, std::thread::hardware_concurrency()), groups.size());
    std::vector<std::thread> helpers;
    for (size_t t = 1; t < threads; ++t)
        helpers.emplace_back(worker);
    worker();
    for (std::thread& helper : helpers)
        helper.join();
}

// The names mkstemp gives: the marker and six letters or digits.
bool IsOurTemporary(const std::string& name)
{
    const size_t marker = std::strlen(kTempMarker);
    return name.size() == marker + 6 && name.rfind(kTempMarker, 0) == 0 &&
           std::all_of(name.begin() + marker, name.end(),
                       [](unsigned char c) { return std::isalnum(c) != 0; });
}

// A run that was killed leaves its temporaries behind; they are never anyone's pictures.
void RemoveLeftoverTemporaries(const std::string& folder)
{
    std::error_code ec;
    fs::directory_iterator it(folder.empty() ? fs::path(".") : fs::path(folder), ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        std::error_code typeError;
        if (IsOurTemporary(it->path().filename().string()) && it->is_regular_file(typeError) &&
            !it->is_symlink(typeError)) {
            std::error_code removeError;
            fs::remove(it->path(), removeError);
        }
    }
}

} // namespace

TConvertOptions ParseConvertOptions(const std::vector<std::string>& arguments)
{
    TConvertOptions options;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "-v" || argument == "-v.") {
            options.Verbose = true;
        } else if (argument == "-D") {
            options.DeleteSource = true;
        } else if (argument == "-out") {
            if (i + 1 >= arguments.size()) {
                options.Error = "-out needs a format";
                return options;
            }
            options.OutFormat = LowerAscii(arguments[++i]);
        } else if (argument.size() > 1 && argument[0] == '-') {
            options.Ignored.push_back(argument);
        } else if (!argument.empty()) {
            options.Patterns.push_back(argument);
        }
    }
    if (options.OutFormat != "png")
        options.Error = options.OutFormat.empty()
                            ? "no output format given (-out png)"
                            : "cannot write the format " + options.OutFormat + ", only png";
    else if (options.Patterns.empty())
        options.Error = "no files given";
    return options;
}

bool MatchesPattern(const std::string& pattern, const std::string& name)
{
    if (WildMatch(pattern.c_str(), name.c_str()))
        return true;
    const bool anyExtension = pattern.size() >= 2 && pattern.compare(pattern.size() - 2, 2, ".*") == 0;
    return anyExtension && name.find('.') == std::string::npos &&
           WildMatch(pattern.substr(0, pattern.size() - 2).c_str(), name.c_str());
}

std::vector<std::string> ExpandPattern(const std::string& pattern, std::string& error)
{
    const size_t slash = pattern.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : pattern.substr(0, slash + 1);
    const std::string namePattern = slash == std::string::npos ? pattern : pattern.substr(slash + 1);
    std::vector<std::string> names;
    std::error_code ec;
    fs::directory_iterator it(folder.empty() ? fs::path(".") : fs::path(folder), ec);
    if (ec) {
        error = "cannot list " + (folder.empty() ? std::string(".") : folder) + ": " + ec.message();
        return {};
    }
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const std::string name = it->path().filename().string();
        std::error_code typeError;
        if (name.rfind(kTempMarker, 0) == 0 || !it->is_regular_file(typeError))
            continue;
        if (MatchesPattern(namePattern, name))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const std::string x = LowerAscii(a), y = LowerAscii(b);
        return x != y ? x < y : a < b;
    });
    for (std::string& name : names)
        name = folder + name;
    return names;
}

TConvertOutcome ConvertOneFile(const std::string& path, std::FILE* log)
{
    std::unordered_set<std::string> takenNames = LowerNamesIn(FolderOf(path));
    return ConvertOneFile(path, takenNames, log);
}

TConvertOutcome ConvertOneFile(const std::string& path, std::unordered_set<std::string>& takenNames,
                               std::FILE* log)
{
    TConvertOutcome outcome = TConvertOutcome::Failed;
    std::string message, lowerPngName;
    if (!DecidedByName(path, takenNames, outcome, message, lowerPngName)) {
        outcome = ConvertToPng(path, ExtensionOf(path), true, message);
        if (outcome == TConvertOutcome::Converted)
            takenNames.insert(lowerPngName);
    }
    std::fputs(message.c_str(), log);
    return outcome;
}

bool DeleteSources(const std::vector<std::string>& sources, std::FILE* log)
{
    if (sources.empty())
        return true;
    // The PNG files must be on the disk before their sources leave it.
    const fs::path first(sources.front());
    const std::string folder = first.has_parent_path() ? first.parent_path().string() : ".";
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    const bool synced = fd >= 0 && syncfs(fd) == 0;
    if (fd >= 0)
        close(fd);
    if (!synced) {
        std::fprintf(log, "%s: cannot make sure the PNG files are written, sources kept: %s\n",
                     folder.c_str(), SystemError().c_str());
        return false;
    }
    bool ok = true;
    for (const std::string& source : sources) {
        if (std::remove(source.c_str()) != 0) {
            std::fprintf(log, "%s: converted, but cannot delete it: %s\n", source.c_str(),
                         SystemError().c_str());
            ok = false;
        }
    }
    return ok;
}

int RunConverter(const std::vector<std::string>& arguments, std::FILE* out, std::FILE* err)
{
    const TConvertOptions options = ParseConvertOptions(arguments);
    for (const std::string& ignored : options.Ignored)
        std::fprintf(err, "vantorkorb-convert: ignoring the option %s\n", ignored.c_str());
    if (!options.Error.empty()) {
        std::fprintf(err, "vantorkorb-convert: %s\nusage: vantorkorb-convert [-v] -out png [-D] FILES...\n",
                     options.Error.c_str());
        return 2;
    }
    RegisterPictureFormats();
    CreationMask();
    bool failed = false;
    for (const std::string& pattern : options.Patterns) {
        std::string error;
        RemoveLeftoverTemporaries(FolderOf(pattern));
        const std::vector<std::string> files = ExpandPattern(pattern, error);
        if (!error.empty()) {
            std::fprintf(err, "vantorkorb-convert: %s\n", error.c_str());
            failed = true;
        }
        std::vector<TFileWork> work(files.size());
        for (size_t i = 0; i < files.size(); ++i)
            work[i].Path = files[i];
        // Only a source that is to go needs its PNG proven first; without -D it stays whatever happens.
        ConvertInParallel(work, LowerNamesIn(FolderOf(pattern)), options.DeleteSource);
        std::vector<std::string> converted;
        for (const TFileWork& file : work) {
            std::fputs(file.Message.c_str(), err);
            failed = failed || file.Outcome == TConvertOutcome::Failed;
            if (file.Outcome != TConvertOutcome::Converted)
                continue;
            converted.push_back(file.Path);
            if (options.Verbose)
                std::fprintf(out, "%s -> png\n", file.Path.c_str());
        }
        if (options.DeleteSource && !DeleteSources(converted, err))
            failed = true;
    }
    return failed ? 1 : 0;
}

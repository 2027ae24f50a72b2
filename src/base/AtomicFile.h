#pragma once
// Files replaced whole or not at all, and their temporaries.

#include <cstdio>
#include <string>

#include "base/FileKinds.h"

// Writes to a temporary of a fresh name in the final file's folder, syncs it and renames it over the
// final name, so a crash or a failed write leaves the old file whole. A final name that is a symbolic
// link is followed only when the link stays in its folder; one that leads out of it is left alone.
class TAtomicFile
{
public:
    // Throws TFileError naming the file when it is a link leading out of its folder; otherwise Stream()
    // is empty when no temporary could be made.
    explicit TAtomicFile(const std::string& path);
    ~TAtomicFile();
    TAtomicFile(const TAtomicFile&) = delete;
    TAtomicFile& operator=(const TAtomicFile&) = delete;

    std::FILE* Stream() const { return m_stream; }
    // Flushes, syncs and puts the file in place; false (and the old file as it was) on any failure.
    // Without replace it fails when something is at the final name by then. Without syncFolder the
    // caller syncs the folder itself, later (SyncFolder).
    bool Commit(bool replace = true, bool syncFolder = true);

private:
    std::string m_target;
    std::string m_tempPath;
    std::FILE* m_stream = nullptr;
};

// The bytes as the whole new content of path; throws TFileError(failure) when that fails.
void WriteFileAtomically(const std::string& path, const std::string& bytes, const std::string& failure);

// Whether path is a regular file, not a link, that holds exactly bytes: rewriting it would change
// nothing but make the disk wait for it.
bool FileHoldsExactly(const std::string& path, const std::string& bytes);

// Copies from (read through links) to a file put in place whole; false when anything failed, and then
// to is as it was.
bool CopyFileAtomically(const std::string& from, const std::string& to, bool replace, bool syncFolder = true);
// Syncs the folder of path so that renames and deletions in it survive a crash.
void SyncFolderOf(const std::string& path);

// The name of a temporary for finalName: stem, ".tmp" and six digits.
std::string TemporaryNameFor(const std::string& finalName, unsigned number);
// True for a name TemporaryNameFor makes: some stem, the mark and one to six digits (earlier versions
// left out leading zeros).
bool IsTemporaryName(const std::string& name);
// The part of the final name a temporary keeps.
std::string TemporaryStem(const std::string& finalName);
inline constexpr const char* kTemporaryMark = ".tmp";

// UpdateFile writes to "<name>.tmpNNNNNN" beside the file, the name cut so the whole fits a file name.
// A process killed during the write leaves that file behind: this removes, in folder, every regular file
// that is such a temporary of finalName, or of any name when finalName is empty.
void RemoveLeftoverTemporaries(const std::string& folder, const std::string& finalName = std::string());
// Whether name is a temporary that UpdateFile makes for finalName (for any name when finalName is empty).
bool IsLeftoverTemporaryName(const std::string& name, const std::string& finalName = std::string());

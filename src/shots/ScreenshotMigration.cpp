#include "shots/ScreenshotMigration.h"
#include "base/AsciiText.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string_view>
#include <unordered_set>

#include <sys/stat.h>
#include <unistd.h>

#include "base/AtomicFile.h"
#include "base/PlainFileName.h"
#include "shots/ScreenshotFiles.h"

namespace fs = std::filesystem;

namespace {

constexpr size_t kPrefixLength = 6;

bool StartsWithNoCase(std::string_view text, std::string_view lowerPrefix)
{
    if (text.size() < lowerPrefix.size())
        return false;
    for (size_t i = 0; i < lowerPrefix.size(); ++i) {
        if (LowerAscii(text[i]) != lowerPrefix[i])
            return false;
    }
    return true;
}

bool LessNoCase(const std::string& a, const std::string& b)
{
    const std::string x = LowerAscii(a), y = LowerAscii(b);
    return x != y ? x < y : a < b;
}

// The plain files of the old folder, ascending without regard to case.
std::vector<std::string> ListOldFiles(const std::string& dir)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(fs::path(dir), ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (it->is_regular_file(typeError))
            names.push_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end(), LessNoCase);
    return names;
}

// Lower-case names of everything in a folder: a target is taken whatever the letter case of the holder.
std::unordered_set<std::string> TakenNames(const std::string& dir)
{
    std::unordered_set<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(fs::path(dir), ec), end; !ec && it != end; it.increment(ec))
        names.insert(LowerAscii(it->path().filename().string()));
    return names;
}

// The copy reaches the new name whole, synced, or not at all; then the old file goes. When the old file
// cannot be deleted the copy goes again, so a later pass does not make a second copy of it. A link is
// moved as a link when it can be: its target is never touched.
bool MoveShot(const std::string& from, const std::string& to)
{
    struct stat info;
    if (::lstat(from.c_str(), &info) != 0)
        return false;
    if (S_ISLNK(info.st_mode)) {
        std::error_code ec;
        if (!fs::exists(fs::symlink_status(fs::path(to), ec)) && std::rename(from.c_str(), to.c_str()) == 0)
            return true;
    }
    // The copy is synced before it gets its name; the folders follow once the old file is gone, so a kill
    // finds no moment with both names there.
    if (!CopyFileAtomically(from, to, false, false))
        return false;
    // Write permission on the file itself matters only where deleting needs it; never through a link.
    if (S_ISREG(info.st_mode))
        ::chmod(from.c_str(), (info.st_mode & 07777) | S_IWUSR);
    if (::unlink(from.c_str()) == 0) {
        SyncFolderOf(to);
        SyncFolderOf(from);
        return true;
    }
    ::unlink(to.c_str());
    return false;
}

// What a run ended by force left: temporaries of pictures in the new folders.
void RemoveLeftoverCopies(const std::string& dir)
{
    for (const std::string& name : ListOldFiles(dir)) {
        if (IsTemporaryName(name) &&
            HasImageExtension(LowerAscii(name.substr(0, name.rfind(kTemporaryMark)))))
            ::unlink((dir + name).c_str());
    }
}

// The extension from the last dot on, the dot included; empty without a dot.
std::string ExtensionOf(const std::string& name)
{
    const size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

bool NumberTaken(const std::unordered_set<std::string>& taken, const std::string& lowerBase,
                 const std::string& lowerExtension)
{
    if (taken.count(lowerBase + lowerExtension) != 0)
        return true;
    return std::any_of(std::begin(kImageExtensions), std::end(kImageExtensions),
                       [&](const char* ext) { return taken.count(lowerBase + ext) != 0; });
}

class TMigration
{
public:
    TMigration(const TMigrationDirs& dirs)
        : m_dirs(dirs), m_old(ListOldFiles(dirs.OldDir)), m_done(m_old.size(), false),
          m_titles(TakenNames(dirs.TitlesDir)), m_gameplay(TakenNames(dirs.GameplayDir))
    {
    }

    void MoveGame(const std::string& zip)
    {
        const std::string lowerZip = LowerAscii(zip);
        const std::string pattern = lowerZip.substr(0, kPrefixLength) + "0";
        auto it = std::lower_bound(
            m_old.begin(), m_old.end(), pattern,
            [](const std::string& name, const std::string& key) { return LowerAscii(name) < key; });
        int n = 1;
        for (; it != m_old.end() && StartsWithNoCase(*it, pattern); ++it) {
            const size_t index = static_cast<size_t>(it - m_old.begin());
            if (m_done[index])
                continue;
            m_done[index] = true;
            const std::string lowerExtension = LowerAscii(ExtensionOf(*it));
            if (it->find("01.") != std::string::npos)
                MoveTitle(*it, lowerZip + lowerExtension);
            else
                n = MoveGameplay(*it, lowerZip, lowerExtension, n) + 1;
        }
    }

    TMigrationResult Finish()
    {
        for (size_t i = 0; i < m_old.size(); ++i) {
            if (!m_done[i])
                m_result.Kept.push_back(m_old[i]);
        }
        std::error_code ec;
        if (fs::is_directory(fs::path(m_dirs.OldDir), ec) && fs::is_empty(fs::path(m_dirs.OldDir), ec) && !ec)
            fs::remove(fs::path(m_dirs.OldDir), ec);
        return std::move(m_result);
    }

private:
    void MoveTitle(const std::string& name, const std::string& lowerTarget)
    {
        if (m_titles.count(lowerTarget) != 0) {
            m_result.Kept.push_back(name);
            return;
        }
        Move(name, m_dirs.TitlesDir + lowerTarget, m_titles, lowerTarget);
    }

    // Returns the number it used.
    int MoveGameplay(const std::string& name, const std::string& lowerZip, const std::string& lowerExtension,
                     int n)
    {
        while (NumberTaken(m_gameplay, lowerZip + "." + GameplayNumberText(n), lowerExtension))
            ++n;
        const std::string lowerTarget = lowerZip + "." + GameplayNumberText(n) + lowerExtension;
        Move(name, m_dirs.GameplayDir + lowerTarget, m_gameplay, lowerTarget);
        return n;
    }

    void Move(const std::string& name, const std::string& target, std::unordered_set<std::string>& taken,
              const std::string& lowerTarget)
    {
        if (MoveShot(m_dirs.OldDir + name, target)) {
            taken.insert(lowerTarget);
            m_result.Moved.emplace_back(name, target);
        } else {
            m_result.Kept.push_back(name);
        }
    }

    const TMigrationDirs& m_dirs;
    std::vector<std::string> m_old;
    std::vector<bool> m_done;
    std::unordered_set<std::string> m_titles;
    std::unordered_set<std::string> m_gameplay;
    TMigrationResult m_result;
};

} // namespace

TMigrationResult MoveOldScreenshots(const TMigrationDirs& dirs, const std::vector<std::string>& zipNames)
{
    RemoveLeftoverCopies(dirs.TitlesDir);
    RemoveLeftoverCopies(dirs.GameplayDir);
    TMigration migration(dirs);
    for (const std::string& zip : zipNames) {
        if (IsPlainFileName(zip))
            migration.MoveGame(zip);
    }
    return migration.Finish();
}

std::string MigrationDoneText(const TMigrationResult& result, const std::string& oldDir)
{
    if (result.Kept.empty())
        return kMigrationDone;
    // "Moved" must not be read as "all moved" when some stayed behind. Appended, not added: gcc 12 warns
    // falsely about a chain of + that starts with a literal.
    std::string text = kMigrationDone;
    text += "\r" + std::to_string(result.Moved.size()) + " moved, " + std::to_string(result.Kept.size()) +
            " left in " + oldDir + ": files of no game, a name already taken, or a copy that failed.";
    return text;
}

void MigrateOldScreenshots(TDialogs& dialogs, const TMigrationDirs& dirs,
                           const std::vector<std::string>& zipNames)
{
    dialogs.Beep();
    TMessage question;
    question.Caption = "Confirm";
    question.Text = kMigrationQuestion;
    question.Icon = TMsgIcon::Question;
    question.Buttons = {TMsgButton::Yes, TMsgButton::No};
    if (dialogs.ShowMessage(question) != TMsgButton::Yes)
        return;
    const TMigrationResult result = MoveOldScreenshots(dirs, zipNames);
    TMessage done;
    done.Caption = "Information";
    done.Text = MigrationDoneText(result, dirs.OldDir);
    done.Icon = TMsgIcon::Information;
    done.Buttons = {TMsgButton::Ok};
    dialogs.ShowMessage(done);
}

#include "launch/EmuOutput.h"
#include "base/AsciiText.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

#include "base/FileError.h"

namespace {

constexpr std::string_view kFrameRateKey = "Average frame rate ";

// Where a marker ends in a stream of bytes, without keeping the bytes (Knuth-Morris-Pratt).
class TMarkerMatch
{
public:
    explicit TMarkerMatch(std::string_view marker) : m_marker(marker), m_fallback(marker.size(), 0)
    {
        for (size_t i = 1, k = 0; i < marker.size(); ++i) {
            while (k > 0 && marker[i] != marker[k])
                k = m_fallback[k - 1];
            if (marker[i] == marker[k])
                ++k;
            m_fallback[i] = k;
        }
    }
    bool Feed(char c)
    {
        while (m_matched > 0 && c != m_marker[m_matched])
            m_matched = m_fallback[m_matched - 1];
        if (c == m_marker[m_matched])
            ++m_matched;
        if (m_matched < m_marker.size())
            return false;
        m_matched = m_fallback[m_matched - 1];
        return true;
    }
    void Reset() { m_matched = 0; }

private:
    std::string_view m_marker;
    std::vector<size_t> m_fallback;
    size_t m_matched = 0;
};

struct TByteRange
{
    uint64_t Start = 0;
    uint64_t Size = 0;
};

// One pass over the output that keeps only where the answers lie: memory stays the same however long
// the output or its lines are.
class TOutputScan
{
public:
    // False once a failure line is found: nothing after it counts.
    bool Feed(const char* data, size_t size)
    {
        for (size_t i = 0; i < size; ++i, ++m_pos) {
            const char c = data[i];
            const bool lineFeedOfPair = c == '\n' && m_afterCarriageReturn;
            m_afterCarriageReturn = c == '\r';
            if (lineFeedOfPair)
                continue;
            if (c == '\r' || c == '\n') {
                EndLine();
                continue;
            }
            if (m_cannot.Feed(c)) {
                Failed = true;
                return false;
            }
            LineByte(c);
        }
        return true;
    }
    void Finish()
    {
        if (!Failed)
            EndLine();
    }

    bool Failed = false;
    bool FrameRateFound = false;
    TByteRange FrameRate;
    TByteRange Resolution;

private:
    void LineByte(char c)
    {
        if (m_resolution.Feed(c))
            m_hasResolution = true;
        if (static_cast<unsigned char>(c) > 32) {
            if (m_firstShown < 0)
                m_firstShown = static_cast<int64_t>(m_pos);
            m_lastShown = static_cast<int64_t>(m_pos);
            m_spaceBeforeLastShown = m_lastSpace;
        }
        if (c == ' ')
            m_lastSpace = static_cast<int64_t>(m_pos);
        if (m_keyDone)
            return;
        if (c == '=') {
            m_keyDone = true;
            m_frameRateLine = !FrameRateFound && m_keyLength == kFrameRateKey.size();
            m_frameRateStart = m_pos + 1;
        } else if (m_keyLength >= kFrameRateKey.size() ||
                   LowerAscii(c) != LowerAscii(kFrameRateKey[m_keyLength])) {
            m_keyDone = true;
        } else {
            ++m_keyLength;
        }
    }
    void EndLine()
    {
        if (m_hasResolution) {
            Resolution = {};
            if (m_lastShown >= 0) {
                const int64_t start = std::max(m_firstShown, m_spaceBeforeLastShown + 1);
                Resolution = {static_cast<uint64_t>(start), static_cast<uint64_t>(m_lastShown - start + 1)};
            }
        }
        if (m_frameRateLine) {
            FrameRateFound = true;
            FrameRate = {m_frameRateStart, m_pos - m_frameRateStart};
        }
        m_cannot.Reset();
        m_resolution.Reset();
        m_hasResolution = false;
        m_firstShown = m_lastShown = m_spaceBeforeLastShown = m_lastSpace = -1;
        m_keyLength = 0;
        m_keyDone = false;
        m_frameRateLine = false;
    }

    TMarkerMatch m_cannot{"cannot"};
    TMarkerMatch m_resolution{"Resolution"};
    uint64_t m_pos = 0;
    bool m_afterCarriageReturn = false;
    bool m_hasResolution = false;
    int64_t m_firstShown = -1; // first and last byte above 32 of the line
    int64_t m_lastShown = -1;
    int64_t m_spaceBeforeLastShown = -1;
    int64_t m_lastSpace = -1;
    size_t m_keyLength = 0;
    bool m_keyDone = false;
    bool m_frameRateLine = false;
    uint64_t m_frameRateStart = 0;
};

template <typename TFetch> TEmuOutcome OutcomeOf(const TOutputScan& scan, TFetch fetch)
{
    TEmuOutcome outcome;
    outcome.Failed = scan.Failed;
    outcome.Resolution = fetch(scan.Resolution);
    if (!scan.Failed)
        outcome.FrameRate = fetch(scan.FrameRate);
    return outcome;
}

class TReadOnlyFile
{
public:
    // Anything but a regular file (a FIFO could block for good, a device could never end) counts as
    // unreadable, and opening it never waits for a writer.
    explicit TReadOnlyFile(const std::string& path) : m_path(path)
    {
        m_fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (m_fd < 0)
            Fail();
        struct stat info
        {
        };
        if (::fstat(m_fd, &info) != 0 || !S_ISREG(info.st_mode))
            Fail();
        const int flags = ::fcntl(m_fd, F_GETFL);
        if (flags < 0 || ::fcntl(m_fd, F_SETFL, flags & ~O_NONBLOCK) != 0)
            Fail();
    }
    ~TReadOnlyFile()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    TReadOnlyFile(const TReadOnlyFile&) = delete;
    TReadOnlyFile& operator=(const TReadOnlyFile&) = delete;

    size_t Read(char* buffer, size_t size)
    {
        for (;;) {
            const ssize_t got = ::read(m_fd, buffer, size);
            if (got >= 0)
                return static_cast<size_t>(got);
            if (errno != EINTR)
                Fail();
        }
    }
    std::string ReadAt(TByteRange range)
    {
        std::string text(range.Size, '\0');
        size_t done = 0;
        while (done < text.size()) {
            const ssize_t got =
                ::pread(m_fd, text.data() + done, text.size() - done, static_cast<off_t>(range.Start + done));
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                Fail();
            done += static_cast<size_t>(got);
        }
        return text;
    }

private:
    [[noreturn]] void Fail() { throw TFileError("Cannot open file " + m_path); }

    std::string m_path;
    int m_fd = -1;
};

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
    std::string text;
    for (const std::string& line : lines)
        text += line + '\n';
    TOutputScan scan;
    scan.Feed(text.data(), text.size());
    scan.Finish();
    return OutcomeOf(scan, [&text](TByteRange range) { return text.substr(range.Start, range.Size); });
}

TEmuOutcome ReadEmuOutcomeFile(const std::string& path)
{
    TReadOnlyFile file(path);
    TOutputScan scan;
    std::vector<char> buffer(kEmuOutputReadSize);
    while (const size_t got = file.Read(buffer.data(), buffer.size()))
        if (!scan.Feed(buffer.data(), got))
            break;
    scan.Finish();
    return OutcomeOf(scan, [&file](TByteRange range) { return file.ReadAt(range); });
}

std::string EmuSummary(const std::string& gameName, const TEmuOutcome& outcome)
{
    return gameName + ":" + outcome.FrameRate + " @ " + outcome.Resolution;
}

void CheckEmuOutputFile(TLaunchContext& context, const std::string& outputPath)
{
    const TEmuOutcome outcome = ReadEmuOutcomeFile(outputPath);
    if (outcome.Failed) {
        if (context.Dialogs.ShowMessage(FailureQuestion()) == TMsgButton::Yes)
            context.Shell.OpenWithShell(outputPath);
        return;
    }
    context.Result.Summary = EmuSummary(context.Game.GameName, outcome);
    if (context.SetStatusText)
        context.SetStatusText(context.Result.Summary);
}

void CheckEmuOutput(TLaunchContext& context)
{
    CheckEmuOutputFile(context, context.Paths.OutputPath);
}

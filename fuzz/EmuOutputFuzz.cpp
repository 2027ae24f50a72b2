// Any bytes as the emulator's output: the streamed check of the file and the check of its lines must both
// give what a plain reading of the rules gives.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

#include "base/AsciiText.h"
#include "launch/EmuOutput.h"

namespace {

std::vector<std::string> PlainLines(const std::string& text)
{
    std::vector<std::string> lines(1);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') {
            lines.back() += text[i];
            continue;
        }
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        lines.emplace_back();
    }
    return lines;
}

TEmuOutcome PlainOutcome(const std::string& text)
{
    TEmuOutcome outcome;
    const std::vector<std::string> lines = PlainLines(text);
    for (const std::string& line : lines) {
        if (line.find("cannot") != std::string::npos) {
            outcome.Failed = true;
            return outcome;
        }
        if (line.find("Resolution") == std::string::npos)
            continue;
        size_t first = 0, last = line.size();
        while (first < last && static_cast<unsigned char>(line[first]) <= 32)
            ++first;
        while (last > first && static_cast<unsigned char>(line[last - 1]) <= 32)
            --last;
        const std::string trimmed = line.substr(first, last - first);
        const size_t space = trimmed.rfind(' ');
        outcome.Resolution = space == std::string::npos ? trimmed : trimmed.substr(space + 1);
    }
    for (const std::string& line : lines) {
        const size_t equals = line.find('=');
        if (equals != std::string::npos && LowerAscii(line.substr(0, equals)) == "average frame rate ") {
            outcome.FrameRate = line.substr(equals + 1);
            break;
        }
    }
    return outcome;
}

bool Same(const TEmuOutcome& a, const TEmuOutcome& b)
{
    return a.Failed == b.Failed && a.FrameRate == b.FrameRate && a.Resolution == b.Resolution;
}

// An in-memory file, so every input goes through the real file reader without touching a disk.
std::string MemoryFile(const std::string& bytes)
{
    static const int fd = ::memfd_create("emu-output", MFD_CLOEXEC);
    if (fd < 0 || ::ftruncate(fd, 0) != 0 ||
        ::pwrite(fd, bytes.data(), bytes.size(), 0) != ssize_t(bytes.size()))
        std::abort();
    return "/proc/self/fd/" + std::to_string(fd);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const TEmuOutcome expected = PlainOutcome(text);
    if (!Same(ReadEmuOutcome(SplitOutputLines(text)), expected) ||
        !Same(ReadEmuOutcomeFile(MemoryFile(text)), expected))
        std::abort();
    return 0;
}

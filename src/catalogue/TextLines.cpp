#include "catalogue/TextLines.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "base/FileError.h"

namespace {
constexpr char kCtrlZ = 26;
// Far beyond any listing or readme; refusing more keeps a damaged file from exhausting memory.
constexpr std::uintmax_t kMostBytes = 1024u * 1024u * 1024u;

bool IsControlOrBlank(char c)
{
    return static_cast<unsigned char>(c) <= 32;
}
} // namespace

TTextLineReader::TTextLineReader(std::string_view bytes) : m_rest(bytes.substr(0, bytes.find(kCtrlZ))) {}

bool TTextLineReader::Next(std::string_view& line)
{
    if (m_rest.empty()) {
        return false;
    }
    size_t end = m_rest.find('\r');
    if (end == std::string_view::npos) {
        line = m_rest;
        m_rest = {};
        return true;
    }
    line = m_rest.substr(0, end);
    size_t next = end + 1;
    if (next < m_rest.size() && m_rest[next] == '\n') {
        ++next;
    }
    m_rest.remove_prefix(next);
    return true;
}

std::string_view TrimControls(std::string_view text)
{
    size_t first = 0;
    while (first < text.size() && IsControlOrBlank(text[first])) {
        ++first;
    }
    size_t last = text.size();
    while (last > first && IsControlOrBlank(text[last - 1])) {
        --last;
    }
    return text.substr(first, last - first);
}

std::string ReadTextFileBytes(const std::string& path)
{
    std::error_code ec;
    auto status = std::filesystem::status(path, ec);
    if (status.type() == std::filesystem::file_type::not_found) {
        throw TFileError("File not found");
    }
    // A folder, a pipe or a device in place of the file would fail, block or never end.
    if (status.type() != std::filesystem::file_type::regular) {
        throw TFileError("Cannot read file " + path + ": not a regular file");
    }
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec || size > kMostBytes) {
        throw TFileError("Cannot read file " + path + ": the file is too large");
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw TFileError("Cannot read file " + path + ": " + std::strerror(errno));
    }
    // The file as it was when its size was taken: one read, no growth while reading.
    std::string bytes(static_cast<size_t>(size), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (in.bad()) {
        throw TFileError("Cannot read file " + path);
    }
    bytes.resize(static_cast<size_t>(in.gcount()));
    return bytes;
}

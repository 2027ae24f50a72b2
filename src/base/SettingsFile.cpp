#include "base/SettingsFile.h"
#include "base/AsciiText.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <unordered_map>
#include <vector>

#ifndef _WIN32
#include <unistd.h>
#endif

#include "base/FileError.h"
#include "base/WorkingPaths.h"

namespace {

// Anything larger is not a settings file; refusing it keeps a hostile file from exhausting memory.
constexpr std::uintmax_t kMaxFileSize = 256u * 1024u * 1024u;

std::string WithoutLineBreaks(const std::string& text)
{
    std::string result = text;
    for (char& c : result)
        if (c == '\r' || c == '\n')
            c = ' ';
    return result;
}

bool IsSectionLine(const std::string& line)
{
    return line.size() >= 2 && line.front() == '[' && line.back() == ']';
}

bool SameKey(const std::string& line, size_t keyLength, const std::string& key)
{
    return keyLength == key.size() && SameTextAscii(std::string_view(line).substr(0, keyLength), key);
}

// Sections up to this size are searched directly: cheaper than a hash index, and bounded.
constexpr size_t kDirectSearchLines = 8;

struct TSection
{
    std::string Name;
    std::vector<std::string> Lines;
    // Lower-cased key -> first line with that key, once the section is large; lines without "=" have no key.
    std::unique_ptr<std::unordered_map<std::string, size_t>> Keys;

    void AddLine(std::string line)
    {
        Lines.push_back(std::move(line));
        if (Keys)
            IndexLine(Lines.size() - 1);
        else if (Lines.size() > kDirectSearchLines) {
            Keys = std::make_unique<std::unordered_map<std::string, size_t>>();
            for (size_t i = 0; i < Lines.size(); ++i)
                IndexLine(i);
        }
    }

    void IndexLine(size_t index)
    {
        const size_t eq = Lines[index].find('=');
        if (eq != std::string::npos)
            Keys->emplace(LowerAscii(Lines[index].substr(0, eq)), index);
    }

    // Index of the first line with that key, or npos.
    size_t Find(const std::string& key) const
    {
        if (Keys) {
            const auto it = Keys->find(LowerAscii(key));
            return it == Keys->end() ? std::string::npos : it->second;
        }
        for (size_t i = 0; i < Lines.size(); ++i) {
            const size_t eq = Lines[i].find('=');
            if (eq != std::string::npos && SameKey(Lines[i], eq, key))
                return i;
        }
        return std::string::npos;
    }
};

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

std::optional<int> ParseSettingsInteger(const std::string& text)
{
    size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t'))
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+'))
        negative = text[pos++] == '-';
    int base = 10;
    if (pos < text.size() && text[pos] == '$') {
        base = 16;
        ++pos;
    } else if (pos + 1 < text.size() && text[pos] == '0' && (text[pos + 1] == 'x' || text[pos + 1] == 'X')) {
        base = 16;
        pos += 2;
    }
    if (pos >= text.size())
        return std::nullopt;
    // Hexadecimal covers all 32 bits (so "$FFFFFFFF" is -1); decimal must fit a signed 32-bit value.
    const uint64_t limit = base == 16 ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
    uint64_t value = 0;
    for (; pos < text.size(); ++pos) {
        const int digit = HexDigit(text[pos]);
        if (digit < 0 || digit >= base)
            return std::nullopt;
        value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
        if (value > limit)
            return std::nullopt;
    }
    const auto bits = static_cast<uint32_t>(negative ? (0 - value) : value);
    return static_cast<int>(static_cast<int32_t>(bits));
}

struct TSettingsFile::TImpl
{
    std::string Path;
    std::vector<TSection> Sections;
    // Lower-cased name -> first section of that name.
    std::unordered_map<std::string, size_t> Index;

    void AddSection(std::string name)
    {
        Index.emplace(LowerAscii(name), Sections.size());
        Sections.push_back(TSection{std::move(name), {}, nullptr});
    }

    void Reindex()
    {
        Index.clear();
        for (size_t i = 0; i < Sections.size(); ++i)
            Index.emplace(LowerAscii(Sections[i].Name), i);
    }

    const TSection* Find(const std::string& name) const
    {
        const auto it = Index.find(LowerAscii(name));
        return it == Index.end() ? nullptr : &Sections[it->second];
    }

    TSection* Find(const std::string& name)
    {
        const auto it = Index.find(LowerAscii(name));
        return it == Index.end() ? nullptr : &Sections[it->second];
    }

    void AddLine(std::string line)
    {
        if (line.empty() || line.front() == ';')
            return;
        if (IsSectionLine(line))
            AddSection(line.substr(1, line.size() - 2));
        else if (!Sections.empty())
            Sections.back().AddLine(std::move(line));
    }

    void Parse(const std::string& bytes)
    {
        size_t start = 0;
        while (start < bytes.size()) {
            size_t end = bytes.find_first_of("\r\n", start);
            if (end == std::string::npos)
                end = bytes.size();
            AddLine(bytes.substr(start, end - start));
            start = end + 1;
            if (end < bytes.size() && bytes[end] == '\r' && start < bytes.size() && bytes[start] == '\n')
                ++start;
        }
    }
};

TSettingsFile::TSettingsFile() : m_impl(std::make_unique<TImpl>()) {}
TSettingsFile::TSettingsFile(TSettingsFile&&) noexcept = default;
TSettingsFile& TSettingsFile::operator=(TSettingsFile&&) noexcept = default;
TSettingsFile::~TSettingsFile() = default;

TSettingsFile TSettingsFile::FromBytes(const std::string& bytes, const std::string& path)
{
    TSettingsFile file;
    file.m_impl->Path = path;
    file.m_impl->Parse(bytes);
    return file;
}

TSettingsFile TSettingsFile::Open(const std::string& path)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    const auto status = fs::status(path, ec);
    if (!fs::exists(status))
        return FromBytes(std::string(), path);
    const auto size = fs::is_regular_file(status) ? fs::file_size(path, ec) : 0;
    std::ifstream in(path, std::ios::binary);
    if (!fs::is_regular_file(status) || ec || !in)
        throw TFileError("Cannot open file " + path);
    if (size > kMaxFileSize)
        throw TFileError("Cannot open file " + path + ": the file is too large");
    std::string bytes(static_cast<size_t>(size), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (in.bad())
        throw TFileError("Cannot read file " + path);
    bytes.resize(static_cast<size_t>(in.gcount()));
    return FromBytes(bytes, path);
}

std::string TSettingsFile::ReadString(const std::string& section, const std::string& key,
                                      const std::string& def) const
{
    const TSection* s = m_impl->Find(section);
    const size_t index = s ? s->Find(key) : std::string::npos;
    if (index == std::string::npos)
        return def;
    const std::string& line = s->Lines[index];
    return line.substr(line.find('=') + 1);
}

int TSettingsFile::ReadInteger(const std::string& section, const std::string& key, int def) const
{
    return ParseSettingsInteger(ReadString(section, key, std::string())).value_or(def);
}

bool TSettingsFile::ReadBool(const std::string& section, const std::string& key, bool def) const
{
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

TDateTime TSettingsFile::ReadDateTime(const std::string& section, const std::string& key, TDateTime def) const
{
    return ParseDateTime(ReadString(section, key, std::string())).value_or(def);
}

void TSettingsFile::WriteString(const std::string& section, const std::string& key, const std::string& value)
{
    const std::string name = WithoutLineBreaks(section);
    TSection* s = m_impl->Find(name);
    if (!s) {
        m_impl->AddSection(name);
        s = &m_impl->Sections.back();
    }
    const std::string keyName = WithoutLineBreaks(key);
    std::string line = keyName + "=" + WithoutLineBreaks(value);
    const size_t index = s->Find(keyName);
    if (index != std::string::npos)
        s->Lines[index] = std::move(line);
    else
        s->AddLine(std::move(line));
}

void TSettingsFile::WriteInteger(const std::string& section, const std::string& key, int value)
{
    WriteString(section, key, std::to_string(value));
}

void TSettingsFile::WriteBool(const std::string& section, const std::string& key, bool value)
{
    WriteString(section, key, value ? "1" : "0");
}

void TSettingsFile::WriteDateTime(const std::string& section, const std::string& key, TDateTime value)
{
    WriteString(section, key, FormatDateTime(value));
}

bool TSettingsFile::SectionExists(const std::string& section) const
{
    const TSection* s = m_impl->Find(section);
    return s && !s->Lines.empty();
}

bool TSettingsFile::ValueExists(const std::string& section, const std::string& key) const
{
    const TSection* s = m_impl->Find(section);
    return s && s->Find(key) != std::string::npos;
}

std::vector<std::string> TSettingsFile::SectionNames() const
{
    std::vector<std::string> names;
    names.reserve(m_impl->Sections.size());
    for (const TSection& s : m_impl->Sections)
        names.push_back(s.Name);
    return names;
}

void TSettingsFile::EraseSection(const std::string& section)
{
    const auto it = m_impl->Index.find(LowerAscii(section));
    if (it == m_impl->Index.end())
        return;
    m_impl->Sections.erase(m_impl->Sections.begin() + static_cast<std::ptrdiff_t>(it->second));
    m_impl->Reindex();
}

void TSettingsFile::Clear()
{
    m_impl->Sections.clear();
    m_impl->Index.clear();
}

std::string TSettingsFile::ToBytes() const
{
    std::string out;
    for (const TSection& s : m_impl->Sections) {
        out += "[" + s.Name + "]\r\n";
        for (const std::string& line : s.Lines)
            out += line + "\r\n";
        out += "\r\n";
    }
    return out;
}

namespace {

constexpr size_t kMaxNameLength = 255;
const std::string kTempMark = ".tmp";
constexpr size_t kTempDigits = 6;

// The part of the final name a temporary keeps: the whole name unless the mark and digits would not fit.
std::string TempStem(const std::string& finalName)
{
    const size_t room = kMaxNameLength - kTempMark.size() - kTempDigits;
    return finalName.size() > room ? finalName.substr(0, room) : finalName;
}

std::string SixDigits(unsigned value)
{
    std::string digits = std::to_string(value % 1000000u);
    return std::string(kTempDigits - digits.size(), '0') + digits;
}

// Creates a file of a fresh name next to path, so the rename that follows cannot cross file systems.
std::FILE* CreateTempBeside(const std::string& path, std::string& tempPath)
{
    const size_t slash = path.find_last_of(kPathSep);
    const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    std::random_device seed;
    std::mt19937 random(seed());
    for (int attempt = 0; attempt < 16; ++attempt) {
        tempPath = folder + TempStem(name) + kTempMark + SixDigits(static_cast<unsigned>(random()));
        if (std::FILE* f = std::fopen(tempPath.c_str(), "wbx"))
            return f;
    }
    return nullptr;
}

bool WriteAndFlush(std::FILE* f, const std::string& bytes)
{
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = std::fflush(f) == 0 && ok;
#ifndef _WIN32
    ok = ::fsync(::fileno(f)) == 0 && ok;
#endif
    return std::fclose(f) == 0 && ok;
}

} // namespace

void TSettingsFile::UpdateFile() const
{
    namespace fs = std::filesystem;
    const TFileError failure("Cannot create file " + m_impl->Path);
    std::error_code ec;
    if (m_impl->Path.empty() || fs::is_directory(m_impl->Path, ec))
        throw failure;
    // A linked settings file stays linked: the file it points to is the one replaced.
    std::string target = m_impl->Path;
    if (fs::is_symlink(target, ec))
        target = fs::weakly_canonical(target, ec).string();
    std::string tempPath;
    std::FILE* f = CreateTempBeside(target, tempPath);
    if (!f)
        throw failure;
    const auto oldStatus = fs::status(target, ec);
    if (fs::is_regular_file(oldStatus))
        fs::permissions(tempPath, oldStatus.permissions(), ec);
    if (!WriteAndFlush(f, ToBytes())) {
        std::remove(tempPath.c_str());
        throw failure;
    }
    fs::rename(tempPath, target, ec);
    if (ec) {
        std::remove(tempPath.c_str());
        throw failure;
    }
}

bool IsLeftoverTemporaryName(const std::string& name, const std::string& finalName)
{
    // Earlier versions wrote the number without leading zeros: one to six digits.
    size_t digits = 0;
    while (digits < name.size() && digits < kTempDigits && name[name.size() - 1 - digits] >= '0' &&
           name[name.size() - 1 - digits] <= '9')
        ++digits;
    if (digits == 0 || name.size() < digits + kTempMark.size())
        return false;
    const size_t markAt = name.size() - digits - kTempMark.size();
    if (name.compare(markAt, kTempMark.size(), kTempMark) != 0 || markAt == 0)
        return false;
    if (finalName.empty())
        return true;
    const std::string stem = name.substr(0, markAt);
    return stem == finalName || stem == TempStem(finalName);
}

void RemoveLeftoverTemporaries(const std::string& folder, const std::string& finalName)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::directory_iterator it(folder.empty() ? fs::path(".") : fs::path(folder), ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        std::error_code statusError;
        if (!it->is_regular_file(statusError) || it->is_symlink(statusError))
            continue;
        if (IsLeftoverTemporaryName(it->path().filename().string(), finalName)) {
            std::error_code removeError;
            fs::remove(it->path(), removeError);
        }
    }
}

const std::string& TSettingsFile::Path() const
{
    return m_impl->Path;
}

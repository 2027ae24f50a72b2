#include "base/SettingsFile.h"
#include "base/AsciiText.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>
#include <random>
#include <stdexcept>
#include <vector>

#ifndef _WIN32
#include <unistd.h>
#endif

#include "base/AtomicFile.h"
#include "base/FileError.h"
#include "base/WorkingPaths.h"

namespace {

// Anything larger is not a settings file; refusing it keeps a hostile file from exhausting memory.
constexpr std::uintmax_t kMaxFileSize = 256u * 1024u * 1024u;

constexpr uint32_t kNone = std::numeric_limits<uint32_t>::max();

// Sections up to this many lines are searched directly: cheaper than a hash index, and bounded.
constexpr uint32_t kDirectSearchLines = 8;

bool HasLineBreak(std::string_view text)
{
    return std::any_of(text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; });
}

std::string WithoutLineBreaks(std::string_view text)
{
    std::string result(text);
    for (char& c : result)
        if (c == '\r' || c == '\n')
            c = ' ';
    return result;
}

// The seed keeps the keys of different sections apart in the one key table.
uint64_t CaseBlindHash(std::string_view text, uint64_t seed = 0)
{
    return HashFoldedAscii(text) ^ seed;
}

// A slot count that keeps an open-addressing table at most half full.
size_t TableSizeFor(size_t entries)
{
    size_t size = 16;
    while (size < entries * 2)
        size *= 2;
    return size;
}

// One text line, kept as a span of the file's text: no allocation per line.
struct TLine
{
    uint32_t Offset;
    uint32_t Length;
    uint32_t KeyLength; // bytes before the first "=", or kNone when the line holds no "="
};

// A section's lines are the span [First, First + Count) of the shared line table, with room up to Capacity.
struct TSection
{
    uint32_t NameOffset;
    uint32_t NameLength;
    uint32_t First;
    uint32_t Count;
    uint32_t Capacity;
    bool Shadowed; // an earlier section has the same name, so lookups never reach this one
    bool Indexed;  // its keys are in the key table
};

// The hash's upper half rides along, so most mismatches are told apart without touching the name.
struct TSectionSlot
{
    uint32_t Section = kNone;
    uint32_t Hash = 0;
};

struct TKeySlot
{
    uint32_t Section = kNone;
    uint32_t Ordinal = 0; // line within the section
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

std::optional<int> ParseSettingsInteger(std::string_view text)
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

// Every name and line is a span of one text buffer: the file's bytes as read, with written text appended.
// Parsing therefore allocates a handful of tables instead of objects per section and line, and freeing is
// as cheap. Replaced text stays in the buffer until it outweighs the live text, then the buffer is rebuilt.
struct TSettingsFile::TImpl
{
    std::string Path;
    std::string Text;
    size_t DeadBytes = 0;
    std::vector<TLine> Lines;
    size_t DeadLines = 0;
    std::vector<TSection> Sections;
    std::vector<TSectionSlot> SectionSlots; // sections by case-blind name
    size_t SectionEntries = 0;
    std::vector<TKeySlot> KeySlots; // keys of the large sections
    size_t KeyEntries = 0;

    std::string_view View(uint32_t offset, uint32_t length) const
    {
        return std::string_view(Text).substr(offset, length);
    }
    bool Holds(std::string_view piece) const
    {
        return !piece.empty() && !Text.empty() && std::less_equal<const char*>()(Text.data(), piece.data()) &&
               std::less<const char*>()(piece.data(), Text.data() + Text.size());
    }
    std::string_view NameOf(const TSection& s) const { return View(s.NameOffset, s.NameLength); }
    std::string_view NameOf(uint32_t section) const { return NameOf(Sections[section]); }
    const TLine& LineOf(uint32_t section, uint32_t ordinal) const
    {
        return Lines[Sections[section].First + ordinal];
    }
    std::string_view KeyOf(const TLine& line) const { return View(line.Offset, line.KeyLength); }
    std::string_view ValueOf(const TLine& line) const
    {
        return View(line.Offset + line.KeyLength + 1, line.Length - line.KeyLength - 1);
    }

    // --- section names

    size_t SectionSlotOf(std::string_view name, uint64_t hash) const
    {
        const size_t mask = SectionSlots.size() - 1;
        const auto check = static_cast<uint32_t>(hash >> 32);
        for (size_t slot = hash & mask;; slot = (slot + 1) & mask) {
            const TSectionSlot& s = SectionSlots[slot];
            if (s.Section == kNone || (s.Hash == check && SameTextAscii(NameOf(s.Section), name)))
                return slot;
        }
    }

    uint32_t FindSection(std::string_view name) const { return FindSection(name, CaseBlindHash(name)); }

    uint32_t FindSection(std::string_view name, uint64_t hash) const
    {
        return SectionSlots.empty() ? kNone : SectionSlots[SectionSlotOf(name, hash)].Section;
    }

    // Where a lookup of that hash starts, for a prefetch; null while there is no table.
    const void* FirstSlotOf(uint64_t hash) const
    {
        return SectionSlots.empty() ? nullptr : &SectionSlots[hash & (SectionSlots.size() - 1)];
    }

    void IndexSection(uint32_t section) { IndexSection(section, CaseBlindHash(NameOf(section))); }

    void IndexSection(uint32_t section, uint64_t hash)
    {
        TSectionSlot& slot = SectionSlots[SectionSlotOf(NameOf(section), hash)];
        Sections[section].Shadowed = slot.Section != kNone;
        if (!Sections[section].Shadowed) {
            slot = TSectionSlot{section, static_cast<uint32_t>(hash >> 32)};
            ++SectionEntries;
        }
    }

    void RebuildSectionIndex(size_t expected)
    {
        SectionSlots.assign(TableSizeFor(expected), TSectionSlot{});
        SectionEntries = 0;
        // Hashes run a few sections ahead, so each slot is being fetched while earlier ones are filled.
        constexpr uint32_t kAhead = 8;
        uint64_t hashes[kAhead];
        const auto count = static_cast<uint32_t>(Sections.size());
        const size_t mask = SectionSlots.size() - 1;
        for (uint32_t i = 0; i < count + kAhead; ++i) {
            if (i >= kAhead)
                IndexSection(i - kAhead, hashes[i % kAhead]);
            if (i < count) {
                hashes[i % kAhead] = CaseBlindHash(NameOf(i));
                __builtin_prefetch(&SectionSlots[hashes[i % kAhead] & mask]);
            }
        }
    }

    // --- keys

    uint32_t FindKey(uint32_t section, std::string_view key) const
    {
        const TSection& s = Sections[section];
        if (s.Indexed) {
            // Large sections whose lines all lack "=" leave the key table empty.
            if (KeySlots.empty())
                return kNone;
            const TKeySlot& slot = KeySlots[KeySlotOf(section, key)];
            return slot.Section == kNone ? kNone : slot.Ordinal;
        }
        for (uint32_t i = 0; i < s.Count; ++i) {
            const TLine& line = Lines[s.First + i];
            if (line.KeyLength != kNone && SameTextAscii(KeyOf(line), key))
                return i;
        }
        return kNone;
    }

    size_t KeySlotOf(uint32_t section, std::string_view key) const
    {
        const size_t mask = KeySlots.size() - 1;
        size_t slot = CaseBlindHash(key, section * 0x9E3779B97F4A7C15ull) & mask;
        for (;; slot = (slot + 1) & mask) {
            const TKeySlot& k = KeySlots[slot];
            if (k.Section == kNone ||
                (k.Section == section && SameTextAscii(KeyOf(LineOf(section, k.Ordinal)), key)))
                return slot;
        }
    }

    void IndexKey(uint32_t section, uint32_t ordinal)
    {
        const TLine& line = LineOf(section, ordinal);
        if (line.KeyLength == kNone)
            return;
        if ((KeyEntries + 1) * 2 > KeySlots.size())
            GrowKeyTable();
        TKeySlot& slot = KeySlots[KeySlotOf(section, KeyOf(line))];
        if (slot.Section == kNone) {
            slot = TKeySlot{section, ordinal};
            ++KeyEntries;
        }
    }

    void GrowKeyTable()
    {
        std::vector<TKeySlot> old = std::move(KeySlots);
        KeySlots.assign(TableSizeFor(KeyEntries + 1), TKeySlot{});
        for (const TKeySlot& k : old)
            if (k.Section != kNone)
                KeySlots[KeySlotOf(k.Section, KeyOf(LineOf(k.Section, k.Ordinal)))] = k;
    }

    void IndexKeysOf(uint32_t section)
    {
        Sections[section].Indexed = true;
        for (uint32_t i = 0; i < Sections[section].Count; ++i)
            IndexKey(section, i);
    }

    void RebuildKeyIndex()
    {
        KeySlots.clear();
        KeyEntries = 0;
        for (uint32_t i = 0; i < Sections.size(); ++i) {
            Sections[i].Indexed = false;
            if (Sections[i].Count > kDirectSearchLines)
                IndexKeysOf(i);
        }
    }

    // --- parsing

    void Parse()
    {
        const char* const begin = Text.data();
        const char* const end = begin + Text.size();
        const char* p = begin;
        // Editors may put a UTF-8 byte-order mark first; read as text it would hide the first section.
        // Its bytes count as dead text, so a write never carries them over.
        if (Text.size() >= 3 && std::memcmp(begin, "\xEF\xBB\xBF", 3) == 0)
            p += 3;
        while (p < end) {
            const char* lineEnd = p;
            while (lineEnd < end && *lineEnd != '\n' && *lineEnd != '\r')
                ++lineEnd;
            AddParsedLine(static_cast<uint32_t>(p - begin), static_cast<uint32_t>(lineEnd - p));
            p = lineEnd + 1;
            if (lineEnd < end && *lineEnd == '\r' && p < end && *p == '\n')
                ++p;
        }
        size_t live = 0;
        for (TSection& s : Sections) {
            s.Capacity = s.Count;
            live += s.NameLength;
        }
        for (const TLine& line : Lines)
            live += line.Length;
        DeadBytes = Text.size() - live;
        RebuildSectionIndex(Sections.size());
        RebuildKeyIndex();
    }

    void AddParsedLine(uint32_t offset, uint32_t length)
    {
        if (length == 0 || Text[offset] == ';')
            return;
        if (length >= 2 && Text[offset] == '[' && Text[offset + length - 1] == ']') {
            Sections.push_back(
                TSection{offset + 1, length - 2, static_cast<uint32_t>(Lines.size()), 0, 0, false, false});
            return;
        }
        if (Sections.empty())
            return;
        const void* eq = std::memchr(Text.data() + offset, '=', length);
        const uint32_t keyLength =
            eq ? static_cast<uint32_t>(static_cast<const char*>(eq) - (Text.data() + offset)) : kNone;
        Lines.push_back(TLine{offset, length, keyLength});
        ++Sections.back().Count;
    }

    // --- writing

    // Offsets are 32-bit: replaced text is dropped first when that makes room, else the write fails.
    void MakeRoom(size_t bytes)
    {
        if (Text.size() + bytes > kNone)
            Compact();
        if (Text.size() + bytes > kNone)
            throw std::length_error("settings text too large");
    }

    uint32_t AppendText(std::string_view piece)
    {
        const auto offset = static_cast<uint32_t>(Text.size());
        Text.append(piece);
        return offset;
    }

    uint32_t AddSection(std::string_view name, uint64_t hash)
    {
        MakeRoom(name.size());
        const uint32_t offset = AppendText(name);
        const auto number = static_cast<uint32_t>(Sections.size());
        Sections.push_back(TSection{offset, static_cast<uint32_t>(name.size()),
                                    static_cast<uint32_t>(Lines.size()), 0, 0, false, false});
        if ((SectionEntries + 1) * 2 > SectionSlots.size())
            RebuildSectionIndex(SectionEntries + 1);
        else
            IndexSection(number, hash);
        return number;
    }

    void AppendLine(uint32_t section, const TLine& line)
    {
        TSection& s = Sections[section];
        if (s.Count == s.Capacity) {
            if (s.First + s.Capacity == Lines.size()) {
                Lines.push_back(line);
                ++s.Capacity;
            } else {
                // Move the lines to the end with room to spare, so a section that keeps growing moves
                // only a logarithmic number of times.
                const auto first = static_cast<uint32_t>(Lines.size());
                const uint32_t capacity = s.Count * 2 + 1;
                Lines.resize(Lines.size() + capacity);
                std::copy_n(Lines.begin() + s.First, s.Count, Lines.begin() + first);
                DeadLines += s.Capacity;
                s.First = first;
                s.Capacity = capacity;
            }
        }
        Lines[s.First + s.Count] = line;
        ++s.Count;
        if (s.Indexed)
            IndexKey(section, s.Count - 1);
        else if (s.Count > kDirectSearchLines)
            IndexKeysOf(section);
    }

    void Write(std::string_view sectionName, std::string_view key, std::string_view value)
    {
        Write(sectionName, CaseBlindHash(sectionName), key, value);
    }

    void Write(std::string_view sectionName, uint64_t hash, std::string_view key, std::string_view value)
    {
        if (DeadBytes > Text.size() / 2 + 65536 || DeadLines > Lines.size() / 2 + 4096)
            Compact();
        uint32_t section = FindSection(sectionName, hash);
        if (section == kNone)
            section = AddSection(sectionName, hash);
        const uint32_t ordinal = FindKey(section, key);
        MakeRoom(key.size() + 1 + value.size());
        const uint32_t offset = AppendText(key);
        AppendText("=");
        const uint32_t valueOffset = AppendText(value);
        for (size_t i = valueOffset; i < Text.size(); ++i)
            if (Text[i] == '\r' || Text[i] == '\n')
                Text[i] = ' ';
        // A key holding "=" is read back up to its first "=", as any line is.
        const uint32_t keyLength = static_cast<uint32_t>(std::min(key.find('='), key.size()));
        const TLine line{offset, static_cast<uint32_t>(Text.size() - offset), keyLength};
        if (ordinal == kNone) {
            AppendLine(section, line);
            return;
        }
        TLine& old = Lines[Sections[section].First + ordinal];
        DeadBytes += old.Length;
        old = line;
    }

    // Rebuilds the text and the line table from what is still in use, in file order.
    void Compact()
    {
        std::string text;
        text.reserve(Text.size() - DeadBytes);
        std::vector<TLine> lines;
        lines.reserve(Lines.size() - DeadLines);
        for (TSection& s : Sections) {
            const auto nameOffset = static_cast<uint32_t>(text.size());
            text.append(NameOf(s));
            const auto first = static_cast<uint32_t>(lines.size());
            for (uint32_t i = 0; i < s.Count; ++i) {
                const TLine& line = Lines[s.First + i];
                lines.push_back(TLine{static_cast<uint32_t>(text.size()), line.Length, line.KeyLength});
                text.append(View(line.Offset, line.Length));
            }
            s.NameOffset = nameOffset;
            s.First = first;
            s.Capacity = s.Count;
        }
        Text = std::move(text);
        Lines = std::move(lines);
        DeadBytes = 0;
        DeadLines = 0;
    }

    void Clear()
    {
        Text.clear();
        Lines.clear();
        Sections.clear();
        SectionSlots.clear();
        KeySlots.clear();
        DeadBytes = DeadLines = SectionEntries = KeyEntries = 0;
    }
};

TSettingsFile::TSettingsFile() : m_impl(std::make_unique<TImpl>()) {}
TSettingsFile::TSettingsFile(TSettingsFile&&) noexcept = default;
TSettingsFile& TSettingsFile::operator=(TSettingsFile&&) noexcept = default;
TSettingsFile::~TSettingsFile() = default;

TSettingsFile TSettingsFile::FromBytes(const std::string& bytes, const std::string& path)
{
    return FromBytes(std::string(bytes), path);
}

TSettingsFile TSettingsFile::FromBytes(std::string&& bytes, const std::string& path)
{
    TSettingsFile file;
    file.m_impl->Path = path;
    file.m_impl->Text = std::move(bytes);
    file.m_impl->Parse();
    return file;
}

TSettingsFile TSettingsFile::Open(const std::string& path)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    const auto status = fs::status(path, ec);
    if (!fs::exists(status))
        return FromBytes(std::string(), path);
    if (!fs::is_regular_file(status))
        throw TFileError("Cannot open file " + path);
    std::FILE* in = std::fopen(path.c_str(), "rb");
    if (!in)
        throw TFileError("Cannot open file " + path);
    const auto size = fs::file_size(path, ec);
    if (ec || size > kMaxFileSize) {
        std::fclose(in);
        throw TFileError(ec ? "Cannot open file " + path
                            : "Cannot open file " + path + ": the file is too large");
    }
    // One read of the size the file has; a file that shrank meanwhile gives what is there.
    std::string bytes(static_cast<size_t>(size), '\0');
    const size_t got = std::fread(bytes.data(), 1, bytes.size(), in);
    const bool failed = std::ferror(in) != 0;
    std::fclose(in);
    if (failed)
        throw TFileError("Cannot read file " + path);
    bytes.resize(got);
    return FromBytes(std::move(bytes), path);
}

std::string TSettingsFile::ReadString(std::string_view section, std::string_view key,
                                      const std::string& def) const
{
    const uint32_t s = m_impl->FindSection(section);
    const uint32_t ordinal = s == kNone ? kNone : m_impl->FindKey(s, key);
    if (ordinal == kNone)
        return def;
    return std::string(m_impl->ValueOf(m_impl->LineOf(s, ordinal)));
}

int TSettingsFile::ReadInteger(std::string_view section, std::string_view key, int def) const
{
    const uint32_t s = m_impl->FindSection(section);
    const uint32_t ordinal = s == kNone ? kNone : m_impl->FindKey(s, key);
    if (ordinal == kNone)
        return def;
    return ParseSettingsInteger(m_impl->ValueOf(m_impl->LineOf(s, ordinal))).value_or(def);
}

bool TSettingsFile::ReadBool(std::string_view section, std::string_view key, bool def) const
{
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

TDateTime TSettingsFile::ReadDateTime(std::string_view section, std::string_view key, TDateTime def) const
{
    return ParseDateTime(ReadString(section, key, std::string())).value_or(def);
}

void TSettingsFile::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    if (HasLineBreak(section) || HasLineBreak(key)) {
        WriteString(WithoutLineBreaks(section), WithoutLineBreaks(key), value);
        return;
    }
    // Text handed back by ForEachValue lives in the buffer the write may move.
    if (m_impl->Holds(section) || m_impl->Holds(key) || m_impl->Holds(value)) {
        WriteString(std::string(section), std::string(key), std::string(value));
        return;
    }
    m_impl->Write(section, key, value);
}

void TSettingsFile::WriteInteger(std::string_view section, std::string_view key, int value)
{
    char digits[16];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    WriteString(section, key, std::string_view(digits, static_cast<size_t>(result.ptr - digits)));
}

void TSettingsFile::WriteIntegers(std::string_view key,
                                  const std::vector<std::pair<std::string, int32_t>>& values)
{
    size_t bytes = 0;
    for (const auto& entry : values)
        bytes += entry.first.size() + key.size() + 3;
    Reserve(values.size(), bytes);
    if (HasLineBreak(key) || m_impl->Holds(key)) {
        for (const auto& [name, value] : values)
            WriteInteger(name, key, value);
        return;
    }
    // Hashes run far enough ahead that a section's slot has arrived when its write comes.
    constexpr size_t kAhead = 8;
    uint64_t hashes[kAhead];
    for (size_t i = 0; i < values.size() + kAhead; ++i) {
        if (i >= kAhead) {
            const auto& [name, value] = values[i - kAhead];
            char digits[16];
            const auto result = std::to_chars(digits, digits + sizeof digits, value);
            const std::string_view text(digits, static_cast<size_t>(result.ptr - digits));
            if (HasLineBreak(name))
                WriteString(name, key, text);
            else
                m_impl->Write(name, hashes[i % kAhead], key, text);
        }
        if (i < values.size()) {
            hashes[i % kAhead] = CaseBlindHash(values[i].first);
            // In this loop, not in a helper: the compiler drops calls of a function that only prefetches.
            __builtin_prefetch(m_impl->FirstSlotOf(hashes[i % kAhead]));
        }
    }
}

void TSettingsFile::WriteBool(std::string_view section, std::string_view key, bool value)
{
    WriteString(section, key, value ? "1" : "0");
}

void TSettingsFile::WriteDateTime(std::string_view section, std::string_view key, TDateTime value)
{
    WriteString(section, key, FormatDateTime(value));
}

bool TSettingsFile::SectionExists(std::string_view section) const
{
    const uint32_t s = m_impl->FindSection(section);
    return s != kNone && m_impl->Sections[s].Count > 0;
}

bool TSettingsFile::ValueExists(std::string_view section, std::string_view key) const
{
    const uint32_t s = m_impl->FindSection(section);
    return s != kNone && m_impl->FindKey(s, key) != kNone;
}

std::vector<std::string> TSettingsFile::SectionNames() const
{
    std::vector<std::string> names;
    names.reserve(m_impl->Sections.size());
    for (const TSection& s : m_impl->Sections)
        names.emplace_back(m_impl->NameOf(s));
    return names;
}

void TSettingsFile::ForEachValue(
    std::string_view key,
    const std::function<void(std::string_view section, std::string_view value)>& visit) const
{
    for (uint32_t i = 0; i < m_impl->Sections.size(); ++i) {
        if (m_impl->Sections[i].Shadowed)
            continue;
        const uint32_t ordinal = m_impl->FindKey(i, key);
        if (ordinal != kNone)
            visit(m_impl->NameOf(i), m_impl->ValueOf(m_impl->LineOf(i, ordinal)));
    }
}

void TSettingsFile::Reserve(size_t sections, size_t bytes)
{
    m_impl->Sections.reserve(m_impl->Sections.size() + sections);
    m_impl->Lines.reserve(m_impl->Lines.size() + sections);
    m_impl->Text.reserve(m_impl->Text.size() + bytes);
    if ((m_impl->SectionEntries + sections) * 2 > m_impl->SectionSlots.size())
        m_impl->RebuildSectionIndex(m_impl->SectionEntries + sections);
}

void TSettingsFile::EraseSection(std::string_view section)
{
    const uint32_t s = m_impl->FindSection(section);
    if (s == kNone)
        return;
    m_impl->DeadBytes += m_impl->Sections[s].NameLength;
    for (uint32_t i = 0; i < m_impl->Sections[s].Count; ++i)
        m_impl->DeadBytes += m_impl->LineOf(s, i).Length;
    m_impl->DeadLines += m_impl->Sections[s].Capacity;
    m_impl->Sections.erase(m_impl->Sections.begin() + s);
    m_impl->RebuildSectionIndex(m_impl->Sections.size());
    m_impl->RebuildKeyIndex();
}

void TSettingsFile::Clear()
{
    m_impl->Clear();
}

std::string TSettingsFile::ToBytes() const
{
    size_t size = 0;
    for (const TSection& s : m_impl->Sections) {
        size += s.NameLength + 6;
        for (uint32_t i = 0; i < s.Count; ++i)
            size += m_impl->Lines[s.First + i].Length + 2;
    }
    std::string out;
    out.reserve(size);
    for (const TSection& s : m_impl->Sections) {
        out += '[';
        out += m_impl->NameOf(s);
        out += "]\r\n";
        for (uint32_t i = 0; i < s.Count; ++i) {
            const TLine& line = m_impl->Lines[s.First + i];
            out += m_impl->View(line.Offset, line.Length);
            out += "\r\n";
        }
        out += "\r\n";
    }
    return out;
}

void TSettingsFile::UpdateFile() const
{
    const std::string failure = "Cannot create file " + m_impl->Path;
    std::error_code ec;
    if (m_impl->Path.empty() || std::filesystem::is_directory(m_impl->Path, ec))
        throw TFileError(failure);
    const std::string bytes = ToBytes();
    // A close after a session that changed nothing would otherwise wait for the disk, which on a busy
    // machine takes seconds for a large catalogue's file.
    if (!FileHoldsExactly(m_impl->Path, bytes))
        WriteFileAtomically(m_impl->Path, bytes, failure);
}

const std::string& TSettingsFile::Path() const
{
    return m_impl->Path;
}

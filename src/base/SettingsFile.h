#pragma once
// The in-memory settings file: sections of "key=value" lines, read whole, answered from memory, written
// whole.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/DateTimeText.h"

class TSettingsFile
{
public:
    // Reads the whole file; a missing file gives an empty object. Throws TFileError when it cannot be read.
    static TSettingsFile Open(const std::string& path);
    // Parses file content; path is where UpdateFile writes (may be empty when the content is only read).
    static TSettingsFile FromBytes(const std::string& bytes, const std::string& path = std::string());
    static TSettingsFile FromBytes(std::string&& bytes, const std::string& path = std::string());

    std::string ReadString(std::string_view section, std::string_view key, const std::string& def) const;
    int ReadInteger(std::string_view section, std::string_view key, int def) const;
    bool ReadBool(std::string_view section, std::string_view key, bool def) const;
    TDateTime ReadDateTime(std::string_view section, std::string_view key, TDateTime def) const;

    // Line breaks in section, key or value would split the entry, so each CR or LF is written as a blank.
    // Throws std::length_error should the text in memory pass 4 GB.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, int value);
    // WriteInteger(name, key, value) for each entry in order; quicker for long runs of sections.
    void WriteIntegers(std::string_view key, const std::vector<std::pair<std::string, int32_t>>& values);
    void WriteBool(std::string_view section, std::string_view key, bool value);
    void WriteDateTime(std::string_view section, std::string_view key, TDateTime value);

    bool SectionExists(std::string_view section) const;
    bool ValueExists(std::string_view section, std::string_view key) const;
    // Every section's name in file order, repeated names included.
    std::vector<std::string> SectionNames() const;
    // Walks, in file order, every section its name answers to (the first of each name) that holds key,
    // with that key's value: one pass instead of a lookup per name. The views last until the next change
    // (handing them to a write is safe).
    void
    ForEachValue(std::string_view key,
                 const std::function<void(std::string_view section, std::string_view value)>& visit) const;
    // Room for this many more sections and bytes of text, for a caller about to write them all.
    void Reserve(size_t sections, size_t bytes);
    void EraseSection(std::string_view section);
    void Clear();
    // Replaces the file atomically. Throws TFileError("Cannot create file <path>") and leaves the old file
    // whole.
    void UpdateFile() const;
    // The text UpdateFile writes.
    std::string ToBytes() const;

    const std::string& Path() const;

    TSettingsFile(TSettingsFile&&) noexcept;
    TSettingsFile& operator=(TSettingsFile&&) noexcept;
    ~TSettingsFile();

private:
    TSettingsFile();
    struct TImpl;
    std::unique_ptr<TImpl> m_impl;
};

// The integer reading of a settings value: decimal, or hexadecimal after "$", "0x" or "0X"; nothing when
// the text is not such a number or does not fit 32 bits.
std::optional<int> ParseSettingsInteger(std::string_view text);

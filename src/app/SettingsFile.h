#pragma once
// The in-memory settings file: sections of "key=value" lines, read whole, answered from memory, written whole.

#include <memory>
#include <string>

#include "app/DateTimeText.h"

class TSettingsFile
{
public:
    // Reads the whole file; a missing file gives an empty object. Throws TFileError when it cannot be read.
    static TSettingsFile Open(const std::string& path);

    std::string ReadString(const std::string& section, const std::string& key, const std::string& def) const;
    int ReadInteger(const std::string& section, const std::string& key, int def) const;
    bool ReadBool(const std::string& section, const std::string& key, bool def) const;
    TDateTime ReadDateTime(const std::string& section, const std::string& key, TDateTime def) const;

    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& key, int value);
    void WriteBool(const std::string& section, const std::string& key, bool value);
    void WriteDateTime(const std::string& section, const std::string& key, TDateTime value);

    bool SectionExists(const std::string& section) const;
    bool ValueExists(const std::string& section, const std::string& key) const;
    void EraseSection(const std::string& section);
    void Clear();
    // Replaces the file atomically. Throws TFileError("Cannot create file <path>") and leaves the old file whole.
    void UpdateFile() const;

    const std::string& Path() const;

    TSettingsFile(TSettingsFile&&) noexcept;
    TSettingsFile& operator=(TSettingsFile&&) noexcept;
    ~TSettingsFile();

private:
    TSettingsFile();
    struct TImpl;
    std::unique_ptr<TImpl> m_impl;
};

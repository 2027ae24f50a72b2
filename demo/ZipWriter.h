#pragma once
// Writes zip archives whose members are stored uncompressed: enough for rom archives that must be real zips.

#include <cstdint>
#include <string>
#include <vector>

uint32_t Crc32(const std::string& bytes);

class TStoredZipWriter
{
public:
    // The DOS date and time every member carries; zip dates cannot go before 1980.
    TStoredZipWriter(int year, int month, int day);

    void AddFile(const std::string& name, const std::string& bytes);
    // The whole archive: local entries, central directory and its end record.
    std::string Finish() const;

private:
    struct TMember
    {
        std::string Name;
        uint32_t Crc;
        uint32_t Size;
        uint32_t Offset;
    };
    uint16_t m_dosDate;
    std::string m_data;
    std::vector<TMember> m_members;
};

#include "ZipWriter.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace {

std::array<uint32_t, 256> MakeCrcTable()
{
    std::array<uint32_t, 256> table{};
    for (uint32_t n = 0; n < 256; ++n) {
        uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

void Put16(std::string& out, uint32_t value)
{
    out += char(value & 0xFF);
    out += char((value >> 8) & 0xFF);
}

void Put32(std::string& out, uint32_t value)
{
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

constexpr uint16_t kDosNoon = 12 << 11;
constexpr uint32_t kMaxArchive = 0x7FFFFFFF; // no zip64 here

} // namespace

uint32_t Crc32(const std::string& bytes)
{
    static const std::array<uint32_t, 256> table = MakeCrcTable();
    uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char b : bytes)
        crc = table[(crc ^ b) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

TStoredZipWriter::TStoredZipWriter(int year, int month, int day)
    : m_dosDate(uint16_t(((std::clamp(year, 1980, 2107) - 1980) << 9) | (std::clamp(month, 1, 12) << 5) |
                         std::clamp(day, 1, 31)))
{
}

void TStoredZipWriter::AddFile(const std::string& name, const std::string& bytes)
{
    if (name.empty() || name.size() > 0xFFFF || m_data.size() + bytes.size() + name.size() + 30 > kMaxArchive)
        throw std::length_error("zip member too large or badly named: " + name);
    const TMember member{name, Crc32(bytes), uint32_t(bytes.size()), uint32_t(m_data.size())};
    Put32(m_data, 0x04034B50);
    Put16(m_data, 10); // version needed: stored
    Put16(m_data, 0);  // flags
    Put16(m_data, 0);  // method: stored
    Put16(m_data, kDosNoon);
    Put16(m_data, m_dosDate);
    Put32(m_data, member.Crc);
    Put32(m_data, member.Size);
    Put32(m_data, member.Size);
    Put16(m_data, uint32_t(name.size()));
    Put16(m_data, 0);
    m_data += name;
    m_data += bytes;
    m_members.push_back(member);
}

std::string TStoredZipWriter::Finish() const
{
    std::string out = m_data;
    const uint32_t directoryStart = uint32_t(out.size());
    for (const TMember& member : m_members) {
        Put32(out, 0x02014B50);
        Put16(out, 20); // made by: MS-DOS attributes, version 2.0
        Put16(out, 10);
        Put16(out, 0);
        Put16(out, 0);
        Put16(out, kDosNoon);
        Put16(out, m_dosDate);
        Put32(out, member.Crc);
        Put32(out, member.Size);
        Put32(out, member.Size);
        Put16(out, uint32_t(member.Name.size()));
        Put16(out, 0); // extra field
        Put16(out, 0); // comment
        Put16(out, 0); // disk
        Put16(out, 0); // internal attributes
        Put32(out, 0); // external attributes
        Put32(out, member.Offset);
        out += member.Name;
    }
    const uint32_t directorySize = uint32_t(out.size()) - directoryStart;
    Put32(out, 0x06054B50);
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, uint32_t(m_members.size()));
    Put16(out, uint32_t(m_members.size()));
    Put32(out, directorySize);
    Put32(out, directoryStart);
    Put16(out, 0);
    return out;
}

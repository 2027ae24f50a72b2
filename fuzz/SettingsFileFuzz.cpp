// Feeds arbitrary bytes to the settings file parser, then reads, writes and re-parses what it made of them.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/MainSettings.h"
#include "base/SettingsFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    TSettingsFile file = TSettingsFile::FromBytes(bytes);
    const std::string first = file.ToBytes();
    // Every section and key it found must answer again after a round trip.
    const TSettingsFile again = TSettingsFile::FromBytes(first);
    if (again.ToBytes() != first)
        std::abort();
    for (const std::string& name : file.SectionNames()) {
        (void)file.ReadInteger(name, "CurScrShot", 0);
        (void)file.ReadDateTime(name, "EmuExeDate", kNeverDateTime);
        (void)ColorFromText(file.ReadString(name, "FgColor", ""));
    }
    // A write of any text must still give a file that parses to itself.
    file.WriteString(bytes.substr(0, 16), "Key", bytes);
    const std::string written = file.ToBytes();
    if (TSettingsFile::FromBytes(written).ToBytes() != written)
        std::abort();
    return 0;
}

// Any bytes as the emulator's game listing, matched against a readme that names some likely words.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "catalogue/SupportedGames.h"

namespace {
int CountListedNames(std::string_view listing)
{
    // Words after the first "games:" line, counted the plain way to check the import's bookkeeping.
    listing = listing.substr(0, listing.find('\x1a'));
    size_t pos = 0;
    bool afterMarker = false;
    int count = 0;
    while (pos < listing.size()) {
        size_t end = listing.find('\r', pos);
        if (end == std::string_view::npos) {
            end = listing.size();
        }
        std::string_view line = listing.substr(pos, end - pos);
        pos = end + 1;
        if (pos < listing.size() && listing[pos] == '\n') {
            ++pos;
        }
        if (!afterMarker) {
            afterMarker = line.find("games:") != std::string_view::npos;
            continue;
        }
        bool inWord = false;
        for (char c : line) {
            bool wordChar = static_cast<unsigned char>(c) > 32;
            count += wordChar && !inWord ? 1 : 0;
            inWord = wordChar;
        }
    }
    return count;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view listing(reinterpret_cast<const char*>(data), size);
    static const std::string readme =
        "Korb readme\r\nName   Internal name\r\nA a\r\nAB ab\r\nGames games:\r\n"
        "X x\r\nThe Abc abc\r\nonly\r\n1 1\r\n";
    TGameObjectList catalogue;
    TImportResult result = ImportCatalogueFromBytes(catalogue, listing, readme);
    if (catalogue.Count() + result.UnmatchedNames != CountListedNames(listing) ||
        (result.UnmatchedNames == 0) != result.Message.empty()) {
        __builtin_trap();
    }
    return 0;
}

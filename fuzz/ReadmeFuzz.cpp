// Any bytes as the emulator's readme, matched against a fixed listing with duplicates and case variants.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "catalogue/SupportedGames.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view readme(reinterpret_cast<const char*>(data), size);
    static const std::string listing = "Korb\r\nsupported games:\r\na ab abc ABC x\tY z\r\nlong1234567 a\r\n";
    constexpr int kListed = 9;
    TGameObjectList catalogue;
    TImportResult result = ImportCatalogueFromBytes(catalogue, listing, readme);
    if (catalogue.Count() + result.UnmatchedNames != kListed) {
        __builtin_trap();
    }
    for (int i = 0; i < catalogue.Count(); ++i) {
        const TGameObject& game = catalogue.At(i);
        // Every record names a listed word, so it can hold neither blanks nor control characters.
        for (char c : game.ZipName) {
            if (static_cast<unsigned char>(c) <= 32) {
                __builtin_trap();
            }
        }
        if (game.ZipName.empty() || TitleCase(game.GameName) != game.GameName) {
            __builtin_trap();
        }
    }
    return 0;
}

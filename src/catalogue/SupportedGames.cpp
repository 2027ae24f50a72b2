#include "catalogue/SupportedGames.h"
#include "base/AsciiText.h"

#include <algorithm>
#include <array>
#include <memory>
#include <utility>
#include <vector>

#include "catalogue/TextLines.h"

namespace {
constexpr std::string_view kListingMarker = "games:";
constexpr std::string_view kReadmeMarker = "nternal name";
// A hostile listing of millions of words must not make the catalogue reserve room for all of them.
constexpr int kMostReserved = 1 << 17;

// The listed names still waiting for a readme line. Only how many copies of each name (ignoring case)
// remain matters, so a count per folded name gives the result of a search through the list in O(1). The
// names are views into the listing's bytes, which outlive the import. Open addressing keeps a name's count
// and hash in one slot: a readme in another order than the listing costs one memory read per line, not
// three.
class TSupportedNames
{
public:
    explicit TSupportedNames(size_t expected) : m_slots(SlotsFor(expected)) {}

    void Add(std::string_view word, uint64_t hash)
    {
        if ((m_used + 1) * 2 > m_slots.size()) {
            Grow();
        }
        TSlot& slot = m_slots[SlotOf(word, hash)];
        if (slot.Count < 0) {
            slot = TSlot{word, static_cast<uint32_t>(hash >> 32), 0};
            ++m_used;
        }
        ++slot.Count;
        ++m_remaining;
    }

    // Asks the memory for the slot a later Take of a name with this hash reads first.
    void Prefetch(uint64_t hash) const { __builtin_prefetch(&m_slots[hash & (m_slots.size() - 1)]); }

    // Consumes one copy of the name when there is one.
    bool Take(std::string_view name, uint64_t hash)
    {
        TSlot& slot = m_slots[SlotOf(name, hash)];
        if (slot.Count <= 0) {
            return false;
        }
        // A slot whose count reached 0 stays taken, so the names after it on the same run stay found.
        --slot.Count;
        --m_remaining;
        return true;
    }

    bool Empty() const { return m_remaining == 0; }
    int Remaining() const { return m_remaining; }

private:
    struct TSlot
    {
        std::string_view Name;
        uint32_t Check = 0; // the hash's upper half: most other names are told apart without reading theirs
        int32_t Count = -1; // -1: free
    };

    static size_t SlotsFor(size_t names)
    {
        size_t slots = 1024;
        while (slots < names * 2) {
            slots *= 2;
        }
        return slots;
    }

    // The slot holding name, or the free slot where it belongs.
    size_t SlotOf(std::string_view name, uint64_t hash) const
    {
        const size_t mask = m_slots.size() - 1;
        const auto check = static_cast<uint32_t>(hash >> 32);
        for (size_t at = hash & mask;; at = (at + 1) & mask) {
            const TSlot& slot = m_slots[at];
            if (slot.Count < 0 || (slot.Check == check && SameTextAscii(slot.Name, name))) {
                return at;
            }
        }
    }

    void Grow()
    {
        const std::vector<TSlot> old = std::exchange(m_slots, std::vector<TSlot>(m_slots.size() * 2));
        for (const TSlot& slot : old) {
            if (slot.Count >= 0) {
                m_slots[SlotOf(slot.Name, HashFoldedAscii(slot.Name))] = slot;
            }
        }
    }

    std::vector<TSlot> m_slots;
    size_t m_used = 0;
    int m_remaining = 0;
};

// Skips the lines up to and including the first one that holds the marker; false when there is none.
bool SkipPastMarker(TTextLineReader& reader, std::string_view marker)
{
    std::string_view line;
    while (reader.Next(line)) {
        if (line.find(marker) != std::string_view::npos) {
            return true;
        }
    }
    return false;
}

template <typename TVisit> void VisitWords(std::string_view line, TVisit&& visit)
{
    size_t pos = 0;
    while (pos < line.size()) {
        while (pos < line.size() && static_cast<unsigned char>(line[pos]) <= 32) {
            ++pos;
        }
        size_t start = pos;
        while (pos < line.size() && static_cast<unsigned char>(line[pos]) > 32) {
            ++pos;
        }
        if (pos > start) {
            visit(line.substr(start, pos - start));
        }
    }
}

// The part of the listing after the line that opens the list of games; empty when there is no such line.
std::string_view ListedPart(std::string_view listing)
{
    TTextLineReader reader(listing);
    if (!SkipPastMarker(reader, kListingMarker)) {
        return {};
    }
    return reader.Rest();
}

TSupportedNames ReadListing(std::string_view listing)
{
    const std::string_view listed = ListedPart(listing);
    size_t words = 0;
    VisitWords(listed, [&](std::string_view) { ++words; });
    TSupportedNames names(std::min(words, static_cast<size_t>(kMostReserved)));
    VisitWords(listed, [&](std::string_view word) { names.Add(word, HashFoldedAscii(word)); });
    return names;
}

// A readme line split into display and zip name, with the zip name's hash.
struct TReadmeEntry
{
    std::string_view Trimmed;
    size_t Blank = std::string_view::npos;
    std::string_view ZipName;
    uint64_t Hash = 0;
};

TReadmeEntry SplitReadmeLine(std::string_view line)
{
    TReadmeEntry entry;
    entry.Trimmed = TrimControls(line);
    entry.Blank = entry.Trimmed.rfind(' ');
    entry.ZipName =
        entry.Blank == std::string_view::npos ? entry.Trimmed : entry.Trimmed.substr(entry.Blank + 1);
    entry.Hash = HashFoldedAscii(entry.ZipName);
    return entry;
}

void AddGame(TGameObjectList& catalogue, const TReadmeEntry& entry)
{
    auto game = std::make_unique<TGameObject>();
    game->ZipName = std::string(entry.ZipName);
    game->GameName = entry.Blank == std::string_view::npos
                         ? std::string()
                         : TitleCase(TrimControls(entry.Trimmed.substr(0, entry.Blank)));
    catalogue.AddGame(std::move(game));
}

void Prefetch(const TGameObjectList& catalogue, const TSupportedNames& names, const TReadmeEntry& entry)
{
    names.Prefetch(entry.Hash);
    catalogue.PrefetchIndexOf(entry.ZipName);
}

void MatchReadme(TGameObjectList& catalogue, TSupportedNames& names, std::string_view readme)
{
    TTextLineReader reader(readme);
    if (!SkipPastMarker(reader, kReadmeMarker)) {
        return;
    }
    // Lines are split a few ahead of their lookup, so that the lookup's slot is on its way from memory.
    constexpr size_t kAhead = 8;
    std::array<TReadmeEntry, kAhead> ahead;
    size_t waiting = 0;
    std::string_view line;
    while (waiting < kAhead && reader.Next(line)) {
        ahead[waiting] = SplitReadmeLine(line);
        Prefetch(catalogue, names, ahead[waiting++]);
    }
    for (size_t next = 0; waiting > 0 && !names.Empty(); next = (next + 1) % kAhead) {
        const TReadmeEntry entry = ahead[next];
        --waiting;
        if (reader.Next(line)) {
            ahead[next] = SplitReadmeLine(line);
            Prefetch(catalogue, names, ahead[next]);
            ++waiting;
        }
        if (names.Take(entry.ZipName, entry.Hash)) {
            AddGame(catalogue, entry);
        }
    }
}
} // namespace

TImportResult ImportCatalogueFromBytes(TGameObjectList& catalogue, std::string_view listing,
                                       std::string_view readme)
{
    catalogue.ClearGames();
    TSupportedNames names = ReadListing(listing);
    catalogue.Reserve(std::min(names.Remaining(), kMostReserved));
    MatchReadme(catalogue, names, readme);
    TImportResult result;
    result.UnmatchedNames = names.Remaining();
    if (result.UnmatchedNames > 0) {
        result.Message = std::to_string(result.UnmatchedNames) + " gamenames not found in Korb ReadMe.txt!";
    }
    return result;
}

TImportResult ImportCatalogue(TGameObjectList& catalogue, const std::string& listInfoPath,
                              const std::string& readmePath)
{
    catalogue.ClearGames();
    std::string listing = ReadTextFileBytes(listInfoPath);
    std::string readme = ReadTextFileBytes(readmePath);
    return ImportCatalogueFromBytes(catalogue, listing, readme);
}

std::string TitleCase(std::string_view text)
{
    std::string result(text.size(), '\0');
    bool wordStart = true;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = LowerAscii(text[i]);
        if (wordStart && c >= 'a' && c <= 'z') {
            c = UpperAscii(c);
            wordStart = false;
        } else if (c != '\'' && !(c >= 'a' && c <= 'z')) {
            wordStart = true;
        }
        result[i] = c;
    }
    size_t roman = result.find("Ii");
    if (roman != std::string::npos) {
        result[roman + 1] = 'I';
    }
    return result;
}

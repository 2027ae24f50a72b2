#include "catalogue/SupportedGames.h"
#include "base/AsciiText.h"

#include <algorithm>
#include <memory>
#include <unordered_map>
#include <utility>

#include "catalogue/TextLines.h"

namespace {
constexpr std::string_view kListingMarker = "games:";
constexpr std::string_view kReadmeMarker = "nternal name";
// A hostile listing of millions of words must not make the catalogue reserve room for all of them.
constexpr int kMostReserved = 1 << 17;

struct TFoldedHash
{
    size_t operator()(std::string_view text) const { return static_cast<size_t>(HashFoldedAscii(text)); }
};

struct TFoldedEqual
{
    bool operator()(std::string_view a, std::string_view b) const { return SameTextAscii(a, b); }
};

// The listed names still waiting for a readme line. Only how many copies of each name (ignoring case)
// remain matters, so a count per folded name gives the result of a search through the list in O(1). The
// names are views into the listing's bytes, which outlive the import.
class TSupportedNames
{
public:
    explicit TSupportedNames(size_t expected) { m_counts.reserve(expected); }

    void Add(std::string_view word)
    {
        ++m_counts[word];
        ++m_remaining;
    }

    // Consumes one copy of the name when there is one.
    bool Take(std::string_view name)
    {
        auto it = m_counts.find(name);
        if (it == m_counts.end() || it->second == 0) {
            return false;
        }
        --it->second;
        --m_remaining;
        return true;
    }

    bool Empty() const { return m_remaining == 0; }
    int Remaining() const { return m_remaining; }

private:
    std::unordered_map<std::string_view, int, TFoldedHash, TFoldedEqual> m_counts;
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
    VisitWords(listed, [&](std::string_view word) { names.Add(word); });
    return names;
}

void MatchReadme(TGameObjectList& catalogue, TSupportedNames& names, std::string_view readme)
{
    TTextLineReader reader(readme);
    if (!SkipPastMarker(reader, kReadmeMarker)) {
        return;
    }
    std::string_view line;
    while (!names.Empty() && reader.Next(line)) {
        std::string_view trimmed = TrimControls(line);
        size_t blank = trimmed.rfind(' ');
        std::string_view zipName = blank == std::string_view::npos ? trimmed : trimmed.substr(blank + 1);
        if (!names.Take(zipName)) {
            continue;
        }
        auto game = std::make_unique<TGameObject>();
        game->ZipName = std::string(zipName);
        game->GameName = blank == std::string_view::npos ? std::string()
                                                         : TitleCase(TrimControls(trimmed.substr(0, blank)));
        catalogue.AddGame(std::move(game));
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

#include "catalogue/SupportedGames.h"

#include <random>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

// The import must give exactly what the straightforward reading gives: a list searched from the front for
// every readme line, one entry removed per match.
namespace {
using TEntries = std::vector<std::pair<std::string, std::string>>;

struct TPlainResult
{
    TEntries Games;
    size_t Unmatched = 0;
};

std::vector<std::string> PlainLines(const std::string& bytes)
{
    std::vector<std::string> lines;
    std::string line;
    bool pending = false;
    for (size_t i = 0; i < bytes.size(); ++i) {
        char c = bytes[i];
        if (c == 26) {
            break;
        }
        if (c == '\r') {
            lines.push_back(line);
            line.clear();
            pending = false;
            if (i + 1 < bytes.size() && bytes[i + 1] == '\n') {
                ++i;
            }
            continue;
        }
        line += c;
        pending = true;
    }
    if (pending) {
        lines.push_back(line);
    }
    return lines;
}

bool Separator(char c)
{
    return static_cast<unsigned char>(c) <= 32;
}

std::string Lower(std::string text)
{
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c += 'a' - 'A';
        }
    }
    return text;
}

std::string Trim(const std::string& text)
{
    size_t first = 0;
    size_t last = text.size();
    while (first < last && Separator(text[first])) {
        ++first;
    }
    while (last > first && Separator(text[last - 1])) {
        --last;
    }
    return text.substr(first, last - first);
}

TPlainResult PlainImport(const std::string& listing, const std::string& readme)
{
    std::vector<std::string> names;
    bool afterMarker = false;
    for (const std::string& line : PlainLines(listing)) {
        if (!afterMarker) {
            afterMarker = line.find("games:") != std::string::npos;
            continue;
        }
        std::string word;
        for (char c : line + ' ') {
            if (!Separator(c)) {
                word += c;
            } else if (!word.empty()) {
                names.push_back(word);
                word.clear();
            }
        }
    }
    TPlainResult result;
    afterMarker = false;
    for (const std::string& line : PlainLines(readme)) {
        if (!afterMarker) {
            afterMarker = line.find("nternal name") != std::string::npos;
            continue;
        }
        if (names.empty()) {
            break;
        }
        std::string trimmed = Trim(line);
        size_t blank = trimmed.rfind(' ');
        std::string candidate = blank == std::string::npos ? trimmed : trimmed.substr(blank + 1);
        for (size_t i = 0; i < names.size(); ++i) {
            if (Lower(names[i]) == Lower(candidate)) {
                names.erase(names.begin() + static_cast<long>(i));
                std::string title =
                    blank == std::string::npos ? "" : TitleCase(Trim(trimmed.substr(0, blank)));
                result.Games.emplace_back(candidate, title);
                break;
            }
        }
    }
    result.Unmatched = names.size();
    return result;
}

class TInputGenerator
{
public:
    explicit TInputGenerator(unsigned seed) : m_random(seed) {}

    std::string Name()
    {
        // Few letters and short names: many duplicates and case variants.
        std::string name;
        int length = Pick(1, 3);
        for (int i = 0; i < length; ++i) {
            name += "aAbB1"[Pick(0, 4)];
        }
        return name;
    }

    std::string LineEnd()
    {
        return std::vector<std::string>{"\r\n", "\r\n", "\r", "\n", "\r\r\n"}[Pick(0, 4)];
    }

    std::string Gap() { return std::vector<std::string>{" ", "  ", "\t", " \t ", "\x01"}[Pick(0, 4)]; }

    std::string Listing()
    {
        std::string text = "Korb\r\n" + std::string(Pick(0, 1) ? "listed games:" : "no marker") + LineEnd();
        int lines = Pick(0, 8);
        for (int i = 0; i < lines; ++i) {
            int words = Pick(0, 5);
            for (int w = 0; w < words; ++w) {
                text += Gap() + Name();
            }
            text += LineEnd();
        }
        return text;
    }

    std::string Readme()
    {
        std::string text = Pick(0, 5) ? "Title\r\nName  Internal name" + LineEnd() : "";
        int lines = Pick(0, 20);
        for (int i = 0; i < lines; ++i) {
            switch (Pick(0, 4)) {
            case 0:
                text += Name();
                break;
            case 1:
                text += Gap() + "big GAME " + Name() + "  ii" + Gap() + Name() + Gap();
                break;
            case 2:
                text += std::string(Pick(0, 1) ? "\x1a" : "") + "noise";
                break;
            default:
                text += "SOME game " + Name() + " " + Name();
                break;
            }
            text += LineEnd();
        }
        return text;
    }

private:
    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }
    std::mt19937 m_random;
};

TEST(ImportEquivalence, MatchesThePlainAlgorithmOnGeneratedInputs)
{
    int withGames = 0;
    int withUnmatched = 0;
    for (unsigned seed = 1; seed <= 3000; ++seed) {
        TInputGenerator generator(seed);
        std::string listing = generator.Listing();
        std::string readme = generator.Readme();
        TPlainResult expected = PlainImport(listing, readme);
        TGameObjectList catalogue;
        TImportResult result = ImportCatalogueFromBytes(catalogue, listing, readme);
        TEntries games;
        for (int i = 0; i < catalogue.Count(); ++i) {
            games.emplace_back(catalogue.At(i).ZipName, catalogue.At(i).GameName);
        }
        ASSERT_EQ(games, expected.Games) << "seed " << seed;
        ASSERT_EQ(result.UnmatchedNames, static_cast<int>(expected.Unmatched)) << "seed " << seed;
        withGames += games.empty() ? 0 : 1;
        withUnmatched += expected.Unmatched > 0 ? 1 : 0;
    }
    // The generator must exercise both outcomes, or the comparison proves little.
    EXPECT_GT(withGames, 500);
    EXPECT_GT(withUnmatched, 500);
}
} // namespace

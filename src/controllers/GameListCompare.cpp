#include "controllers/GameListCompare.h"

#include <algorithm>
#include <cstring>
#include <numeric>
#include <string_view>

#include "base/AsciiText.h"
#include "base/DateTimeText.h"
#include "controllers/KeyOrder.h"

TGameListEntry MakeGameListEntry(TGameObject& game)
{
    TGameListEntry entry{&game, kNoZipDate};
    if (!game.ZipDate.empty()) {
        // A text that does not read back as a date cannot be ordered among dates; it goes with the undated.
        if (auto value = ParseDateTime(game.ZipDate)) {
            entry.DateKey = static_cast<double>(value->Seconds);
        }
    }
    return entry;
}

int CompareTextNoCase(const std::string& a, const std::string& b)
{
    const size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i) {
        const int ca = static_cast<unsigned char>(UpperAscii(a[i]));
        const int cb = static_cast<unsigned char>(UpperAscii(b[i]));
        if (ca != cb) {
            return ca - cb;
        }
    }
    return static_cast<int>(a.size()) - static_cast<int>(b.size());
}

int GameListCompare(const TGameListEntry& a, const TGameListEntry& b, TListColumn column, bool descending)
{
    int result = 0;
    switch (column) {
    case TListColumn::Name:
        result = CompareTextNoCase(a.Game->GameName, b.Game->GameName);
        break;
    case TListColumn::ZipName:
        result = CompareTextNoCase(a.Game->ZipName, b.Game->ZipName);
        break;
    case TListColumn::ZipDate:
        result = a.DateKey < b.DateKey ? -1 : (a.DateKey > b.DateKey ? 1 : 0);
        break;
    default:
        break;
    }
    return descending ? -result : result;
}

namespace {
// A name as the sort sees it: 24 of its upper-cased bytes, from the depth the sort has reached, as three
// big-endian numbers (zero bytes past its end), and its size; the entry's position finds it in the block.
struct TTextKey
{
    uint64_t Words[3];
    size_t Size;
    int Index;
};

constexpr size_t kKeyBytes = sizeof(TTextKey::Words);

uint64_t BigEndianAt(const char* bytes, size_t size, size_t from)
{
    uint64_t value = 0;
    if (from + 8 <= size) {
        std::memcpy(&value, bytes + from, 8);
        return __builtin_bswap64(value);
    }
    for (size_t i = from; i < from + 8; ++i) {
        value = value << 8 | (i < size ? static_cast<unsigned char>(bytes[i]) : 0u);
    }
    return value;
}

void LoadKey(const char* text, TTextKey& key, size_t from)
{
    for (size_t i = 0; i < 3; ++i) {
        key.Words[i] = BigEndianAt(text, key.Size, from + 8 * i);
    }
}

bool SameWords(const TTextKey& a, const TTextKey& b)
{
    return a.Words[0] == b.Words[0] && a.Words[1] == b.Words[1] && a.Words[2] == b.Words[2];
}

// A range of keys whose texts agree in every byte before From and all go on past it.
struct TTextRun
{
    size_t First;
    size_t Last;
    size_t From;
};

// Texts equal in their bytes from `from` (zero padded) order by their size when one ends there: the
// shorter is a prefix of the longer. Texts going on past them stay equal here and are ordered deeper.
void SortRun(std::vector<TTextKey>& keys, const TTextRun& run, bool descending)
{
    const size_t ended = run.From + kKeyBytes + 1;
    const auto before = [ended, descending](const TTextKey& a, const TTextKey& b) {
        for (size_t i = 0; i < 3; ++i) {
            if (a.Words[i] != b.Words[i]) {
                return descending ? a.Words[i] > b.Words[i] : a.Words[i] < b.Words[i];
            }
        }
        const size_t sizeA = std::min(a.Size, ended);
        const size_t sizeB = std::min(b.Size, ended);
        if (sizeA != sizeB) {
            return descending ? sizeA > sizeB : sizeA < sizeB;
        }
        // The position breaks every tie, so this unstable sort gives the stable order.
        return a.Index < b.Index;
    };
    const auto first = keys.begin() + ptrdiff_t(run.First);
    const auto last = keys.begin() + ptrdiff_t(run.Last);
    // Runs of one repeated long text are in order already, at every depth.
    if (!std::is_sorted(first, last, before)) {
        std::sort(first, last, before);
    }
}

// Sorts on 24 bytes at a time: integer comparisons in one block of keys, going deeper only in the runs
// of texts that agree so far, so long shared beginnings and repeated names cost no byte-wise comparisons.
void SortTextKeys(const std::string& block, const std::vector<size_t>& starts, std::vector<TTextKey>& keys,
                  bool descending)
{
    std::vector<TTextRun> runs{{0, keys.size(), 0}};
    while (!runs.empty()) {
        const TTextRun run = runs.back();
        runs.pop_back();
        if (run.From > 0) {
            for (size_t i = run.First; i < run.Last; ++i) {
                LoadKey(block.data() + starts[size_t(keys[i].Index)], keys[i], run.From);
            }
        }
        SortRun(keys, run, descending);
        const size_t reached = run.From + kKeyBytes;
        for (size_t i = run.First; i < run.Last;) {
            size_t j = i + 1;
            if (keys[i].Size > reached) {
                while (j < run.Last && keys[j].Size > reached && SameWords(keys[j], keys[i])) {
                    ++j;
                }
                if (j - i > 1) {
                    runs.push_back({i, j, reached});
                }
            }
            i = j;
        }
    }
}

const std::string& TextOf(const TGameListEntry& entry, TListColumn column)
{
    return column == TListColumn::Name ? entry.Game->GameName : entry.Game->ZipName;
}

std::vector<int> Positions(size_t count)
{
    std::vector<int> positions(count);
    for (size_t i = 0; i < count; ++i) {
        positions[i] = static_cast<int>(i);
    }
    return positions;
}

// The upper-cased texts of the entries side by side, with their starts, and their sorted keys.
struct TSortedTexts
{
    std::string Block;
    std::vector<size_t> Starts;
    std::vector<TTextKey> Keys;

    std::string_view Text(const TTextKey& key) const
    {
        return {Block.data() + Starts[size_t(key.Index)], key.Size};
    }
};

TSortedTexts SortTexts(const std::vector<TGameListEntry>& entries, TListColumn column, bool descending)
{
    TSortedTexts texts;
    texts.Block.reserve(entries.size() * 24);
    texts.Starts.reserve(entries.size());
    texts.Keys.reserve(entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        const std::string& text = TextOf(entries[i], column);
        const size_t start = texts.Block.size();
        texts.Block.resize(start + text.size());
        std::transform(text.begin(), text.end(), texts.Block.begin() + ptrdiff_t(start),
                       [](char c) { return UpperAscii(c); });
        texts.Starts.push_back(start);
        TTextKey key{{}, text.size(), static_cast<int>(i)};
        LoadKey(texts.Block.data() + start, key, 0);
        texts.Keys.push_back(key);
    }
    SortTextKeys(texts.Block, texts.Starts, texts.Keys, descending);
    return texts;
}

std::vector<int> OrderByText(const std::vector<TGameListEntry>& entries, TListColumn column, bool descending)
{
    const TSortedTexts texts = SortTexts(entries, column, descending);
    std::vector<int> order;
    order.reserve(texts.Keys.size());
    for (const TTextKey& key : texts.Keys) {
        order.push_back(key.Index);
    }
    return order;
}

std::vector<int> OrderByRadix(std::vector<uint64_t> keys, bool descending)
{
    if (descending) {
        for (uint64_t& key : keys) {
            key = ~key;
        }
    }
    return StableOrderOf(keys);
}
} // namespace

std::vector<int> GameListOrder(const std::vector<TGameListEntry>& entries, TListColumn column,
                               bool descending)
{
    switch (column) {
    case TListColumn::Name:
    case TListColumn::ZipName:
        return OrderByText(entries, column, descending);
    case TListColumn::ZipDate: {
        std::vector<uint64_t> keys;
        keys.reserve(entries.size());
        for (const TGameListEntry& entry : entries) {
            keys.push_back(OrderedKey(entry.DateKey));
        }
        return OrderByRadix(std::move(keys), descending);
    }
    default:
        return Positions(entries.size());
    }
}

std::vector<uint32_t> GameListTextRanks(const std::vector<TGameListEntry>& entries, TListColumn column)
{
    const TSortedTexts texts = SortTexts(entries, column, false);
    std::vector<uint32_t> ranks(entries.size());
    uint32_t rank = 0;
    for (size_t i = 0; i < texts.Keys.size(); ++i) {
        if (i > 0 && texts.Text(texts.Keys[i]) != texts.Text(texts.Keys[i - 1])) {
            ++rank;
        }
        ranks[size_t(texts.Keys[i].Index)] = rank;
    }
    return ranks;
}

std::vector<int> OrderByRanks(const std::vector<uint32_t>& ranks, bool descending)
{
    return OrderByRadix(std::vector<uint64_t>(ranks.begin(), ranks.end()), descending);
}

std::vector<int> OrderByKeys(const std::vector<int64_t>& keys, bool descending,
                             const std::vector<uint32_t>& ties)
{
    // Ties first, then the keys: the second stable pass keeps the first's order among equal keys.
    std::vector<int> byTies(keys.size());
    std::iota(byTies.begin(), byTies.end(), 0);
    if (!ties.empty()) {
        std::vector<uint64_t> tieKeys(keys.size(), 0);
        for (size_t i = 0; i < keys.size() && i < ties.size(); ++i) {
            tieKeys[i] = ties[i];
        }
        byTies = StableOrderOf(tieKeys);
    }
    std::vector<uint64_t> sortKeys;
    sortKeys.reserve(keys.size());
    for (const int position : byTies) {
        sortKeys.push_back(OrderedKey(keys[size_t(position)]));
    }
    std::vector<int> order = OrderByRadix(std::move(sortKeys), descending);
    for (int& position : order) {
        position = byTies[size_t(position)];
    }
    return order;
}

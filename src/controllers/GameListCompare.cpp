#include "controllers/GameListCompare.h"

#include <algorithm>

#include "base/AsciiText.h"
#include "base/DateTimeText.h"

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

int GameListCompare(const TGameListEntry& a, const TGameListEntry& b, int column, bool descending)
{
    int result = 0;
    switch (column) {
    case static_cast<int>(TListColumn::Name):
        result = CompareTextNoCase(a.Game->GameName, b.Game->GameName);
        break;
    case static_cast<int>(TListColumn::ZipName):
        result = CompareTextNoCase(a.Game->ZipName, b.Game->ZipName);
        break;
    case static_cast<int>(TListColumn::ZipDate):
        result = a.DateKey < b.DateKey ? -1 : (a.DateKey > b.DateKey ? 1 : 0);
        break;
    default:
        break;
    }
    return descending ? -result : result;
}

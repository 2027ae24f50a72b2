#include "catalogue/GameObject.h"
#include "base/AsciiText.h"

#include <atomic>
#include <utility>

namespace {

constexpr size_t kFewestSlots = 16;

uint64_t HashHalf(std::string_view zipName)
{
    return HashFoldedAscii(zipName) >> 32;
}

// Room for count names at most half full, a power of two so that a mask picks the slot.
size_t SlotsFor(size_t count)
{
    size_t slots = kFewestSlots;
    while (slots < count * 2) {
        slots *= 2;
    }
    return slots;
}

} // namespace

void TGameObjectList::AddGame(std::unique_ptr<TGameObject> game)
{
    m_games.push_back(std::move(game));
    Index(Count() - 1);
    m_generation = NextGeneration();
}

void TGameObjectList::ClearGames()
{
    m_games.clear();
    m_slots.clear();
    m_indexed = 0;
    m_generation = NextGeneration();
}

uint64_t TGameObjectList::NextGeneration()
{
    static std::atomic<uint64_t> last{0};
    return ++last;
}

void TGameObjectList::Reserve(int count)
{
    m_games.reserve(static_cast<size_t>(count));
    if (SlotsFor(static_cast<size_t>(count)) > m_slots.size()) {
        GrowIndex(SlotsFor(static_cast<size_t>(count)));
    }
}

int TGameObjectList::IndexOf(std::string_view key) const
{
    if (m_slots.empty()) {
        return -1;
    }
    const uint64_t hash = HashHalf(key);
    const size_t mask = m_slots.size() - 1;
    for (size_t at = hash & mask;; at = (at + 1) & mask) {
        const uint64_t slot = m_slots[at];
        if (slot == 0) {
            return -1;
        }
        const int game = static_cast<int>((slot & 0xFFFFFFFFu) - 1);
        if ((slot >> 32) == hash && SameTextAscii(At(game).ZipName, key)) {
            return game;
        }
    }
}

void TGameObjectList::PrefetchIndexOf(std::string_view zipName) const
{
    if (!m_slots.empty()) {
        __builtin_prefetch(&m_slots[HashHalf(zipName) & (m_slots.size() - 1)]);
    }
}

// Only the first game of a name is indexed: a later duplicate is never the answer.
void TGameObjectList::Index(int game)
{
    if (IndexOf(At(game).ZipName) >= 0) {
        return;
    }
    if ((m_indexed + 1) * 2 > m_slots.size()) {
        GrowIndex(SlotsFor(m_indexed + 1));
    }
    const uint64_t hash = HashHalf(At(game).ZipName);
    const size_t mask = m_slots.size() - 1;
    size_t at = hash & mask;
    while (m_slots[at] != 0) {
        at = (at + 1) & mask;
    }
    m_slots[at] = (hash << 32) | static_cast<uint64_t>(game + 1);
    ++m_indexed;
}

void TGameObjectList::GrowIndex(size_t slots)
{
    const std::vector<uint64_t> old = std::exchange(m_slots, std::vector<uint64_t>(slots, 0));
    const size_t mask = m_slots.size() - 1;
    for (const uint64_t slot : old) {
        if (slot == 0) {
            continue;
        }
        size_t at = (slot >> 32) & mask;
        while (m_slots[at] != 0) {
            at = (at + 1) & mask;
        }
        m_slots[at] = slot;
    }
}

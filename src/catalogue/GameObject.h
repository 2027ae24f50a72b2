#pragma once
// A game of the catalogue and the catalogue itself: keyed by zip name without regard to case, in import
// order.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Values of InstallState, as the program keeps and compares them.
inline constexpr int32_t kNotInstalled = 0;
inline constexpr int32_t kInstalled = 1;
// The archive lies only on an extra zipped rom path; a launch copies it into "ziproms/" for the run.
inline constexpr int32_t kInstalledOnExtraPath = 2;

class TGameObject
{
public:
    std::string ZipName = "Default";
    std::string GameName = "Unknown";
    int32_t CurScrShot = 0;
    int32_t InstallState = kNotInstalled;
    // Modification date of the archive found by the last detection, as shown in the list; empty if none.
    std::string ZipDate;
    // The round of on-screen date reading ZipDate was last read in (see TZipDateReader); 0 for none.
    uint32_t ZipDateRound = 0;

    bool Installed() const { return InstallState != kNotInstalled; }
};

// The index is keyed by each record's zip name as it was added: a record keeps its zip name while listed.
class TGameObjectList
{
public:
    void AddGame(std::unique_ptr<TGameObject> game);
    void ClearGames();
    // Room for count entries, so that a large import does not rehash its index again and again.
    void Reserve(int count);
    int Count() const { return static_cast<int>(m_games.size()); }
    TGameObject& At(int index) const { return *m_games[static_cast<size_t>(index)]; }
    // Index of the first entry whose zip name equals key without regard to ASCII case; -1 when absent.
    int IndexOf(std::string_view key) const;
    // Asks the memory for the index slot that a lookup or an addition of zipName reads first: a caller
    // that knows its next names early hides the wait for a slot of a large index behind other work.
    void PrefetchIndexOf(std::string_view zipName) const;
    // Changes with every addition and clearing, and differs between lists: what is worked out once over
    // the games (a sort order) is valid while it is unchanged.
    uint64_t Generation() const { return m_generation; }

private:
    void Index(int game);
    void GrowIndex(size_t slots);

    std::vector<std::unique_ptr<TGameObject>> m_games;
    // Open addressing over the first game of each zip name without regard to case: a slot holds the
    // name's hash in its high half and the game's index + 1 in its low half; 0 is a free slot.
    std::vector<uint64_t> m_slots;
    size_t m_indexed = 0;
    uint64_t m_generation = NextGeneration();

    static uint64_t NextGeneration();
};

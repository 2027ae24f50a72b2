#pragma once
// A catalogue as a 100,000-game folder gives it: names of three words from sixteen and a number (so long
// common prefixes and many equal names), in shuffled order, a third installed with a zip date, and every
// record allocated among other allocations, so that records and names lie scattered over the heap as they
// do after a real import.

#include <algorithm>
#include <cstdio>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "base/DateTimeText.h"
#include "catalogue/GameObject.h"

inline constexpr int kBenchGames = 100000;

class TBenchCatalogue
{
public:
    explicit TBenchCatalogue(TGameObjectList& catalogue)
    {
        static const char* const kWords[] = {"Super",  "Pac",   "Man",    "Street", "Fighter", "Turbo",
                                             "Dragon", "Ninja", "Raiden", "Gals",   "Panic",   "Bomber",
                                             "Metal",  "Slug",  "Final",  "Fight"};
        std::vector<int> order(kBenchGames);
        for (int i = 0; i < kBenchGames; ++i)
            order[size_t(i)] = i;
        std::mt19937 random(3);
        std::shuffle(order.begin(), order.end(), random);
        catalogue.Reserve(kBenchGames);
        for (int i : order) {
            Other(random);
            auto game = std::make_unique<TGameObject>();
            Other(random);
            char zip[16];
            std::snprintf(zip, sizeof zip, "g%06d", i);
            game->ZipName = zip;
            std::string name;
            for (int k = 0; k < 3; ++k)
                name += std::string(kWords[(i * 7 + k * 3) % 16]) + " ";
            game->GameName = name + std::to_string(i % 97);
            Other(random);
            if (i % 3 == 0) {
                game->InstallState = kInstalled;
                game->ZipDate = FormatDateTime(TDateTime{int64_t(1300000000) + int64_t(i % 5000) * 3571});
            }
            catalogue.AddGame(std::move(game));
        }
        // Half of the other allocations go again, leaving holes that later allocations fill.
        for (size_t i = 0; i < m_other.size(); i += 2)
            m_other[i].reset();
    }

private:
    void Other(std::mt19937& random) { m_other.push_back(std::make_unique<char[]>(16 + random() % 160)); }

    std::vector<std::unique_ptr<char[]>> m_other;
};

// The list model's search, play columns, favourite marks and tooltips, without a window.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include <QIcon>

#include "catalogue/PlayLog.h"
#include "ui/GameListModel.h"

namespace {

class GameListModelSearch : public ::testing::Test
{
protected:
    GameListModelSearch()
    {
        Add("Pac-Man", "pacman", 1);
        Add("Galaga", "galaga", 0);
        Add("Ms. Pac-Man", "mspacman", 1);
        Add("R-Type", "rtype", 1);
        std::vector<TGameListEntry> entries;
        for (auto& game : m_games)
            entries.push_back(MakeGameListEntry(*game));
        m_model.SetEntries(std::move(entries));
        m_model.Sort(TListColumn::Name, false);
    }

    void Add(const char* name, const char* zip, int installState)
    {
        auto game = std::make_unique<TGameObject>();
        game->GameName = name;
        game->ZipName = zip;
        game->InstallState = installState;
        m_games.push_back(std::move(game));
    }

    std::vector<std::string> Zips() const
    {
        std::vector<std::string> zips;
        for (int row = 0; row < m_model.Count(); ++row)
            zips.push_back(m_model.GameAt(row)->ZipName);
        return zips;
    }

    QString Text(int row, int column, int role = Qt::DisplayRole) const
    {
        return m_model.data(m_model.index(row, column), role).toString();
    }

    std::vector<std::unique_ptr<TGameObject>> m_games;
    TGameListModel m_model{6};
};

} // namespace

TEST_F(GameListModelSearch, ShowsTheMatchingPartInTheListOrder)
{
    EXPECT_EQ(Zips(), (std::vector<std::string>{"galaga", "mspacman", "pacman", "rtype"}));
    m_model.SetSearch("PAC");
    EXPECT_EQ(Zips(), (std::vector<std::string>{"mspacman", "pacman"}));
    EXPECT_EQ(m_model.FullCount(), 4);
    EXPECT_EQ(m_model.FullRow(1), 2);
    EXPECT_EQ(m_model.FullRow(2), -1);
    EXPECT_TRUE(m_model.Searching());

    m_model.Sort(TListColumn::ZipName, true); // the search stays through a sort
    EXPECT_EQ(Zips(), (std::vector<std::string>{"pacman", "mspacman"}));
    EXPECT_EQ(m_model.FullRow(0), 1);

    m_model.SetSearch("man ms");
    EXPECT_EQ(Zips(), std::vector<std::string>{"mspacman"});
    m_model.SetSearch("zzz");
    EXPECT_EQ(m_model.Count(), 0);
    EXPECT_EQ(m_model.GameAt(0), nullptr);
    m_model.SetSearch("   ");
    EXPECT_FALSE(m_model.Searching());
    EXPECT_EQ(Zips(), (std::vector<std::string>{"rtype", "pacman", "mspacman", "galaga"}));

    // New entries keep the search.
    m_model.SetSearch("type");
    std::vector<TGameListEntry> entries;
    for (auto& game : m_games)
        entries.push_back(MakeGameListEntry(*game));
    m_model.SetEntries(std::move(entries));
    EXPECT_EQ(Zips(), std::vector<std::string>{"rtype"});
    EXPECT_EQ(m_model.RowOf(m_games[3].get()), 0);
    EXPECT_EQ(m_model.RowOf(m_games[0].get()), -1);
}

TEST_F(GameListModelSearch, PlayColumnsTooltipsAndStarsComeFromThePlayLog)
{
    EXPECT_EQ(Text(0, 3), "");
    EXPECT_EQ(Text(0, 0, Qt::ToolTipRole), "");
    const QIcon plainIcon = m_model.data(m_model.index(2, 0), Qt::DecorationRole).value<QIcon>();

    TPlayLog log =
        TPlayLog::FromBytes("[PACMAN]\nPlayCount=12\nPlaySeconds=11100\nLastPlayed=2026-12-01 20:00:00\n"
                            "Favourite=1\n[galaga]\nPlayCount=1\nPlaySeconds=40\nLastPlayed=2026-11-02\n");
    m_model.SetPlayLog(&log);
    // galaga, mspacman, pacman, rtype
    EXPECT_EQ(Text(2, 3), "12");
    EXPECT_EQ(Text(2, 4), "3 h 05 min");
    EXPECT_EQ(Text(2, 5), "2026-12-01 20:00:00");
    EXPECT_EQ(Text(1, 3), "");
    EXPECT_EQ(Text(2, 0, Qt::ToolTipRole), "Pac-Man\nPlayed 12 times, 3 h 05 min, last 2026-12-01");
    EXPECT_EQ(Text(3, 0, Qt::ToolTipRole), "R-Type\nNever played");
    EXPECT_EQ(Text(3, 4, Qt::ToolTipRole), "R-Type\nNever played");
    const QIcon starIcon = m_model.data(m_model.index(2, 0), Qt::DecorationRole).value<QIcon>();
    EXPECT_NE(starIcon.pixmap(32, 32).toImage(), plainIcon.pixmap(32, 32).toImage());
    const QIcon otherIcon = m_model.data(m_model.index(3, 0), Qt::DecorationRole).value<QIcon>();
    EXPECT_EQ(otherIcon.pixmap(32, 32).toImage(), plainIcon.pixmap(32, 32).toImage());
    EXPECT_EQ(m_model.headerData(5, Qt::Horizontal, Qt::DisplayRole).toString(), "Last played");
}

TEST_F(GameListModelSearch, PlayColumnsSortByTheirValuesAndTiesByName)
{
    TPlayLog log = TPlayLog::FromBytes("[pacman]\nPlayCount=3\nPlaySeconds=10\nLastPlayed=2026-12-01\n"
                                       "[galaga]\nPlayCount=3\nPlaySeconds=500\nLastPlayed=2026-12-05\n"
                                       "[rtype]\nPlayCount=1\nPlaySeconds=99\n");
    m_model.SetPlayLog(&log);
    m_model.Sort(TListColumn::Played, false);
    EXPECT_EQ(Zips(), (std::vector<std::string>{"mspacman", "rtype", "galaga", "pacman"}));
    m_model.Sort(TListColumn::Played, true);
    EXPECT_EQ(Zips(), (std::vector<std::string>{"galaga", "pacman", "rtype", "mspacman"}));
    m_model.Sort(TListColumn::Time, true);
    EXPECT_EQ(Zips(), (std::vector<std::string>{"galaga", "rtype", "pacman", "mspacman"}));
    // Never played last when the most recent lead; those tie, and run A to Z as in any direction.
    m_model.Sort(TListColumn::LastPlayed, true);
    EXPECT_EQ(Zips(), (std::vector<std::string>{"galaga", "pacman", "mspacman", "rtype"}));
}

TEST_F(GameListModelSearch, TypingOnGivesWhatASearchFromScratchGives)
{
    const char* const steps[] = {"p", "pa",  "pac",  "pac-", "pac-m", "pac-m ms", "pac-m m", "pac",
                                 "a", "a t", "a ty", "ty",   "",      "r",        "r-"};
    for (const char* typed : steps) {
        m_model.SetSearch(typed);
        TGameListModel fresh(6);
        std::vector<TGameListEntry> entries;
        for (int row = 0; row < m_model.FullCount(); ++row)
            entries.push_back(MakeGameListEntry(*m_games[size_t(row)]));
        fresh.SetEntries(std::move(entries));
        fresh.Sort(TListColumn::Name, false);
        fresh.SetSearch(typed);
        std::vector<std::string> expected;
        for (int row = 0; row < fresh.Count(); ++row)
            expected.push_back(fresh.GameAt(row)->ZipName);
        EXPECT_EQ(Zips(), expected) << typed;
    }
}

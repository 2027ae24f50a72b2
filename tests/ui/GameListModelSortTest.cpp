// The list model's sorts through its public interface: each column's order, ties, descending, the earlier
// sort as second key, and indexes held by views following their games.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include <QPersistentModelIndex>

#include "base/DateTimeText.h"
#include "catalogue/PlayLog.h"
#include "ui/GameListModel.h"

namespace {
struct TSortRow
{
    std::string Name;
    std::string Zip;
    std::string Date = {};
};

class GameListModelSort : public ::testing::Test
{
protected:
    void Fill(const std::vector<TSortRow>& rows)
    {
        for (const TSortRow& row : rows) {
            auto game = std::make_unique<TGameObject>();
            game->GameName = row.Name;
            game->ZipName = row.Zip;
            game->ZipDate = row.Date;
            m_catalogue.AddGame(std::move(game));
        }
        m_model.Fill(m_catalogue, TGameListFilter());
    }

    // The listed games by their position in the catalogue.
    std::vector<int> Listed() const
    {
        std::vector<int> listed;
        for (int row = 0; row < m_model.Count(); ++row) {
            for (int i = 0; i < m_catalogue.Count(); ++i) {
                if (&m_catalogue.At(i) == m_model.GameAt(row))
                    listed.push_back(i);
            }
        }
        return listed;
    }

    TGameObjectList m_catalogue;
    TGameListModel m_model{6};
};

// One set of texts for both text columns: case ties, a prefix, bytes above 127, '_' after the letters.
const std::vector<std::string> kTexts = {"beta", "Alpha", "\xe9t\xe9", "ALPHA", "",
                                         "alp",  "_x",    "Zed",       "alpha"};
// Ascending: the empty text, the prefix, the three equal "alpha" in catalogue order, beta, Zed, '_', é.
const std::vector<int> kAscending = {4, 5, 1, 3, 8, 0, 7, 6, 2};
const std::vector<int> kDescending = {2, 6, 7, 0, 1, 3, 8, 5, 4};
} // namespace

TEST_F(GameListModelSort, NamesFoldAsciiCaseOnlyAndKeepTiesInTheirOrder)
{
    std::vector<TSortRow> rows;
    for (size_t i = 0; i < kTexts.size(); ++i)
        rows.push_back({kTexts[i], "z" + std::to_string(i)});
    Fill(rows);
    m_model.Sort(TListColumn::Name, false);
    EXPECT_EQ(Listed(), kAscending);
    m_model.Sort(TListColumn::Name, true);
    EXPECT_EQ(Listed(), kDescending);
}

TEST_F(GameListModelSort, ZipNamesSortByTheSameRule)
{
    std::vector<TSortRow> rows;
    for (size_t i = 0; i < kTexts.size(); ++i)
        rows.push_back({"same", kTexts[i]});
    Fill(rows);
    m_model.Sort(TListColumn::ZipName, false);
    EXPECT_EQ(Listed(), kAscending);
    m_model.Sort(TListColumn::ZipName, true);
    EXPECT_EQ(Listed(), kDescending);
    m_model.Sort(TListColumn::Name, true); // all equal: the order stays
    EXPECT_EQ(Listed(), kDescending);
}

TEST_F(GameListModelSort, ZipDatesPutTheUndatedLastAndTheEarlierSortSecond)
{
    const std::string day1 = FormatDateTime(TDateTime::FromDays(40000));
    const std::string day2 = FormatDateTime(TDateTime::FromDays(40001));
    Fill({{"d", "a", day2}, {"c", "b", ""}, {"b", "c", day1}, {"a", "d", day2}, {"e", "e", "garbage"}});
    m_model.Sort(TListColumn::Name, false);
    m_model.Sort(TListColumn::ZipDate, false);
    EXPECT_EQ(Listed(), (std::vector<int>{2, 3, 0, 1, 4}));
    m_model.Sort(TListColumn::ZipName, false);
    m_model.Sort(TListColumn::ZipDate, true);
    EXPECT_EQ(Listed(), (std::vector<int>{1, 4, 0, 3, 2}));
}

TEST_F(GameListModelSort, LongSharedBeginningsOrderByTheFirstDifference)
{
    const std::string shared = "Street Fighter Turbo Dragon Ninja Raiden Bomber ";
    Fill({{shared + "12", "a"},
          {shared + "1", "b"},
          {shared + "\x80", "c"},
          {shared.substr(0, 30), "d"},
          {shared + "1" + std::string(1, '\0'), "e"},
          {shared + "1", "f"}});
    m_model.Sort(TListColumn::Name, false);
    EXPECT_EQ(Listed(), (std::vector<int>{3, 1, 5, 4, 0, 2}));
    m_model.Sort(TListColumn::Name, true);
    EXPECT_EQ(Listed(), (std::vector<int>{2, 0, 4, 1, 5, 3}));
}

TEST_F(GameListModelSort, HeldIndexesFollowTheirGamesAlsoWhileSearching)
{
    Fill({{"Gamma", "g"}, {"Alpha", "a"}, {"Beta", "b"}, {"Alphabet", "ab"}});
    m_model.Sort(TListColumn::ZipName, false);
    m_model.SetSearch("alpha");
    ASSERT_EQ(m_model.Count(), 2);
    const TGameObject* second = m_model.GameAt(1);
    const QPersistentModelIndex held(m_model.index(1, 0));
    m_model.Sort(TListColumn::Name, true);
    ASSERT_TRUE(held.isValid());
    EXPECT_EQ(m_model.GameAt(held.row()), second);
    EXPECT_EQ(m_model.RowOf(second), 0);
    m_model.SetSearch("");
    const QPersistentModelIndex gamma(m_model.index(m_model.RowOf(&m_catalogue.At(0)), 1));
    m_model.Sort(TListColumn::ZipName, false);
    EXPECT_EQ(gamma.row(), 3);
    EXPECT_EQ(gamma.column(), 1);
}

TEST_F(GameListModelSort, PlayColumnsWithoutALogKeepTheOrder)
{
    Fill({{"b", "b"}, {"a", "a"}, {"c", "c"}});
    m_model.Sort(TListColumn::Name, false);
    m_model.Sort(TListColumn::Played, true);
    EXPECT_EQ(Listed(), (std::vector<int>{1, 0, 2}));
    TPlayLog log = TPlayLog::FromBytes("[C]\nPlayCount=2\n[a]\nPlayCount=2\n[b]\nPlayCount=1\n");
    m_model.SetPlayLog(&log);
    m_model.Sort(TListColumn::Played, true);
    EXPECT_EQ(Listed(), (std::vector<int>{1, 2, 0}));
    m_model.Sort(TListColumn::Played, false);
    EXPECT_EQ(Listed(), (std::vector<int>{0, 1, 2}));
}

TEST_F(GameListModelSort, EachFillSortsByTheZipDatesOfItsTime)
{
    const std::string day1 = FormatDateTime(TDateTime::FromDays(40000));
    const std::string day2 = FormatDateTime(TDateTime::FromDays(40001));
    Fill({{"a", "a", day2}, {"b", "b", day1}, {"c", "c", ""}});
    m_model.Sort(TListColumn::ZipDate, false);
    EXPECT_EQ(Listed(), (std::vector<int>{1, 0, 2}));
    m_catalogue.At(0).ZipDate = "";
    m_catalogue.At(2).ZipDate = day1;
    m_model.Fill(m_catalogue, TGameListFilter());
    m_model.Sort(TListColumn::ZipDate, true);
    EXPECT_EQ(Listed(), (std::vector<int>{0, 1, 2}));
    m_model.Sort(TListColumn::ZipDate, false);
    EXPECT_EQ(Listed(), (std::vector<int>{1, 2, 0}));
}

// What the sorts work out once over the catalogue (name ranks, play keys) must follow its changes.
TEST_F(GameListModelSort, SortsFollowANewCatalogueAndANewPlay)
{
    Fill({{"b", "b"}, {"d", "d"}});
    m_model.Sort(TListColumn::Name, false);
    Fill({{"a", "a"}, {"c", "c"}});
    m_model.Sort(TListColumn::Name, true);
    EXPECT_EQ(Listed(), (std::vector<int>{1, 3, 0, 2}));

    TPlayLog log;
    m_model.SetPlayLog(&log);
    log.RecordPlay("d", 60, TDateTime{1600000000});
    m_model.Sort(TListColumn::Played, true);
    EXPECT_EQ(Listed(), (std::vector<int>{1, 2, 0, 3}));
    log.RecordPlay("a", 60, TDateTime{1600000000});
    log.RecordPlay("a", 60, TDateTime{1600000000});
    m_model.Sort(TListColumn::Played, true);
    EXPECT_EQ(Listed(), (std::vector<int>{2, 1, 0, 3}));
}

// Sorting the list from the menu and the column headers; the sort is stable, so earlier keys stay second.
#include <QHeaderView>
#include <QTreeView>

#include "ui/GameListView.h"
#include "ui/MainWindowFixture.h"

class TMainWindowSortTest : public TMainWindowTest
{
protected:
    void SetUp() override
    {
        AddGames({{"zeta", "Same", 1, 10},
                  {"alpha", "same", 1, 30},
                  {"mid", "_Under", 1},
                  {"beta", "Apple", 1, 20}});
        Window->FillGameList();
    }
};

TEST_F(TMainWindowSortTest, NameSortIgnoresCaseAndPutsUnderscoreAfterLetters)
{
    // "Same" and "same" are equal: they keep catalogue order.
    EXPECT_EQ(ListedZips(), (std::vector<std::string>{"beta", "zeta", "alpha", "mid"}));
}

TEST_F(TMainWindowSortTest, SortByMenuSortsByNameFirstSoNameIsTheSecondKey)
{
    WriteArchive("zeta", 1);
    WriteArchive("beta", 1);
    Window->FillGameList();
    Click("MenuSortbyZipdate");
    EXPECT_EQ(Window->SortColumn(), TListColumn::ZipDate);
    EXPECT_TRUE(Checked("MenuSortbyZipdate"));
    // alpha (1), then beta "Apple" and zeta "Same" on the same date in name order, undated last.
    EXPECT_EQ(ListedZips(), (std::vector<std::string>{"alpha", "beta", "zeta", "mid"}));
    Click("MSSortByZipname");
    EXPECT_EQ(ListedZips(), (std::vector<std::string>{"alpha", "beta", "mid", "zeta"}));
}

TEST_F(TMainWindowSortTest, DescendingZipDatePutsUndatedFirst)
{
    Click("MenuSortbyZipdate");
    Click("MSOrderDescending");
    EXPECT_EQ(ListedZips(), (std::vector<std::string>{"mid", "zeta", "beta", "alpha"}));
}

TEST_F(TMainWindowSortTest, HeaderClickOnTheSortColumnFlipsTheOrder)
{
    Window->GameListColumnClick(1);
    EXPECT_TRUE(Checked("MSOrderAscending"));
    EXPECT_EQ(ListedZips(), (std::vector<std::string>{"alpha", "beta", "mid", "zeta"}));
    Window->GameListColumnClick(1);
    EXPECT_TRUE(Checked("MSOrderDescending"));
    EXPECT_EQ(ListedZips(), (std::vector<std::string>{"zeta", "mid", "beta", "alpha"}));
    // Another column keeps the order.
    Window->GameListColumnClick(2);
    EXPECT_TRUE(Checked("MSOrderDescending"));
    EXPECT_EQ(Window->SortColumn(), TListColumn::ZipDate);
    EXPECT_EQ(ListedZips().front(), "mid");
}

TEST_F(TMainWindowSortTest, TheHeaderMarksTheSortColumnAndDirection)
{
    QHeaderView* header = Window->GameList().DetailsView()->header();
    Click("MenuSortbyZipdate");
    Click("MSOrderDescending");
    EXPECT_TRUE(header->isSortIndicatorShown());
    EXPECT_EQ(header->sortIndicatorSection(), static_cast<int>(TListColumn::ZipDate));
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);
    Window->GameListColumnClick(0);
    EXPECT_EQ(header->sortIndicatorSection(), 0);
}

TEST_F(TMainWindowSortTest, RealHeaderClickReachesTheHandler)
{
    Click("MSIconsDetails");
    QHeaderView* header = Window->GameList().DetailsView()->header();
    emit header->sectionClicked(1);
    EXPECT_EQ(Window->SortColumn(), TListColumn::ZipName);
    EXPECT_TRUE(Checked("MSSortByZipname"));
}

TEST_F(TMainWindowSortTest, SelectionFollowsItsGameThroughASort)
{
    Window->GameList().SelectRow(1);
    ASSERT_EQ(Window->CurrentGame()->ZipName, "zeta");
    Click("MSSortByZipname");
    EXPECT_EQ(Window->GameList().SelectedRow(), 3);
    EXPECT_EQ(Window->CurrentGame()->ZipName, "zeta");
}

TEST_F(TMainWindowSortTest, RefillKeepsSortColumnAndOrder)
{
    Window->GameListColumnClick(1);
    Window->GameListColumnClick(1);
    Click("MSGamesInstalled");
    EXPECT_EQ(ListedZips(), (std::vector<std::string>{"zeta", "mid", "beta", "alpha"}));
}

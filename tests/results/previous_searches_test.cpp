// The Previous Searches bar's decisions, from the list's state.

#include <gtest/gtest.h>

#include "results/previous_searches.h"
#include "results/saved_search.h"
#include "support/temp_folder.h"

namespace sorvane {
namespace {

TEST(PreviousSearches, RebuiltListSelectsItsFirstEntry) {
  EXPECT_EQ(MakePreviousSearchList({}).selection, -1);
  EXPECT_EQ(MakePreviousSearchList({"a", "b"}).selection, 0);
  EXPECT_EQ(ChosenEntry(MakePreviousSearchList({})), std::nullopt);
  EXPECT_EQ(ChosenEntry(PreviousSearchList{{"a", "b"}, 1}), "b");
  EXPECT_EQ(ChosenEntry(PreviousSearchList{{"a", "b"}, -1}), "a") << "no selection takes entry 0";
  EXPECT_EQ(ChosenEntry(PreviousSearchList{{"a", "b"}, 9}), "a");
}

TEST(PreviousSearches, ChoosingAnEntryLoadsItUnlessThereIsNothingToLoad) {
  EXPECT_EQ(DecidePreviousSearchSelected(PreviousSearchList{}).outcome, SelectOutcome::Nothing);
  EXPECT_EQ(DecidePreviousSearchSelected(PreviousSearchList{{"", "b"}, 0}).outcome, SelectOutcome::Nothing);
  const SelectDecision load = DecidePreviousSearchSelected(PreviousSearchList{{"a", "wooden boats"}, 1});
  EXPECT_EQ(load.outcome, SelectOutcome::Load);
  EXPECT_EQ(load.words, "wooden boats");
}

TEST(PreviousSearches, SearchAgainByCategory) {
  const SearchAgainDecision empty = DecideSearchAgain(PreviousSearchList{}, 3);
  EXPECT_EQ(empty.outcome, SearchAgainOutcome::ShowEmptyListMessage);
  EXPECT_EQ(empty.message,
            "The list of Previous Searches is empty.  After you search for something, you will see it appear in "
            "the list.  You can then press the <Search> button again to re-search the Internet for your "
            "information.");

  const PreviousSearchList list{{"boats", "cars"}, 1};
  const SearchAgainDecision noCategory = DecideSearchAgain(list, std::nullopt);
  EXPECT_EQ(noCategory.outcome, SearchAgainOutcome::ShowChooseCategoryMessage);
  EXPECT_EQ(noCategory.message, "Please choose a category to search for cars in.");

  const SearchAgainDecision pc = DecideSearchAgain(list, 1);
  EXPECT_EQ(pc.outcome, SearchAgainOutcome::StartPcSearch);
  EXPECT_EQ(pc.words, "cars");

  const SearchAgainDecision web = DecideSearchAgain(list, 0);
  EXPECT_EQ(web.outcome, SearchAgainOutcome::StartWebSearch);
  EXPECT_EQ(web.categoryRow, 0);
  EXPECT_EQ(web.words, "cars");
}

TEST(PreviousSearches, DeleteAsksFirst) {
  const DeleteDecision empty = DecideDeleteSearch(PreviousSearchList{});
  EXPECT_EQ(empty.outcome, DeleteOutcome::ShowEmptyListMessage);
  EXPECT_EQ(empty.message,
            "The list of Previous Searches is empty.  After you search for something, you will see it appear in "
            "the list.  You can then press the <Delete> button delete search results displayed in the List View.");
  EXPECT_EQ(DecideDeleteSearch(PreviousSearchList{{""}, 0}).outcome, DeleteOutcome::Nothing);
  const DeleteDecision ask = DecideDeleteSearch(PreviousSearchList{{"boats"}, -1});
  EXPECT_EQ(ask.outcome, DeleteOutcome::AskToConfirm);
  EXPECT_EQ(ask.message, "Are you sure you want to delete 'boats'?");
  EXPECT_EQ(ask.words, "boats");
}

TEST(PreviousSearches, SavedMyPcSearchIsSearchedAgainOnThePc) {
  testing::TempFolder home;
  ASSERT_TRUE(SaveSearch(home.path(), "invoice 2004", {RowCells{{"d", "/home/me/a.txt", "0", "1", "Sorvane"}, false}}, 1));
  const PreviousSearchList list = MakePreviousSearchList(ListSavedSearches(home.path()));
  const SelectDecision chosen = DecidePreviousSearchSelected(list);
  ASSERT_EQ(chosen.outcome, SelectOutcome::Load);
  ResultsTable table;
  const std::optional<int> category = LoadSavedSearch(home.path(), chosen.words, table);
  ASSERT_TRUE(category);
  const SearchAgainDecision again = DecideSearchAgain(list, *category);
  EXPECT_EQ(again.outcome, SearchAgainOutcome::StartPcSearch);
  EXPECT_EQ(again.words, "invoice 2004");
  EXPECT_EQ(table.Cell(0, 1), "/home/me/a.txt");
  EXPECT_FALSE(LoadSavedSearch(home.path(), "never saved", table));
  EXPECT_EQ(table.RowCount(), 1);
}

}  // namespace
}  // namespace sorvane

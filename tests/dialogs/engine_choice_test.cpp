// The decisions behind the engine and category dialogs: the order of their
// sorted lists, the Category Properties prefix rule, finding a record again
// after the list has moved on, and the texts they show.

#include "dialogs/engine_choice.h"

#include <gtest/gtest.h>

namespace sorvane {
namespace {

using Names = std::vector<std::string>;

TEST(EngineDlgLogic, SortsIgnoringLetterCaseAndKeepsEqualNamesInArrivalOrder) {
  EXPECT_EQ(SortedNames({"Zeta", "alpha", "Beta"}), (Names{"alpha", "Beta", "Zeta"}));
  EXPECT_EQ(SortedNames({"B-engine", "A-engine"}), (Names{"A-engine", "B-engine"}));
  EXPECT_EQ(SortedNames({"search plus", "Search", "SEARCH"}), (Names{"Search", "SEARCH", "search plus"}));
  // Bytes past ASCII sort after every letter; the empty name comes first.
  EXPECT_EQ(SortedNames({"\xC3\xA9toile", "zulu", ""}), (Names{"", "zulu", "\xC3\xA9toile"}));
  // Letters fold to small ones, so '_' (between the capitals and the small
  // letters) sorts before every letter.
  EXPECT_EQ(SortedNames({"b", "_", "A"}), (Names{"_", "A", "b"}));
}

TEST(EngineDlgLogic, InsertPositionGoesAfterEveryEntryThatDoesNotSortAfterTheName) {
  const Names sorted{"alpha", "Beta", "Zeta"};
  EXPECT_EQ(SortedInsertPosition(sorted, "Zulu"), 3u);
  EXPECT_EQ(SortedInsertPosition(sorted, "beta"), 2u);
  EXPECT_EQ(SortedInsertPosition(sorted, "ALPHA"), 1u);
  EXPECT_EQ(SortedInsertPosition(sorted, ""), 0u);
  EXPECT_EQ(SortedInsertPosition({}, "first"), 0u);
}

TEST(EngineDlgLogic, PrefixRuleRefusesANameThatAListedEntryBeginsWith) {
  struct Case {
    Names listed;
    std::string chosen;
    bool refused;
  };
  const Case cases[] = {
      {{"Search Plus"}, "Search", true},
      {{"Search"}, "Search Plus", false},
      {{"AltaSeek"}, "ALTASEEK", true},
      {{"altaseek"}, "AltaSeek", true},
      {{"Beta", "Gamma"}, "Alpha", false},
      {{}, "Alpha", false},
      {{"Alph"}, "Alpha", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(HasEntryStartingWith(c.listed, c.chosen), c.refused) << c.chosen;
  }
}

TEST(EngineDlgLogic, ARecordIsFoundByAddressUntilTheListReplacesOrRemovesIt) {
  EngineList engines;
  SearchEngine first;
  first.name = "first";
  SearchEngine second;
  second.name = "second";
  engines.Append(first);
  const EnginePtr kept = engines.Append(second);
  EXPECT_EQ(FindRecordIndex(engines, kept.get()), 1u);

  const EnginePtr replacement = engines.Replace(1, first);
  EXPECT_EQ(FindRecordIndex(engines, kept.get()), std::nullopt);
  EXPECT_EQ(FindRecordIndex(engines, replacement.get()), 1u);
  EXPECT_EQ(kept->name, "second");  // whoever still holds it keeps it whole

  engines.Remove(0);
  EXPECT_EQ(FindRecordIndex(engines, replacement.get()), 0u);
  EXPECT_EQ(FindRecordIndex(engines, nullptr), std::nullopt);
}

TEST(EngineDlgLogic, NamesInMessagesAreTextNotFormats) {
  // The exact questions are checked where the dialogs ask them.
  EXPECT_EQ(DeleteEngineQuestion("100%s"), "Are you sure you want to delete 100%s?");
  EXPECT_NE(RemoveCategoryEngineQuestion("%d", "%s").find("'%d' from your list of engines for '%s'"),
            std::string::npos);
  EXPECT_NE(SaveFailedMessage("/home/u/engines.dat").find("/home/u/engines.dat"), std::string::npos);
}

}  // namespace
}  // namespace sorvane

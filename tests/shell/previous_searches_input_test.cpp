// The Previous Searches bar driven by the keyboard, as a person opens its list
// and chooses in it.

#include <wx/choice.h>

#include <string>
#include <vector>

#include "results/results_list_ctrl.h"
#include "results/saved_search.h"
#include "shell/choice_reselect.h"
#include "shell/frame_fixture.h"
#include "support/input_events.h"

namespace sorvane::testing {
namespace {

using namespace std::chrono_literals;

class PreviousSearchesInput : public FrameTest {
 protected:
  // Opens the bar's list from the keyboard and waits until it is on screen.
  bool OpenList(wxChoice& choice) {
    input_.Key(WXK_SPACE);
    return PumpUntil([&] { return IsChoiceListOpen(choice); }, 5000ms);
  }

  Input input_;
};

TEST_F(PreviousSearchesInput, ChoosingTheShownEntryAgainBringsItsRowsBack) {
  ASSERT_TRUE(SaveSearch(home_.path(), "boats",
                         {{{"Wooden boats", "http://b.example/", "90", "1", "Wiby"}, false},
                          {{"boat plans", "http://a.example/", "80", "2", "mojeek"}, false}},
                         0));
  ASSERT_TRUE(SaveSearch(home_.path(), "canoes", {{{"Canoe", "http://c.example/", "70", "1", "Wiby"}, false}}, 0));
  CMainFrame& frame = Open(false);
  wxChoice& choice = *frame.PreviousSearches();
  CResultsListCtrl& list = *frame.View()->ResultsList();
  ASSERT_EQ(choice.GetStringSelection(), "boats");
  ASSERT_EQ(list.GetItemCount(), 0);
  ASSERT_TRUE(FocusOn(choice));

  // Opened and closed with Esc: nothing is chosen, nothing loads.
  ASSERT_TRUE(OpenList(choice));
  input_.Key(WXK_ESCAPE);
  ASSERT_TRUE(PumpUntil([&] { return !IsChoiceListOpen(choice); }, 5000ms));
  Pump();
  EXPECT_EQ(list.GetItemCount(), 0);
  EXPECT_EQ(frame.LastQuery(), "");

  // The entry already shown, chosen with Enter: its rows come.
  ASSERT_TRUE(OpenList(choice));
  input_.Key(WXK_RETURN);
  ASSERT_TRUE(PumpUntil([&] { return list.GetItemCount() == 2; }, 5000ms));
  EXPECT_EQ(frame.LastQuery(), "boats");

  // Other rows in the table since (as after a search), and the same entry
  // chosen once more: they give way to the saved ones again.
  frame.ResultsTableModel()->DeleteAll();
  list.SyncWithTable();
  ASSERT_EQ(list.GetItemCount(), 0);
  ASSERT_TRUE(FocusOn(choice));
  ASSERT_TRUE(OpenList(choice));
  input_.Key(WXK_RETURN);
  ASSERT_TRUE(PumpUntil([&] { return list.GetItemCount() == 2; }, 5000ms));

  // Another entry chosen in the list loads as it always has.
  ASSERT_TRUE(FocusOn(choice));
  ASSERT_TRUE(OpenList(choice));
  input_.Key(WXK_DOWN);
  input_.Key(WXK_RETURN);
  ASSERT_TRUE(PumpUntil([&] { return list.GetItemCount() == 1; }, 5000ms));
  EXPECT_EQ(frame.LastQuery(), "canoes");
  EXPECT_EQ(choice.GetStringSelection(), "canoes");
}

}  // namespace
}  // namespace sorvane::testing

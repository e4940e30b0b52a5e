// The main window driven by real input events, as a person at the keyboard and
// mouse drives it: the results list's keys, clicks and selection.

#include <wx/listctrl.h>

#include <string>
#include <vector>

#include "results/results_list_ctrl.h"
#include "shell/frame_fixture.h"
#include "support/input_events.h"
#include "support/modal_answers.h"

namespace sorvane::testing {
namespace {

using namespace std::chrono_literals;

void FillRows(ResultsTable& table, int count, int firstNumber = 0) {
  table.WithLock([&](TableRows& rows) {
    for (int i = firstNumber; i < firstNumber + count; ++i)
      rows.AppendRow({"hit " + std::to_string(i), "http://site.example/" + std::to_string(i), "50", "1",
                      i % 2 ? "Odd" : "Even"});
  });
}

class WindowInput : public FrameTest {
 protected:
  // The frame without a browser, its list holding `rows` hits and the keyboard.
  CResultsListCtrl& OpenList(int rows) {
    CMainFrame& frame = Open(false);
    FillRows(*frame.ResultsTableModel(), rows);
    CResultsListCtrl& list = *frame.View()->ResultsList();
    list.SyncWithTable();
    EXPECT_TRUE(FocusOn(list.RowsWindow()));
    return list;
  }

  // The middle of list row `row` as shown now, in the rows' area.
  static wxPoint RowPoint(CResultsListCtrl& list, long row) {
    return wxPoint(120, static_cast<int>((row - list.GetTopItem()) * CResultsListCtrl::kRowHeight +
                                         CResultsListCtrl::kRowHeight / 2));
  }

  // Presses a key and waits for the selection it should give.
  bool KeyGives(int keyCode, long expected, CResultsListCtrl& list) {
    input_.Key(keyCode);
    return PumpUntil([&] { return list.GetFirstSelected() == expected; }, 5000ms);
  }

  Input input_;
  std::vector<std::string> launched_;
};

TEST_F(WindowInput, ResultsListKeysMoveTheSelectionAndKeepItInView) {
  CResultsListCtrl& list = OpenList(60);
  const long page = list.GetCountPerPage();
  ASSERT_GT(page, 2);
  ASSERT_LT(page, 40);

  input_.Click(list.RowsWindow(), RowPoint(list, 2));
  ASSERT_TRUE(PumpUntil([&] { return list.GetFirstSelected() == 2; }, 5000ms));
  EXPECT_TRUE(KeyGives(WXK_DOWN, 3, list));
  EXPECT_TRUE(KeyGives(WXK_UP, 2, list));
  EXPECT_TRUE(KeyGives(WXK_PAGEDOWN, 2 + page, list));
  EXPECT_GE(2 + page, list.GetTopItem());
  EXPECT_LT(2 + page, list.GetTopItem() + page);
  EXPECT_TRUE(KeyGives(WXK_END, 59, list));
  EXPECT_EQ(list.GetTopItem(), 60 - page);
  EXPECT_TRUE(KeyGives(WXK_DOWN, 59, list));  // the last row stays selected
  EXPECT_TRUE(KeyGives(WXK_PAGEUP, 59 - page, list));
  EXPECT_TRUE(KeyGives(WXK_HOME, 0, list));
  EXPECT_EQ(list.GetTopItem(), 0);
  EXPECT_TRUE(KeyGives(WXK_UP, 0, list));
}

TEST_F(WindowInput, SelectionFollowsItsHitAndAClickBelowTheRowsClearsIt) {
  CResultsListCtrl& list = OpenList(3);
  input_.Click(list.RowsWindow(), RowPoint(list, 1));
  ASSERT_TRUE(PumpUntil([&] { return list.GetFirstSelected() == 1; }, 5000ms));

  // A search inserts two hits above the selected one, from a worker thread.
  ResultsTable& table = *list.Table();
  std::thread worker([&] {
    table.WithLock([](TableRows& rows) {
      rows.InsertRow(0, {"new 0", "http://new.example/0", "90", "1", "Odd"});
      rows.InsertRow(1, {"new 1", "http://new.example/1", "80", "1", "Odd"});
    });
  });
  worker.join();
  ASSERT_TRUE(PumpUntil([&] { return list.GetItemCount() == 5; }, 5000ms));
  EXPECT_EQ(list.GetFirstSelected(), 3);
  EXPECT_EQ(table.Cell(static_cast<int>(list.GetFirstSelected()), 0), "hit 1");
  EXPECT_TRUE(KeyGives(WXK_DOWN, 4, list));

  // The empty space under the five rows.
  input_.Click(list.RowsWindow(), wxPoint(120, 5 * CResultsListCtrl::kRowHeight + 10));
  EXPECT_TRUE(PumpUntil([&] { return list.GetFirstSelected() == -1; }, 5000ms));
  // Emptying the table forgets the selection for good: the new rows are others.
  list.Select(2);
  table.DeleteAll();
  FillRows(table, 3);
  list.SyncWithTable();
  EXPECT_EQ(list.GetFirstSelected(), -1);
}

TEST_F(WindowInput, EnterOpensTheSelectedRowAsADoubleClickDoes) {
  launcher_ = [this](const std::string& address) {
    launched_.push_back(address);
    return 42;
  };
  CResultsListCtrl& list = OpenList(4);
  input_.Click(list.RowsWindow(), RowPoint(list, 2));
  ASSERT_TRUE(PumpUntil([&] { return list.GetFirstSelected() == 2; }, 5000ms));
  input_.Key(WXK_RETURN);
  ASSERT_TRUE(PumpUntil([&] { return !launched_.empty(); }, 5000ms));
  EXPECT_EQ(launched_, std::vector<std::string>{"http://site.example/2"});
  EXPECT_TRUE(list.Table()->IsViewed(2));

  input_.DoubleClick(list.RowsWindow(), RowPoint(list, 3));
  ASSERT_TRUE(PumpUntil([&] { return launched_.size() == 2; }, 5000ms));
  EXPECT_EQ(launched_[1], "http://site.example/3");
  EXPECT_TRUE(list.Table()->IsViewed(3));
  EXPECT_FALSE(list.Table()->IsViewed(1));

  // With nothing selected Enter opens nothing.
  list.Select(-1);
  input_.Key(WXK_RETURN);
  input_.Key(WXK_HOME);
  ASSERT_TRUE(PumpUntil([&] { return list.GetFirstSelected() == 0; }, 5000ms));
  EXPECT_EQ(launched_.size(), 2u);
}

}  // namespace
}  // namespace sorvane::testing

// What a person does with the results by mouse and keyboard: sorting by a
// header click, the row menu, finding in the results, what is new since the
// last search of the same words, and exporting the table.

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>

#include <string>
#include <vector>

#include "results/results_export.h"
#include "results/results_list_ctrl.h"
#include "results/saved_search.h"
#include "shell/frame_fixture.h"
#include "shell/results_find_bar.h"
#include "support/input_events.h"

namespace sorvane::testing {
namespace {

using namespace std::chrono_literals;

std::string ClipboardText() {
  wxClipboardLocker locker;
  wxTextDataObject text;
  if (!locker || !wxTheClipboard->GetData(text)) return {};
  return text.GetText().utf8_string();
}

class WindowResults : public FrameTest {
 protected:
  // The frame without a browser, its table holding `rows` (in table order).
  CResultsListCtrl& OpenWith(const std::vector<RowCells>& rows) {
    CMainFrame& frame = Open(false);
    frame.ResultsTableModel()->WithLock([&](TableRows& table) {
      for (const RowCells& row : rows) AppendRowCells(table, row);
    });
    CResultsListCtrl& list = *frame.View()->ResultsList();
    list.SyncWithTable();
    frame.Bind(wxEVT_MENU_OPEN, [this](wxMenuEvent& event) {
      ++menusOpened_;
      event.Skip();
    });
    EXPECT_TRUE(FocusOn(list.RowsWindow()));
    return list;
  }

  // Descriptions of the shown rows, top to bottom.
  static std::vector<std::string> Shown(CResultsListCtrl& list) {
    std::vector<std::string> shown;
    for (long row = 0; row < list.GetItemCount(); ++row)
      shown.push_back(list.Table()->Cell(list.TableRowOf(row), 0));
    return shown;
  }

  static wxPoint RowPoint(CResultsListCtrl& list, long row) {
    return wxPoint(120, static_cast<int>((row - list.GetTopItem()) * CResultsListCtrl::kRowHeight +
                                         CResultsListCtrl::kRowHeight / 2));
  }

  // The middle of a column's header, in the list's own co-ordinates.
  static wxPoint HeaderPoint(CResultsListCtrl& list, int column) {
    int x = 0;
    for (int i = 0; i < column; ++i) x += list.GetColumnWidth(i);
    return wxPoint(x + list.GetColumnWidth(column) / 2, list.RowsWindow().GetPosition().y / 2);
  }

  wxString StatusText() const { return frame_->GetStatusBar()->GetStatusText(0); }

  Input input_;
  int menusOpened_ = 0;
};

const std::vector<RowCells> kRows = {
    {{"Wooden boats", "http://b.example/", "90", "1", "Wiby"}, false},
    {{"alpha boat plans", "http://a.example/", "80", "12", "mojeek"}, false},
    {{"Zebra", "http://z.example/", "70", "3", "Arxiv"}, false},
    {{"\xC3\x89" "cole de voile", "http://e.example/", "60", "2", "Wiby"}, false},
};

TEST_F(WindowResults, HeaderClicksSortTheShownRowsAndASecondClickReverses) {
  CResultsListCtrl& list = OpenWith(kRows);
  input_.Click(list, HeaderPoint(list, 3));  // Hits, as numbers
  ASSERT_TRUE(PumpUntil([&] { return list.SortColumn() == 3; }, 5000ms));
  EXPECT_EQ(Shown(list), (std::vector<std::string>{"Wooden boats", "\xC3\x89" "cole de voile", "Zebra",
                                                   "alpha boat plans"}));
  EXPECT_FALSE(list.SortDescending());

  input_.Click(list, HeaderPoint(list, 3));
  ASSERT_TRUE(PumpUntil([&] { return list.SortDescending(); }, 5000ms));
  EXPECT_EQ(Shown(list).front(), "alpha boat plans");

  input_.Click(list, HeaderPoint(list, 0));  // Description, without regard to case
  ASSERT_TRUE(PumpUntil([&] { return list.SortColumn() == 0; }, 5000ms));
  EXPECT_EQ(Shown(list), (std::vector<std::string>{"alpha boat plans", "Wooden boats", "Zebra",
                                                   "\xC3\x89" "cole de voile"}));

  // A double-click opens the row shown there.
  input_.DoubleClick(list.RowsWindow(), RowPoint(list, 0));
  ASSERT_TRUE(PumpUntil([&] { return list.Table()->IsViewed(1); }, 5000ms));
  EXPECT_EQ(list.GetFirstSelected(), 0);

  // A row arriving from a search goes to its place in the sorted view.
  list.Table()->WithLock(
      [](TableRows& rows) { rows.InsertRow(0, {"Middle", "http://m.example/", "99", "1", "E"}); });
  ASSERT_TRUE(PumpUntil([&] { return list.GetItemCount() == 5; }, 5000ms));
  EXPECT_EQ(Shown(list)[1], "Middle");
  EXPECT_EQ(list.GetFirstSelected(), 0);

  // The table itself keeps rank order: the saved search is written from it.
  EXPECT_EQ(list.Table()->Cell(0, 0), "Middle");
  EXPECT_EQ(list.Table()->Cell(1, 0), "Wooden boats");
}

TEST_F(WindowResults, RowMenuByRightClickAndByTheMenuKeyCopiesTheRowsTexts) {
  CResultsListCtrl& list = OpenWith(kRows);
  {
    InputScript script;
    script.Then([&] { return menusOpened_ == 1; }, [&] { input_.Key('A'); });  // Copy &Address
    script.Run();
    input_.Click(list.RowsWindow(), RowPoint(list, 2), wxMOUSE_BTN_RIGHT);
    ASSERT_TRUE(PumpUntil([&] { return script.Done(); }, 10000ms));
    ASSERT_TRUE(PumpUntil([&] { return ClipboardText() == "http://z.example/"; }, 5000ms)) << ClipboardText();
    EXPECT_EQ(list.GetFirstSelected(), 2);  // the right-click selected its row
  }
  {
    list.Select(3);
    InputScript script;
    script.Then([&] { return menusOpened_ == 2; }, [&] { input_.Key('D'); });  // Copy &Description
    script.Run();
    input_.Key(WXK_MENU);
    ASSERT_TRUE(PumpUntil([&] { return script.Done(); }, 10000ms));
    ASSERT_TRUE(PumpUntil([&] { return ClipboardText() == "\xC3\x89" "cole de voile"; }, 5000ms))
        << ClipboardText();
  }
  {
    // Open in Browser, by Shift+F10: the row counts as opened.
    list.Select(0);
    InputScript script;
    script.Then([&] { return menusOpened_ == 3; }, [&] { input_.Key('B'); });
    script.Run();
    input_.Key(WXK_F10, wxMOD_SHIFT);
    ASSERT_TRUE(PumpUntil([&] { return script.Done(); }, 10000ms));
    ASSERT_TRUE(PumpUntil([&] { return list.Table()->IsViewed(0); }, 5000ms));
  }
  Pump(50ms);
  EXPECT_EQ(menusOpened_, 3);  // one menu for each right-click or key, never two
}

TEST_F(WindowResults, CtrlFFindsInTheResultsAndEscShowsEveryRowAgain) {
  CResultsListCtrl& list = OpenWith(kRows);
  input_.Key('F', wxMOD_CONTROL);
  CSorvaneView& view = *frame_->View();
  ASSERT_TRUE(PumpUntil(
      [&] { return view.FindBarShown() && wxWindow::FindFocus() == view.FindBar()->TextControl(); }, 5000ms));
  input_.Type("BOAT");
  ASSERT_TRUE(PumpUntil([&] { return list.GetItemCount() == 2; }, 5000ms));
  EXPECT_EQ(Shown(list), (std::vector<std::string>{"Wooden boats", "alpha boat plans"}));
  EXPECT_EQ(StatusText(), "2 of 4 hits shown");

  // Unicode letters without regard to case; the engine is searched too.
  view.FindBar()->TextControl()->SetValue(wxString::FromUTF8("\xC3\xA9" "cole"));
  ASSERT_TRUE(PumpUntil([&] { return list.GetItemCount() == 1; }, 5000ms));
  view.FindBar()->TextControl()->SetValue("wiby");
  ASSERT_TRUE(PumpUntil([&] { return list.GetItemCount() == 2; }, 5000ms));

  // The keys act on the shown rows: Down from nothing selects the first shown.
  list.Select(-1);
  ASSERT_TRUE(FocusOn(list.RowsWindow()));
  input_.Key(WXK_HOME);
  ASSERT_TRUE(PumpUntil([&] { return list.GetFirstSelected() == 0; }, 5000ms));
  EXPECT_EQ(list.TableRowOf(list.GetFirstSelected()), 0);
  input_.Key(WXK_END);
  ASSERT_TRUE(PumpUntil([&] { return list.GetFirstSelected() == 1; }, 5000ms));
  EXPECT_EQ(list.TableRowOf(list.GetFirstSelected()), 3);

  view.FindBar()->FocusText();
  ASSERT_TRUE(PumpUntil([&] { return wxWindow::FindFocus() == view.FindBar()->TextControl(); }, 5000ms));
  input_.Key(WXK_ESCAPE);
  ASSERT_TRUE(PumpUntil([&] { return !view.FindBarShown(); }, 5000ms));
  EXPECT_EQ(list.GetItemCount(), 4);
  EXPECT_EQ(list.TableRowOf(list.GetFirstSelected()), 3);  // the selected hit stays selected
}

TEST_F(WindowResults, ASearchOfTheSameWordsMarksWhatIsNewAndNewOnlyShowsIt) {
  // The earlier search of these words knew two of the four addresses.
  ASSERT_TRUE(SaveSearch(home_.path(), "boats", {kRows[0], kRows[2]}, 0));
  CResultsListCtrl& list = OpenWith(kRows);
  frame_->SetLastQuery("boats");
  frame_->FinishSearch();
  EXPECT_TRUE(list.MarksNewRows());
  EXPECT_FALSE(list.IsNewRow(0));
  EXPECT_TRUE(list.IsNewRow(1));
  EXPECT_TRUE(StatusText().StartsWith("4 hits, 2 new since ")) << StatusText();

  input_.Key('F', wxMOD_CONTROL);
  CSorvaneView& view = *frame_->View();
  ASSERT_TRUE(PumpUntil([&] { return view.FindBarShown(); }, 5000ms));
  wxCheckBox& newOnly = *view.FindBar()->NewOnlyBox();
  ASSERT_TRUE(newOnly.IsEnabled());
  input_.Click(newOnly, wxPoint(8, newOnly.GetSize().y / 2));
  ASSERT_TRUE(PumpUntil([&] { return list.GetItemCount() == 2; }, 5000ms));
  EXPECT_EQ(Shown(list), (std::vector<std::string>{"alpha boat plans", "\xC3\x89" "cole de voile"}));
  EXPECT_EQ(StatusText(), "2 of 4 hits shown");

  // The saved file kept its format and now holds this search: chosen again from
  // Previous Searches it shows when it was saved, and no marks.
  frame_->FillPreviousSearches("boats");
  frame_->OnPreviousSearchSelected();
  EXPECT_FALSE(list.MarksNewRows());
  EXPECT_FALSE(newOnly.IsEnabled());
  EXPECT_EQ(list.GetItemCount(), 4);
  EXPECT_TRUE(StatusText().StartsWith("Saved ")) << StatusText();
  EXPECT_TRUE(StatusText().EndsWith(", 4 hits")) << StatusText();
}

TEST_F(WindowResults, ExportWritesTheTableInTheChosenFormat) {
  std::vector<RowCells> rows = kRows;
  rows[1].viewed = true;
  OpenWith(rows);
  ASSERT_TRUE(frame_->ExportResultsTo(home_.path() / "out", ExportFormat::Csv));
  EXPECT_EQ(home_.Read("out.csv"), FormatResultsCsv(rows));
  ASSERT_TRUE(frame_->ExportResultsTo(home_.path() / "out.json", ExportFormat::Json));
  EXPECT_EQ(home_.Read("out.json"), FormatResultsJson(rows, true));
  ASSERT_TRUE(frame_->ExportResultsTo(home_.path() / "page.htm", ExportFormat::Html));
  EXPECT_NE(home_.Read("page.htm").find("http://z.example/"), std::string::npos);
  EXPECT_FALSE(frame_->ExportResultsTo(home_.path() / "no such folder" / "x.csv", ExportFormat::Csv));
}

}  // namespace
}  // namespace sorvane::testing

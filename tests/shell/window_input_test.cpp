// The main window driven by real input events, as a person at the keyboard and
// mouse drives it: the results list's keys, clicks and selection.

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/listctrl.h>
#include <wx/splitter.h>
#include <wx/textctrl.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "core/search_engine.h"
#include "core/worker_thread.h"
#include "dialogs/search_dlg.h"
#include "results/results_list_ctrl.h"
#include "results/saved_search.h"
#include "results/search_status_dlg.h"
#include "shell/category_pane.h"
#include "shell/frame_fixture.h"
#include "support/input_events.h"
#include "support/modal_answers.h"
#include "support/page_server.h"
#include "support/raw_server.h"

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

constexpr int kArtsRow = 2;
constexpr int kEmailRow = 5;

std::string HitsPage(const std::string& site, int count) {
  std::string page = "<html><body><ul>\n";
  for (int i = 0; i < count; ++i) {
    page += "<li><a href=\"http://site.example/" + site + "/" + std::to_string(i) + "\">wooden boats " + site +
            " " + std::to_string(i) + "</a></li>\n";
  }
  return page + "</ul></body></html>\n";
}

SearchEngine CountEngine(const std::string& name, const std::string& origin, const std::string& path) {
  SearchEngine engine;
  engine.name = name;
  engine.url = origin;
  engine.searchType = ResultCount;
  engine.prefix = path + "?n=%d&q=";
  engine.startToken = "<a href=\"http";
  engine.endToken = "</a>";
  return engine;
}

wxPoint Centre(wxWindow& window) { return wxPoint(window.GetClientSize().x / 2, window.GetClientSize().y / 2); }

// A whole search as a person does it: the pointer on a category row and a
// click, the words typed into the Search dialog and "&Search Now" clicked, the
// status window while the engines work, the rows in the list, the saved search
// and its entry shown in the Previous Searches bar.
class WindowInputSearch : public WindowInput {
 protected:
  WindowInputSearch() {
    server_.server().Get("/slow", [this](const httplib::Request&, httplib::Response& response) {
      const auto until = std::chrono::steady_clock::now() + 20s;
      while (!release_.load() && std::chrono::steady_clock::now() < until) std::this_thread::sleep_for(5ms);
      response.set_content(HitsPage("slow", 3), "text/html");
    });
  }
  void TearDown() override {
    release_.store(true);
    WindowInput::TearDown();
  }

  CMainFrame& OpenWithEngine() {
    CMainFrame& frame = Open(false);
    frame.Engines().Append(CountEngine("Slow", server_.Origin(), "/slow"));
    frame.Categories()[kArtsRow].engineNames = std::vector<std::string>{"Slow"};
    frame.Raise();
    return frame;
  }

  // Rests the pointer on a category row until the pane selects it, then clicks.
  void ClickCategory(CMainFrame& frame, int row) {
    CCategoryPane& pane = *frame.CategoryList();
    wxRect rect;
    ASSERT_TRUE(pane.GetItemRect(row, rect));
    const wxPoint point(rect.x + 40, rect.y + rect.height / 2);
    input_.MoveTo(pane, point);
    ASSERT_TRUE(PumpUntil([&] { return pane.SelectedRow() == row; }, 5000ms));
    input_.Click(pane, point);
  }

  // Answers the Search dialog by typing `words` and clicking "&Search Now".
  ModalAnswers::Answer TypeWordsAndSearch(const std::string& words) {
    return [this, words](wxDialog& dialog) {
      auto* search = dynamic_cast<CSearchDlg*>(&dialog);
      if (!search) {
        boxes_.push_back(dynamic_cast<wxMessageDialogBase*>(&dialog) ? dynamic_cast<wxMessageDialogBase*>(&dialog)
                                                                           ->GetMessage()
                                                                     : dialog.GetTitle());
        return static_cast<int>(wxID_OK);
      }
      script_ = std::make_unique<InputScript>();
      wxTextCtrl& edit = search->WordsEdit();
      script_->Then([&edit] { edit.SetFocus(); })
          .Then([&edit] { return wxWindow::FindFocus() == &edit; }, [this, &edit, words] {
            edit.SelectAll();
            input_.Type(wxString::FromUTF8(words));
          })
          .Then([&edit, words] { return edit.GetValue() == wxString::FromUTF8(words); },
                [this, search] { input_.Click(search->SearchNowButton(), Centre(search->SearchNowButton())); });
      script_->Run();
      return static_cast<int>(wxID_NONE);
    };
  }

  PageServer server_;
  std::atomic<bool> release_{false};
  std::unique_ptr<InputScript> script_;
  std::vector<wxString> boxes_;
};

TEST_F(WindowInputSearch, ACategoryClickTypedWordsAndSearchNowRunTheSearchToItsSavedEntry) {
  // Saved searches on either side of the new one in name order.
  ASSERT_TRUE(SaveSearch(home_.path(), "Aardvark", {}, 0));
  ASSERT_TRUE(SaveSearch(home_.path(), "zebra", {}, 0));
  CMainFrame& frame = OpenWithEngine();
  ASSERT_EQ(frame.PreviousSearches()->GetCount(), 2u);
  ModalAnswers answers(TypeWordsAndSearch("Wooden boats"));

  ClickCategory(frame, kArtsRow);
  ASSERT_TRUE(PumpUntil([&] { return frame.IsSearching(); }, 15000ms));
  EXPECT_TRUE(boxes_.empty());
  EXPECT_EQ(frame.LastQuery(), "Wooden boats");
  ASSERT_NE(frame.StatusWindow(), nullptr);
  EXPECT_EQ(frame.StatusWindow()->EngineList().GetItemCount(), 1);

  release_.store(true);
  ASSERT_TRUE(PumpUntil([&] { return !frame.IsSearching(); }, 15000ms));
  EXPECT_EQ(frame.StatusWindow(), nullptr);
  EXPECT_EQ(frame.View()->ResultsList()->GetItemCount(), 3);
  ASSERT_TRUE(ReadSavedSearch(SavedSearchPath(home_.path(), "Wooden boats")).has_value());
  // The bar shows the search just saved, in its place in name order.
  ASSERT_EQ(frame.PreviousSearches()->GetCount(), 3u);
  EXPECT_EQ(frame.PreviousSearches()->GetString(1), "Wooden boats");
  EXPECT_EQ(frame.PreviousSearches()->GetStringSelection(), "Wooden boats");
}

TEST_F(WindowInputSearch, AnEmptyCategorySaysSoAndStartsNothing) {
  CMainFrame& frame = OpenWithEngine();
  // Email names an engine that does not exist: as good as none.
  frame.Categories()[kEmailRow].engineNames = std::vector<std::string>{"Gone"};
  ModalAnswers answers(TypeWordsAndSearch("never typed"));
  ClickCategory(frame, kEmailRow);
  ASSERT_TRUE(PumpUntil([&] { return !boxes_.empty(); }, 10000ms));
  EXPECT_EQ(boxes_[0],
            "There are no search engines in the category 'Email'. Right-click the category and choose "
            "Properties to add some.");
  EXPECT_EQ(answers.asked()[0].caption, "Sorvane");
  EXPECT_EQ(answers.asked()[0].style & wxICON_MASK, wxICON_INFORMATION);
  EXPECT_FALSE(frame.IsSearching());
  EXPECT_EQ(frame.StatusWindow(), nullptr);
  EXPECT_EQ(script_, nullptr);  // no Search dialog

  // "&Search" of the bar, for a saved search of that category, says the same.
  ASSERT_TRUE(SaveSearch(home_.path(), "mail words", {}, kEmailRow));
  frame.FillPreviousSearches();
  input_.Click(*frame.PreviousSearchButton(), Centre(*frame.PreviousSearchButton()));
  ASSERT_TRUE(PumpUntil([&] { return boxes_.size() == 2; }, 10000ms));
  EXPECT_EQ(boxes_[1], boxes_[0]);
  EXPECT_FALSE(frame.IsSearching());
}

// Whether the keyboard is in `window` or one of its children.
bool FocusWithin(wxWindow* window) {
  for (wxWindow* focus = wxWindow::FindFocus(); focus; focus = focus->GetParent())
    if (focus == window) return true;
  return false;
}

TEST_F(WindowInputSearch, CategoryPaneByKeyboardArrowsEnterAndItsMenuKeys) {
  CMainFrame& frame = OpenWithEngine();
  CCategoryPane& pane = *frame.CategoryList();
  std::vector<wxString> captions;
  ModalAnswers answers([&](wxDialog& dialog) {
    captions.push_back(dialog.GetTitle());
    return static_cast<int>(wxID_CANCEL);
  });
  int menusOpened = 0;
  frame.Bind(wxEVT_MENU_OPEN, [&](wxMenuEvent& event) {
    ++menusOpened;
    event.Skip();
  });

  pane.SetItemState(0, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
  frame.Raise();
  pane.SetFocus();
  ASSERT_TRUE(PumpUntil([&] { return FocusWithin(&pane); }, 5000ms));
  input_.Key(WXK_DOWN);
  ASSERT_TRUE(PumpUntil([&] { return pane.SelectedRow() == 1; }, 5000ms));
  input_.Key(WXK_DOWN);
  ASSERT_TRUE(PumpUntil([&] { return pane.SelectedRow() == kArtsRow; }, 5000ms));
  input_.Key(WXK_RETURN);
  ASSERT_TRUE(PumpUntil([&] { return !captions.empty(); }, 5000ms));
  EXPECT_EQ(captions, std::vector<wxString>{"Search"});

  // The menu key, then Shift+F10: the row's menu each time, closed with Esc.
  for (const int modifiers : {wxMOD_NONE, wxMOD_SHIFT}) {
    const int before = menusOpened;
    ASSERT_TRUE(PumpUntil([&] { return FocusWithin(&pane); }, 5000ms));
    InputScript closeMenu;
    closeMenu.Then([&] { return menusOpened > before; }, [&] { input_.Key(WXK_ESCAPE); });
    closeMenu.Run();
    input_.Key(modifiers == wxMOD_NONE ? WXK_MENU : WXK_F10, modifiers);
    ASSERT_TRUE(PumpUntil([&] { return closeMenu.Done(); }, 10000ms));
    Pump(50ms);
    EXPECT_EQ(menusOpened, before + 1);
  }
  EXPECT_EQ(captions.size(), 1u);
}

TEST_F(WindowInput, F6AndTabMoveTheFocusRoundTheWindowAndCtrlNMakesANewDocument) {
  CResultsListCtrl& list = OpenList(3);
  CMainFrame& frame = *frame_;
  CCategoryPane& pane = *frame.CategoryList();
  frame.SetDocumentTitle("Old page");

  ASSERT_TRUE(FocusOn(list.RowsWindow()));
  input_.Key(WXK_F6);
  ASSERT_TRUE(PumpUntil([&] { return FocusWithin(frame.PreviousSearches()); }, 5000ms));
  input_.Key(WXK_F6);
  ASSERT_TRUE(PumpUntil([&] { return FocusWithin(&pane); }, 5000ms));
  input_.Key(WXK_F6);
  ASSERT_TRUE(PumpUntil([&] { return FocusWithin(&list.RowsWindow()); }, 5000ms));
  input_.Key(WXK_F6, wxMOD_SHIFT);
  ASSERT_TRUE(PumpUntil([&] { return FocusWithin(&pane); }, 5000ms));

  // Tab from the category pane round every control and back (no browser: no
  // address box and no tabs).
  const std::vector<wxWindow*> expected = {&list.RowsWindow(), frame.PreviousSearches(),
                                           frame.PreviousSearchButton(), frame.DeleteSearchButton(), &pane};
  for (wxWindow* next : expected) {
    input_.Key(WXK_TAB);
    EXPECT_TRUE(PumpUntil([&] { return FocusWithin(next); }, 5000ms)) << next->GetClassInfo()->GetClassName();
  }
  input_.Key(WXK_TAB, wxMOD_SHIFT);
  EXPECT_TRUE(PumpUntil([&] { return FocusWithin(frame.DeleteSearchButton()); }, 5000ms));

  input_.Key('N', wxMOD_CONTROL);
  EXPECT_TRUE(PumpUntil([&] { return frame.GetTitle() == "Untitled - Sorvane"; }, 5000ms));
}

TEST_F(WindowInput, TheCategoryColumnFillsTheWidenedPane) {
  Open(false);
  CCategoryPane& pane = *frame_->CategoryList();
  const int fitted = pane.GetColumnWidth(0);
  auto* splitter = dynamic_cast<wxSplitterWindow*>(pane.GetParent());
  ASSERT_NE(splitter, nullptr);
  splitter->SetSashPosition(fitted + 150);
  ASSERT_TRUE(PumpUntil([&] { return pane.GetColumnWidth(0) == pane.GetClientSize().x; }, 5000ms));
  EXPECT_GT(pane.GetColumnWidth(0), fitted + 100);
  // Narrower than the rows need: the column keeps its fitted width.
  splitter->SetSashPosition(fitted - 40);
  ASSERT_TRUE(PumpUntil([&] { return pane.GetClientSize().x < fitted; }, 5000ms)) << pane.GetClientSize().x;
  Pump(50ms);
  EXPECT_EQ(pane.GetColumnWidth(0), fitted);
}

// Closing the window (File > Exit from the keyboard) while fifty engines wait
// for servers that never answer: every worker has ended, and been joined,
// soon after the close.
TEST_F(WindowInput, ClosingDuringAHangingSearchEndsEveryWorkerSoon) {
  RawServer server([](RawConnection& connection) { connection.HangUntilStopped(); });
  CMainFrame& frame = Open(false);
  frame.Categories()[kArtsRow].engineNames.emplace();
  for (int i = 0; i < 50; ++i) {
    SearchEngine engine = CountEngine("Hanging " + std::to_string(i), server.Origin(), "/hang" + std::to_string(i));
    frame.Engines().Append(engine);
    frame.Categories()[kArtsRow].engineNames->push_back(engine.name);
  }
  frame.CategoryList()->SetItemState(kArtsRow, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
  {
    ModalAnswers answers([](wxDialog& dialog) {
      if (auto* search = dynamic_cast<CSearchDlg*>(&dialog)) {
        search->CallAfter([search] {
          search->WordsEdit().SetValue("wooden boats");
          search->EndModal(wxID_OK);
        });
        return static_cast<int>(wxID_NONE);
      }
      return static_cast<int>(wxID_OK);
    });
    ASSERT_EQ(frame.SearchSelectedCategory(), CMainFrame::SearchKind::WebSearch);
  }
  ASSERT_TRUE(PumpUntil([&] { return server.Requests().size() == 50; }, 30000ms));
  ASSERT_GE(RunningWorkerThreads(), 50);

  std::optional<std::chrono::steady_clock::time_point> closed;
  bool destroyed = false;
  frame.Bind(wxEVT_CLOSE_WINDOW, [&](wxCloseEvent& event) {
    closed = std::chrono::steady_clock::now();
    event.Skip();
  });
  frame.Bind(wxEVT_DESTROY, [&](wxWindowDestroyEvent& event) {
    if (event.GetEventObject() == &frame) destroyed = true;
    event.Skip();
  });
  // A click into the window's empty list gives it the keyboard as a person's
  // would, even where a window manager handed it to the status window.
  bool menuOpened = false;
  frame.Bind(wxEVT_MENU_OPEN, [&](wxMenuEvent& event) {
    menuOpened = true;
    event.Skip();
  });
  wxWindow& rows = frame.View()->ResultsList()->RowsWindow();
  input_.Click(rows, wxPoint(rows.GetClientSize().x / 2, rows.GetClientSize().y - 10));
  ASSERT_TRUE(PumpUntil([&] { return wxGetTopLevelParent(wxWindow::FindFocus()) == &frame; }, 5000ms));
  input_.Key('F', wxMOD_ALT);
  ASSERT_TRUE(PumpUntil([&] { return menuOpened; }, 5000ms));
  input_.Key('X');
  ASSERT_TRUE(PumpUntil([&] { return closed.has_value(); }, 10000ms));
  frame_ = nullptr;  // the window closes itself
  const bool joined = EndWorkerThreads(*closed + 10s);
  const auto took = std::chrono::steady_clock::now() - *closed;
  EXPECT_TRUE(joined);
  // The program gives its workers 300 ms after the close; the margin here is
  // for a loaded machine.
  EXPECT_LT(took, 2s) << std::chrono::duration_cast<std::chrono::milliseconds>(took).count() << " ms";
  std::printf("close to every worker joined: %lld ms\n",
              static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(took).count()));
  EXPECT_TRUE(PumpUntil([&] { return destroyed; }, 5000ms));
}

}  // namespace
}  // namespace sorvane::testing

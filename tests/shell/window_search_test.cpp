// Web searches run from the window against engines on a loopback server: the
// Search dialog answered as a person would, the status window, Stop, the
// results in both views, and the Previous Searches bar.

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/animate.h>
#include <wx/generic/animate.h>
#include <wx/listctrl.h>
#include <wx/textctrl.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <sstream>

#include "core/search_engine.h"
#include "dialogs/search_dlg.h"
#include "pcsearch/pc_search_setup.h"
#include "pcsearch/search_my_pc_dlg.h"
#include "pcsearch/searching_pc_dlg.h"
#include "results/results_list_ctrl.h"
#include "results/results_page.h"
#include "results/saved_search.h"
#include "res/resource_ids.h"
#include "results/search_report_dlg.h"
#include "results/search_status_dlg.h"
#include "shell/category_pane.h"
#include "shell/frame_fixture.h"
#include "support/modal_answers.h"
#include "support/page_server.h"
#include "support/control_events.h"

namespace sorvane::testing {
namespace {

using namespace std::chrono_literals;

// A web category of the default categories.dat (the next one, Business, has no engines).
constexpr int kBooksRow = 3;

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

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// Types the words into the Search dialog and presses "&Search Now"; message
// boxes are answered with `boxReply`.
ModalAnswers::Answer SearchFor(const std::string& words, int boxReply = wxID_OK) {
  return ModalAnswers::MessageBoxes(boxReply, [words](wxDialog& dialog) {
    auto* search = dynamic_cast<CSearchDlg*>(&dialog);
    if (!search) return static_cast<int>(wxID_CANCEL);
    search->CallAfter([search, words] {
      search->WordsEdit().SetValue(wxString::FromUTF8(words));
      Click(search->SearchNowButton());
    });
    return static_cast<int>(wxID_NONE);
  });
}

class WindowSearch : public FrameTest {
 protected:
  WindowSearch() {
    server_.server().Get("/fast", [](const httplib::Request&, httplib::Response& response) {
      response.set_content(HitsPage("fast", 3), "text/html");
    });
    server_.server().Get("/slow", [this](const httplib::Request&, httplib::Response& response) {
      const auto until = std::chrono::steady_clock::now() + 20s;
      while (!release_.load() && std::chrono::steady_clock::now() < until) std::this_thread::sleep_for(10ms);
      response.set_content(HitsPage("slow", 2), "text/html");
    });
  }

  void TearDown() override {
    release_.store(true);
    FrameTest::TearDown();
  }

  // The frame with engines Fast and Slow in the Arts row, and a name that
  // matches no engine between them; Arts selected.
  CMainFrame& OpenWithEngines(bool browserView) {
    CMainFrame& frame = Open(browserView);
    frame.Engines().Append(CountEngine("Fast", server_.Origin(), "/fast"));
    frame.Engines().Append(CountEngine("Slow", server_.Origin(), "/slow"));
    frame.Categories()[kBooksRow].engineNames = std::vector<std::string>{"Fast", "Nowhere", "Slow"};
    frame.CategoryList()->SetItemState(kBooksRow, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    return frame;
  }

  static wxString StatusCell(CMainFrame& frame, int row, int column) {
    return frame.StatusWindow()->EngineList().GetItemText(row, column);
  }

  PageServer server_;
  std::atomic<bool> release_{false};
};

TEST_F(WindowSearch, CategoryClickRunsTheSearchIntoListPageSavedSearchAndBar) {
  CMainFrame& frame = OpenWithEngines(true);
  ModalAnswers answers(SearchFor("wooden boats"));
  ASSERT_EQ(frame.SearchSelectedCategory(), CMainFrame::SearchKind::WebSearch);

  // At once: the List View in front, the throbber playing, one status row per
  // engine that exists, in category order, each starting.
  ASSERT_TRUE(frame.IsSearching());
  EXPECT_EQ(frame.View()->SelectedTab(), CSorvaneView::kListViewTab);
  EXPECT_TRUE(frame.Throbber()->IsPlaying());
  EXPECT_EQ(frame.LastQuery(), "wooden boats");
  ASSERT_NE(frame.StatusWindow(), nullptr);
  EXPECT_EQ(frame.StatusWindow()->GetTitle(), "Search Status");
  ASSERT_EQ(frame.StatusWindow()->EngineList().GetItemCount(), 2);
  EXPECT_EQ(StatusCell(frame, 0, 0), "Fast");
  EXPECT_EQ(StatusCell(frame, 1, 0), "Slow");
  EXPECT_EQ(StatusCell(frame, 1, 1), "0%");
  EXPECT_EQ(StatusCell(frame, 1, 2), "Starting");

  // Fast ends while Slow still reads: its row shows it, the search goes on, and
  // its rows are already in the list.
  ASSERT_TRUE(PumpUntil([&] { return StatusCell(frame, 0, 2) == "Done"; }));
  EXPECT_EQ(StatusCell(frame, 0, 1), "100%");
  EXPECT_NE(StatusCell(frame, 1, 2), "Done");
  EXPECT_TRUE(frame.IsSearching());
  ASSERT_TRUE(PumpUntil([&] { return frame.View()->ResultsList()->GetItemCount() == 3; }));

  release_.store(true);
  ASSERT_TRUE(PumpUntil([&] { return !frame.IsSearching(); }));
  EXPECT_EQ(frame.StatusWindow(), nullptr);
  EXPECT_FALSE(frame.Throbber()->IsPlaying());
  EXPECT_EQ(frame.View()->ResultsList()->GetItemCount(), 5);
  EXPECT_EQ(frame.View()->ResultsList()->Words(), "wooden boats");
  // "ShowWebView" is off: the List View stays in front.
  EXPECT_EQ(frame.View()->SelectedTab(), CSorvaneView::kListViewTab);

  const std::string page = ReadFile(ResultsPagePath(home_.path()));
  EXPECT_NE(page.find("site.example/slow/1"), std::string::npos);
  const std::optional<SavedSearch> saved = ReadSavedSearch(SavedSearchPath(home_.path(), "wooden boats"));
  ASSERT_TRUE(saved.has_value());
  EXPECT_EQ(saved->rows.size(), 5u);
  EXPECT_EQ(saved->categoryRow, kBooksRow);
  ASSERT_EQ(frame.PreviousSearches()->GetCount(), 1u);
  EXPECT_EQ(frame.PreviousSearches()->GetString(0), "wooden boats");
  EXPECT_EQ(frame.PreviousSearches()->GetSelection(), 0);
  // The status window left its edges behind for the next search.
  for (const char* name : {"StatusX", "StatusY", "StatusW", "StatusH"}) EXPECT_TRUE(settings_.ReadNumber(name)) << name;
  EXPECT_GT(*settings_.ReadNumber("StatusW"), *settings_.ReadNumber("StatusX"));
}

TEST_F(WindowSearch, EachEnginesResultTheStatusBarAndTheSearchReportTellHowItAnswered) {
  CMainFrame& frame = OpenWithEngines(false);
  // Before the first search the report is there, and empty.
  Command(ids::ID_VIEW_SEARCH_REPORT);
  CSearchReportDlg* report = frame.SearchReportWindow();
  ASSERT_NE(report, nullptr);
  EXPECT_TRUE(report->IsShown());
  EXPECT_EQ(report->GetTitle(), "Search Report");
  EXPECT_EQ(report->OutcomeList().GetItemCount(), 0);
  EXPECT_EQ(report->OutcomeList().GetColumnCount(), 9);
  report->Close();
  EXPECT_FALSE(report->IsShown());

  ModalAnswers answers(SearchFor("wooden boats"));
  frame.SearchSelectedCategory();
  ASSERT_NE(frame.StatusWindow(), nullptr);
  EXPECT_EQ(StatusCell(frame, 0, 3), "");
  // Fast's done has come while Slow still reads: its result is told, Slow's not yet.
  ASSERT_TRUE(PumpUntil([&] { return StatusCell(frame, 0, 3) == "3 hits"; }));
  EXPECT_EQ(StatusCell(frame, 1, 3), "");
  release_.store(true);
  ASSERT_TRUE(PumpUntil([&] { return !frame.IsSearching(); }));
  EXPECT_EQ(frame.GetStatusBar()->GetStatusText(0), "Sorvane found 5 hits from 2 of 2 engines.");

  // The report window, still there though hidden, has followed the search.
  Command(ids::ID_VIEW_SEARCH_REPORT);
  EXPECT_EQ(frame.SearchReportWindow(), report);
  EXPECT_TRUE(report->IsShown());
  wxListCtrl& rows = report->OutcomeList();
  ASSERT_EQ(rows.GetItemCount(), 2);
  EXPECT_EQ(rows.GetItemText(0, 0), "Fast");
  EXPECT_EQ(rows.GetItemText(0, 1), "3 hits");
  EXPECT_EQ(rows.GetItemText(0, 2), "200");
  EXPECT_EQ(rows.GetItemText(0, 3), std::to_string(HitsPage("fast", 3).size()));
  EXPECT_EQ(rows.GetItemText(0, 4), "1");
  EXPECT_EQ(rows.GetItemText(0, 5), "3");
  EXPECT_TRUE(rows.GetItemText(0, 6).EndsWith(" ms"));
  EXPECT_TRUE(rows.GetItemText(0, 7).StartsWith(server_.Origin() + "/fast?n=10&q="));
  EXPECT_EQ(rows.GetItemText(1, 0), "Slow");
  EXPECT_EQ(rows.GetItemText(1, 1), "2 hits");
  EXPECT_TRUE(report->Heading().Contains("\"wooden boats\""));
}

TEST_F(WindowSearch, StopEndsAHangingEngineAndKeepsWhatWasFound) {
  CMainFrame& frame = OpenWithEngines(false);
  ModalAnswers answers(SearchFor("wooden boats"));
  frame.SearchSelectedCategory();
  ASSERT_NE(frame.StatusWindow(), nullptr);
  ASSERT_TRUE(PumpUntil([&] { return StatusCell(frame, 0, 2) == "Done"; }));

  wxButton& stop = frame.StatusWindow()->StopButton();
  EXPECT_EQ(stop.GetLabel(), "&Stop");
  const auto pressed = std::chrono::steady_clock::now();
  Click(stop);
  EXPECT_FALSE(stop.IsEnabled());
  ASSERT_TRUE(PumpUntil([&] { return !frame.IsSearching(); }, 10s));
  const auto took = std::chrono::steady_clock::now() - pressed;
  // The waiting fetch sees the stop within its poll; a worker that did not would
  // be given up a second after Stop. The rest is this machine's noise.
  EXPECT_LT(took, 4s);

  EXPECT_EQ(frame.StatusWindow(), nullptr);
  const std::optional<SavedSearch> saved = ReadSavedSearch(SavedSearchPath(home_.path(), "wooden boats"));
  ASSERT_TRUE(saved.has_value());
  EXPECT_EQ(saved->rows.size(), 3u);
  for (const RowCells& row : saved->rows) EXPECT_EQ(row.engine(), "Fast");
  EXPECT_EQ(frame.GetStatusBar()->GetStatusText(0), "Sorvane found 3 hits from 1 of 2 engines.");
  Command(ids::ID_VIEW_SEARCH_REPORT);
  ASSERT_NE(frame.SearchReportWindow(), nullptr);
  ASSERT_EQ(frame.SearchReportWindow()->OutcomeList().GetItemCount(), 2);
  EXPECT_EQ(frame.SearchReportWindow()->OutcomeList().GetItemText(1, 1), "Stopped");
  // The given-up engine writes nothing into the table even once it answers.
  release_.store(true);
  Pump(300ms);
  EXPECT_EQ(frame.ResultsTableModel()->RowCount(), 3);
}

TEST_F(WindowSearch, ShowWebViewBringsTheNewPageForwardAndADoubleClickOpensARowThere) {
  settings_.WriteNumber("ShowWebView", 1);
  CMainFrame& frame = OpenWithEngines(true);
  release_.store(true);
  ModalAnswers answers(SearchFor("wooden boats"));
  frame.SearchSelectedCategory();
  ASSERT_TRUE(PumpUntil([&] { return !frame.IsSearching(); }));
  EXPECT_EQ(frame.View()->SelectedTab(), CSorvaneView::kWebViewTab);

  // Back to the list; a double-click with nothing selected does nothing.
  frame.View()->SelectTab(CSorvaneView::kListViewTab);
  CResultsListCtrl& list = *frame.View()->ResultsList();
  frame.View()->OpenRow();
  EXPECT_EQ(frame.View()->SelectedTab(), CSorvaneView::kListViewTab);

  list.Select(1);
  frame.View()->OpenRow();
  EXPECT_EQ(frame.View()->SelectedTab(), CSorvaneView::kWebViewTab);
  EXPECT_TRUE(frame.ResultsTableModel()->IsViewed(1));
  EXPECT_FALSE(frame.ResultsTableModel()->IsViewed(0));
  const std::optional<SavedSearch> saved = ReadSavedSearch(SavedSearchPath(home_.path(), "wooden boats"));
  ASSERT_TRUE(saved.has_value());
  ASSERT_EQ(saved->rows.size(), 5u);
  EXPECT_TRUE(saved->rows[1].viewed);
  EXPECT_FALSE(saved->rows[0].viewed);
}

TEST_F(WindowSearch, WithoutABrowserShowWebViewOpensThePageInTheSystemBrowser) {
  std::vector<std::string> launched;
  launcher_ = [&](const std::string& address) {
    launched.push_back(address);
    return 42;
  };
  settings_.WriteNumber("ShowWebView", 1);
  CMainFrame& frame = OpenWithEngines(false);
  release_.store(true);
  ModalAnswers answers(SearchFor("wooden boats"));
  frame.SearchSelectedCategory();
  ASSERT_TRUE(PumpUntil([&] { return !frame.IsSearching(); }));
  EXPECT_EQ(launched, std::vector<std::string>{ResultsPagePath(home_.path()).string()});
}

TEST_F(WindowSearch, PreviousSearchesBringBackRerunAndDelete) {
  CMainFrame& frame = OpenWithEngines(false);
  {
    // Both buttons on an empty list explain themselves.
    ModalAnswers answers(ModalAnswers::MessageBoxes(wxID_OK));
    frame.OnSearchAgain();
    frame.OnDeleteSearch();
    ASSERT_EQ(answers.asked().size(), 2u);
    EXPECT_TRUE(answers.Messages()[0].StartsWith("The list of Previous Searches is empty."));
    EXPECT_TRUE(answers.Messages()[0].EndsWith("re-search the Internet for your information."));
    EXPECT_TRUE(answers.Messages()[1].EndsWith("delete search results displayed in the List View."));
    EXPECT_EQ(answers.asked()[0].caption, "Sorvane");
  }

  release_.store(true);
  {
    ModalAnswers answers(SearchFor("wooden boats"));
    frame.SearchSelectedCategory();
    ASSERT_TRUE(PumpUntil([&] { return !frame.IsSearching(); }));
  }
  ASSERT_EQ(frame.PreviousSearches()->GetCount(), 1u);

  // Choosing the entry brings its rows and its category back.
  frame.ResultsTableModel()->DeleteAll();
  frame.CategoryList()->SetItemState(kBooksRow, 0, wxLIST_STATE_SELECTED);
  frame.SetLastQuery("something else");
  frame.OnPreviousSearchSelected();
  EXPECT_EQ(frame.LastQuery(), "wooden boats");
  EXPECT_EQ(frame.ResultsTableModel()->RowCount(), 5);
  EXPECT_EQ(frame.View()->ResultsList()->GetItemCount(), 5);
  EXPECT_EQ(frame.CategoryList()->SelectedRow(), kBooksRow);

  // "&Search" asks again in the selected category, offering the saved words.
  {
    std::string offered;
    ModalAnswers answers([&offered](wxDialog& dialog) {
      if (auto* search = dynamic_cast<CSearchDlg*>(&dialog)) offered = search->Words();
      return static_cast<int>(wxID_CANCEL);
    });
    frame.OnSearchAgain();
    EXPECT_EQ(offered, "wooden boats");
    EXPECT_FALSE(frame.IsSearching());
  }
  // With no category selected it asks for one.
  frame.CategoryList()->SetItemState(kBooksRow, 0, wxLIST_STATE_SELECTED);
  {
    ModalAnswers answers(ModalAnswers::MessageBoxes(wxID_OK));
    frame.OnSearchAgain();
    ASSERT_EQ(answers.asked().size(), 1u);
    EXPECT_EQ(answers.Messages()[0], "Please choose a category to search for wooden boats in.");
  }

  // "&Delete": No keeps the file, Yes removes it and the entry; the table stays.
  {
    ModalAnswers answers(ModalAnswers::MessageBoxes(wxID_NO));
    frame.OnDeleteSearch();
    ASSERT_EQ(answers.asked().size(), 1u);
    EXPECT_EQ(answers.Messages()[0], "Are you sure you want to delete 'wooden boats'?");
    EXPECT_TRUE(answers.asked()[0].style & wxYES_NO);
    EXPECT_TRUE(answers.asked()[0].style & wxCANCEL);
  }
  EXPECT_TRUE(std::filesystem::exists(SavedSearchPath(home_.path(), "wooden boats")));
  {
    ModalAnswers answers(ModalAnswers::MessageBoxes(wxID_YES));
    frame.OnDeleteSearch();
  }
  EXPECT_FALSE(std::filesystem::exists(SavedSearchPath(home_.path(), "wooden boats")));
  EXPECT_EQ(frame.PreviousSearches()->GetCount(), 0u);
  EXPECT_EQ(frame.ResultsTableModel()->RowCount(), 5);
  EXPECT_EQ(frame.LastQuery(), "wooden boats");
}

TEST_F(WindowSearch, ChoosingAPreviousSearchWhileOneRunsGivesTheRunningOneUp) {
  CMainFrame& frame = OpenWithEngines(false);
  SavedSearch kept;
  kept.categoryRow = kBooksRow;
  kept.rows.push_back(RowCells{{"kept row", "http://kept.example/", "50", "1", "Fast"}, false});
  home_.Write("SearchResults/kept words.svq", FormatSavedSearch(kept));
  frame.FillPreviousSearches();
  {
    ModalAnswers answers(SearchFor("wooden boats"));
    frame.SearchSelectedCategory();
  }
  ASSERT_TRUE(PumpUntil([&] { return StatusCell(frame, 0, 2) == "Done"; }));
  frame.PreviousSearches()->SetSelection(frame.PreviousSearches()->FindString("kept words"));
  frame.OnPreviousSearchSelected();
  EXPECT_FALSE(frame.IsSearching());
  EXPECT_EQ(frame.StatusWindow(), nullptr);
  release_.store(true);
  Pump(500ms);
  // Only the chosen rows, and the chosen search's file as it was.
  EXPECT_EQ(frame.ResultsTableModel()->RowCount(), 1);
  const std::optional<SavedSearch> saved = ReadSavedSearch(SavedSearchPath(home_.path(), "kept words"));
  ASSERT_TRUE(saved.has_value());
  EXPECT_EQ(*saved, kept);
}

TEST_F(WindowSearch, NewSearchOnACategoryWithoutEnginesSaysSoAndStartsNothing) {
  CMainFrame& frame = OpenWithEngines(false);
  frame.CategoryList()->SetItemState(kBooksRow + 1, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
  ModalAnswers answers(SearchFor("lonely"));
  Command(32774);
  ASSERT_EQ(answers.asked().size(), 1u);
  EXPECT_EQ(answers.asked()[0].message,
            "There are no search engines in the category '" + frame.Categories()[kBooksRow + 1].name +
                "'. Right-click the category and choose Properties to add some.");
  EXPECT_FALSE(frame.IsSearching());
  EXPECT_EQ(frame.StatusWindow(), nullptr);
  EXPECT_FALSE(ReadSavedSearch(SavedSearchPath(home_.path(), "lonely")).has_value());
}

}  // namespace
}  // namespace sorvane::testing

namespace sorvane::testing {
namespace {

// The PC search from the window over a made-up folder tree, its folders and
// method stored as the last PC search left them.
class WindowPcSearch : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    home_.Write("tree/boats.txt", "notes on wooden boats and their keels");
    home_.Write("tree/sub/more.txt", "more WOODEN BOATS here");
    home_.Write("tree/other.txt", "nothing to see");
    settings_.WriteNumber("PC Search Method", kChosenFoldersMethod);
    settings_.WriteNumber("Recurse", 1);
    settings_.WriteText("Folder0", (home_.path() / "tree").string());
    settings_.WriteText("Folder1", "");
  }

  // Types the phrase into Search My PC and presses "&Search Now".
  static ModalAnswers::Answer ScanFor(const std::string& phrase) {
    return ModalAnswers::MessageBoxes(wxID_OK, [phrase](wxDialog& dialog) {
      auto* setup = dynamic_cast<CSearchMyPCDlg*>(&dialog);
      if (!setup) return static_cast<int>(wxID_CANCEL);
      setup->CallAfter([setup, phrase] {
        setup->PhraseEdit().SetValue(wxString::FromUTF8(phrase));
        Click(setup->SearchNowButton());
      });
      return static_cast<int>(wxID_NONE);
    });
  }
};

TEST_F(WindowPcSearch, MyPcRowScansTheFoldersIntoTheTableAndSavesUnderThePhrase) {
  CMainFrame& frame = Open(false);
  frame.CategoryList()->SetItemState(kMyPcRow, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
  ModalAnswers answers(ScanFor("wooden boats"));
  ASSERT_EQ(frame.SearchSelectedCategory(), CMainFrame::SearchKind::PcSearch);
  ASSERT_TRUE(PumpUntil([&] { return !frame.IsSearching(); }));
  EXPECT_EQ(frame.SearchingPcWindow(), nullptr);
  EXPECT_EQ(frame.LastQuery(), "wooden boats");
  EXPECT_FALSE(frame.Throbber()->IsPlaying());

  const std::vector<SearchHit> hits = frame.ResultsTableModel()->Snapshot();
  ASSERT_EQ(hits.size(), 2u);
  for (const SearchHit& hit : hits) EXPECT_EQ(hit.engine, "Sorvane");
  const std::optional<SavedSearch> saved = ReadSavedSearch(SavedSearchPath(home_.path(), "wooden boats"));
  ASSERT_TRUE(saved.has_value());
  EXPECT_EQ(saved->rows.size(), 2u);
  EXPECT_EQ(saved->categoryRow, kMyPcRow);
  EXPECT_EQ(frame.PreviousSearches()->GetString(0), "wooden boats");
  for (const char* name : {"PCStatusX", "PCStatusY", "PCStatusW", "PCStatusH"})
    EXPECT_TRUE(settings_.ReadNumber(name)) << name;
}

TEST_F(WindowPcSearch, ADoubleClickOpensAFoundFileWithItsProgramEvenBesideTheBrowser) {
  std::vector<std::string> launched;
  int answer = 31;
  launcher_ = [&](const std::string& address) {
    launched.push_back(address);
    return answer;
  };
  CMainFrame& frame = Open(true);
  frame.CategoryList()->SetItemState(kMyPcRow, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
  {
    ModalAnswers answers(ScanFor("wooden boats"));
    frame.SearchSelectedCategory();
    ASSERT_TRUE(PumpUntil([&] { return !frame.IsSearching(); }));
  }
  frame.View()->SelectTab(CSorvaneView::kListViewTab);
  frame.View()->ResultsList()->Select(0);
  const std::string path = frame.ResultsTableModel()->Cell(0, 1);
  {
    // The launch fails: its message, in a box of the application's name.
    ModalAnswers answers(ModalAnswers::MessageBoxes(wxID_OK));
    frame.View()->OpenRow();
    ASSERT_EQ(answers.asked().size(), 1u);
    EXPECT_EQ(answers.Messages()[0], "There is no application associated with the given filename extension.");
    EXPECT_EQ(answers.asked()[0].caption, "sorvane");
  }
  EXPECT_EQ(launched, std::vector<std::string>{path});
  EXPECT_EQ(frame.View()->SelectedTab(), CSorvaneView::kListViewTab);
  // Opened or not, the row counts as viewed and the saved search remembers it.
  EXPECT_TRUE(frame.ResultsTableModel()->IsViewed(0));
  const std::optional<SavedSearch> saved = ReadSavedSearch(SavedSearchPath(home_.path(), "wooden boats"));
  ASSERT_TRUE(saved.has_value());
  EXPECT_TRUE(saved->rows[0].viewed);

  answer = 42;
  ModalAnswers quiet(ModalAnswers::MessageBoxes(wxID_OK));
  frame.View()->OpenRow();
  EXPECT_TRUE(quiet.asked().empty());
  EXPECT_EQ(launched.size(), 2u);
}

TEST_F(WindowPcSearch, StopEndsALongScanAndTheSearchStillCompletes) {
  for (int i = 0; i < 4000; ++i) home_.Write("tree/many/f" + std::to_string(i) + ".txt", "wooden boats " + std::to_string(i));
  CMainFrame& frame = Open(false);
  frame.CategoryList()->SetItemState(kMyPcRow, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
  ModalAnswers answers(ScanFor("wooden boats"));
  frame.SearchSelectedCategory();
  ASSERT_NE(frame.SearchingPcWindow(), nullptr);
  wxButton& stop = frame.SearchingPcWindow()->StopButton();
  Click(stop);
  EXPECT_FALSE(stop.IsEnabled());
  const auto pressed = std::chrono::steady_clock::now();
  ASSERT_TRUE(PumpUntil([&] { return !frame.IsSearching(); }, 10s));
  EXPECT_LT(std::chrono::steady_clock::now() - pressed, 4s);
  const int rows = frame.ResultsTableModel()->RowCount();
  const std::optional<SavedSearch> saved = ReadSavedSearch(SavedSearchPath(home_.path(), "wooden boats"));
  ASSERT_TRUE(saved.has_value());
  EXPECT_EQ(static_cast<int>(saved->rows.size()), rows);
  // Nothing of the stopped scan arrives afterwards.
  Pump(300ms);
  EXPECT_EQ(frame.ResultsTableModel()->RowCount(), rows);
}

}  // namespace
}  // namespace sorvane::testing

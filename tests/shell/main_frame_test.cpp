#include <wx/accel.h>
#include <wx/choice.h>
#include <wx/combobox.h>
#include <wx/animate.h>
#include <wx/generic/animate.h>
#include <wx/notebook.h>
#include <wx/settings.h>
#include <wx/statusbr.h>
#include <wx/toolbar.h>

#include <cstdlib>

#include "core/engine_store.h"
#include "res/resource_ids.h"
#include "res/standard_ids.h"
#include "results/results_list_ctrl.h"
#include "shell/category_pane.h"
#include "core/search_engine.h"
#include "shell/frame_fixture.h"
#include "support/modal_answers.h"

namespace sorvane::testing {
namespace {

int W(int programId) { return res::ToWxId(programId); }

using MainFrame = FrameTest;

TEST_F(MainFrame, BrowserModeHasEveryMenuCommandAndBar) {
  CMainFrame& frame = Open(true);
  wxMenuBar& bar = *frame.GetMenuBar();
  EXPECT_EQ(MenuTitles(bar), (std::vector<wxString>{"&File", "&View", "&Go", "F&avorites", "&Help"}));
  const std::set<int> ids = MenuIds(bar);
  for (int id : std::initializer_list<int>{wxID_OPEN, W(32771), wxID_EXIT, W(59392), W(59393), W(32773), W(32778), W(32779), W(32782), W(32783), W(32784), W(32785), W(32786),
                 W(32776), W(32777), W(32789), W(32780), W(32781), W(32787), W(32788), wxID_ABOUT}) {
    EXPECT_TRUE(ids.count(id)) << id;
  }
  // The placeholder separator of the Favorites popup is gone; no folder, no entries.
  EXPECT_EQ(frame.FavoritesPopup()->GetMenuItemCount(), 0u);
  // Separators where the menus have them.
  wxMenu* view = bar.GetMenu(1);
  ASSERT_EQ(view->GetMenuItemCount(), 10u);
  EXPECT_EQ(view->FindItemByPosition(4)->GetId(), W(32794));
  EXPECT_EQ(view->FindItemByPosition(4)->GetItemLabel(), "Search &Report");
  EXPECT_TRUE(view->FindItemByPosition(5)->IsSeparator());
  EXPECT_TRUE(view->FindItemByPosition(8)->IsSeparator());
  EXPECT_EQ(view->FindItemByPosition(6)->GetHelp(), "Stops opening a file.");
  // The menu names Esc and F5 beside Stop and Refresh, and the keys do work.
  std::unique_ptr<wxAcceleratorEntry> stopKey(view->FindItemByPosition(6)->GetAccel());
  ASSERT_TRUE(stopKey);
  EXPECT_EQ(stopKey->GetKeyCode(), WXK_ESCAPE);
  std::unique_ptr<wxAcceleratorEntry> refreshKey(view->FindItemByPosition(7)->GetAccel());
  ASSERT_TRUE(refreshKey);
  EXPECT_EQ(refreshKey->GetKeyCode(), WXK_F5);

  wxToolBar* tools = frame.ToolBar();
  ASSERT_EQ(tools->GetToolsCount(), 8u);
  const int toolIds[] = {W(32776), W(32777), W(32778), W(32779), W(32789), W(32791), wxID_PRINT, W(32793)};
  for (int position = 0; position < 8; ++position) {
    EXPECT_EQ(tools->GetToolByPos(position)->GetId(), toolIds[position]);
  }
  EXPECT_EQ(tools->FindById(W(32791))->GetKind(), wxITEM_DROPDOWN);
  EXPECT_EQ(tools->FindById(W(32793))->GetKind(), wxITEM_DROPDOWN);
  EXPECT_EQ(tools->FindById(W(32779))->GetShortHelp(), "Refresh");
  // The drop-down arrows show the Font menu and a copy of the Favorites popup.
  wxMenu* fonts = tools->FindById(W(32793))->GetDropdownMenu();
  ASSERT_NE(fonts, nullptr);
  ASSERT_EQ(fonts->GetMenuItemCount(), 5u);
  EXPECT_EQ(fonts->FindItemByPosition(0)->GetItemLabel(), "Largest");
  EXPECT_EQ(fonts->FindItemByPosition(0)->GetId(), W(32782));
  EXPECT_NE(tools->FindById(W(32791))->GetDropdownMenu(), nullptr);
  EXPECT_TRUE(tools->IsShown());
  EXPECT_TRUE(frame.AddressBox()->IsShown());
  EXPECT_EQ(frame.AddressBox()->GetId(), W(59393));
  EXPECT_EQ(frame.GetStatusBar()->GetId(), W(59393));
  EXPECT_EQ(frame.Throbber()->GetId(), W(59394));

  wxStatusBar* status = frame.GetStatusBar();
  ASSERT_NE(status, nullptr);
  EXPECT_EQ(status->GetFieldsCount(), 4);
  EXPECT_EQ(status->GetStatusText(0), "Ready");

  EXPECT_EQ(frame.PreviousSearches()->GetId(), 1001);
  EXPECT_NE(frame.DialogBar()->FindWindow(1002), nullptr);
  EXPECT_NE(frame.DialogBar()->FindWindow(1004), nullptr);

  ASSERT_NE(frame.View()->Tabs(), nullptr);
  EXPECT_EQ(frame.View()->Tabs()->GetPageText(0), "Web View");
  EXPECT_EQ(frame.View()->Tabs()->GetPageText(1), "List View");
  EXPECT_EQ(frame.View()->SelectedTab(), CSorvaneView::kWebViewTab);
}

TEST_F(MainFrame, TrimmedModeDropsTheBrowserMenusAndBars) {
  CMainFrame& frame = Open(false);
  wxMenuBar& bar = *frame.GetMenuBar();
  EXPECT_EQ(MenuTitles(bar), (std::vector<wxString>{"&File", "&View", "&Help"}));
  const std::set<int> ids = MenuIds(bar);
  for (int gone : std::initializer_list<int>{wxID_OPEN, W(59392), W(32778), W(32779), W(32782), W(32786), W(32776), W(32777), W(32789)}) {
    EXPECT_FALSE(ids.count(gone)) << gone;
  }
  for (int kept : std::initializer_list<int>{W(32771), wxID_EXIT, W(59393), W(32773), W(32780), W(32781), W(32787), W(32788), wxID_ABOUT}) {
    EXPECT_TRUE(ids.count(kept)) << kept;
  }
  wxMenu* view = bar.GetMenu(1);
  ASSERT_EQ(view->GetMenuItemCount(), 5u);
  EXPECT_EQ(view->FindItemByPosition(0)->GetId(), W(59393));
  EXPECT_EQ(view->FindItemByPosition(1)->GetId(), W(32773));
  EXPECT_EQ(view->FindItemByPosition(2)->GetId(), W(32805));  // Find in Results
  EXPECT_EQ(view->FindItemByPosition(3)->GetId(), W(32794));  // Search Report
  EXPECT_TRUE(view->FindItemByPosition(4)->IsSeparator());

  EXPECT_FALSE(frame.ToolBar()->IsShown());
  EXPECT_FALSE(frame.AddressBox()->IsShown());
  EXPECT_TRUE(frame.PreviousSearches()->IsShown());
  EXPECT_TRUE(frame.Throbber()->IsShown());
  EXPECT_EQ(frame.View()->Tabs(), nullptr);
  EXPECT_EQ(frame.View()->WebView(), nullptr);
  EXPECT_EQ(frame.View()->ShownWindow(), static_cast<wxWindow*>(frame.View()->ResultsList()));
  EXPECT_EQ(frame.View()->ResultsList()->GetColumnCount(), 5);
}

TEST(StandardIds, EveryProgramIdMapsOntoAValidToolkitIdAndBack) {
  std::vector<int> programIds = {1, 100, 1001, 1002, 1004, 1039, 3584, 4095};
  for (int id = 32771; id <= 32793; ++id) programIds.push_back(id);
  for (int id : {57600, 57601, 57603, 57607, 57634, 57635, 57637, 57643, 57664, 57665, 57680, 57681, 59392, 59393,
                 59394, 59396, 59397}) {
    programIds.push_back(id);
  }
  std::set<int> seen;
  for (int id : programIds) {
    const int mapped = res::ToWxId(id);
    EXPECT_LT(mapped, 0x7FFF) << id;
    EXPECT_GE(mapped, 0) << id;
    EXPECT_EQ(res::FromWxId(mapped), id) << id;
    EXPECT_TRUE(seen.insert(mapped).second) << id;
  }
  EXPECT_EQ(res::ToWxId(57601), wxID_OPEN);
  EXPECT_EQ(res::ToWxId(57664), wxID_ABOUT);
  EXPECT_EQ(res::ToWxId(1), wxID_OK);
}

TEST_F(MainFrame, EnvironmentVariableForcesTheTrimmedWindow) {
  setenv("SORVANE_NO_WEBVIEW", "1", 1);
  EXPECT_FALSE(UseBrowserView(false));
  unsetenv("SORVANE_NO_WEBVIEW");
  EXPECT_FALSE(UseBrowserView(true));
}

TEST_F(MainFrame, CategoryRowsPicturesAndLooks) {
  CMainFrame& frame = Open(false);
  CCategoryPane& pane = *frame.CategoryList();
  const CategoryRows rows = DefaultCategoryRows();
  ASSERT_EQ(pane.GetItemCount(), 22);
  const int images[] = {20, 12, 0, 1, 2, 3, 4, 5, 21, 6, 7, 8, 9, 10, 11, 13, 14, 15, 16, 17, 18, 19};
  for (int row = 0; row < 22; ++row) {
    EXPECT_EQ(pane.GetItemText(row).utf8_string(), rows[static_cast<std::size_t>(row)].name);
    EXPECT_EQ(pane.RowImage(row), images[row]) << row;
    EXPECT_EQ(pane.GetItemData(row), 0u);
  }
  EXPECT_EQ(pane.GetItemText(0), "Entire Web");
  EXPECT_EQ(pane.GetItemText(1), "My PC");
  EXPECT_EQ(pane.GetItemText(21), "Travel");
  EXPECT_EQ(pane.GetImageList(wxIMAGE_LIST_SMALL)->GetImageCount(), 22);
  EXPECT_GE(pane.GetColumnWidth(0), pane.GetTextExtent("Technology").x + CCategoryPane::kExtraColumnWidth);
  EXPECT_EQ(pane.GetBackgroundColour(), wxColour(0x80, 0x80, 0x80));
  EXPECT_EQ(pane.GetTextColour(), *wxWHITE);

  EXPECT_EQ(CMainFrame::CategoryPicture(12), 0);  // My PC
  EXPECT_EQ(CMainFrame::CategoryPicture(20), 189);
  EXPECT_EQ(CMainFrame::CategoryPicture(21), 178);
  EXPECT_EQ(CMainFrame::CategoryPicture(99), 0);
  EXPECT_FALSE(frame.CategoryBitmap(99).IsOk());
}

TEST_F(MainFrame, CreationLoadsTheEngineStoreOntoTheRows) {
  EngineList engines;
  SearchEngine wiby;
  wiby.name = "Wiby";
  wiby.url = "http://wiby.example/";
  wiby.prefix = "?q=";
  wiby.startToken = "<a";
  wiby.endToken = "</a>";
  engines.Append(wiby);
  CategoryRows rows = DefaultCategoryRows();
  rows[20].engineNames = std::vector<std::string>{"Wiby"};
  home_.Write("engines.dat", FormatEngines(engines));
  home_.Write("categories.dat", FormatCategories(rows));
  CMainFrame& frame = Open(false);
  ASSERT_EQ(frame.Engines().size(), 1u);
  EXPECT_EQ(frame.Engines().at(0)->name, "Wiby");
  ASSERT_TRUE(frame.Categories()[20].engineNames.has_value());
  EXPECT_EQ(*frame.Categories()[20].engineNames, std::vector<std::string>{"Wiby"});
  EXPECT_EQ(frame.Categories()[20].name, "Technology");
}

TEST_F(MainFrame, ClickRulesFollowTheSelectedRow) {
  CMainFrame& frame = Open(false);
  CCategoryPane& pane = *frame.CategoryList();
  // The dialogs the rows open are cancelled: nothing starts.
  ModalAnswers answers([](wxDialog&) { return wxID_CANCEL; });
  EXPECT_EQ(frame.SearchSelectedCategory(), CMainFrame::SearchKind::None);
  pane.SetItemState(1, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
  EXPECT_EQ(frame.SearchSelectedCategory(), CMainFrame::SearchKind::PcSearch);
  SearchEngine engine;
  engine.name = "Somewhere";
  engine.url = "http://127.0.0.1:9/";
  frame.Engines().Append(engine);
  frame.Categories()[3].engineNames = std::vector<std::string>{"Somewhere"};
  pane.SetItemState(3, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
  EXPECT_EQ(frame.SearchSelectedCategory(), CMainFrame::SearchKind::WebSearch);
  ASSERT_EQ(answers.asked().size(), 2u);
  EXPECT_EQ(answers.asked()[0].caption, "Search My PC");
  EXPECT_EQ(answers.asked()[1].caption, "Search");
  EXPECT_FALSE(frame.IsSearching());
  EXPECT_EQ(frame.StatusWindow(), nullptr);

  // New Search forgets the last words before it searches.
  frame.SetLastQuery("wooden boats");
  Command(32774);
  EXPECT_EQ(frame.LastQuery(), "");
}

TEST_F(MainFrame, FirstRunKeepsSystemPlacementAndDefaults) {
  CMainFrame& frame = Open(true);
  EXPECT_EQ(frame.Settings().connection.connectMethod, 1);
  EXPECT_EQ(frame.Settings().showWebView, 0);
  EXPECT_EQ(frame.View()->GetListColours().viewedSiteColor, 255u);
  EXPECT_EQ(frame.View()->GetListColours().longDescColor, 0xFF0000u);
  const wxColour window = wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW);
  EXPECT_EQ(frame.View()->GetListColours().background, MakeColorRef(window.Red(), window.Green(), window.Blue()));
  Close();
  // Closing writes every value of the section.
  for (const char* name : {"X", "Y", "W", "H", "BackgroundColor", "WebViewColor", "ViewedSiteColor", "LongDescColor",
                           "ShowWebView", "Connect Method"}) {
    EXPECT_TRUE(settings_.ReadNumber(name).has_value()) << name;
  }
  EXPECT_EQ(settings_.ReadText("Proxy"), "");
  EXPECT_EQ(settings_.ReadText("Port"), "");
}

TEST_F(MainFrame, SavedEdgesPlaceTheWindowAndSaveBackTheSame) {
  settings_.WriteNumber("X", 100);
  settings_.WriteNumber("Y", 50);
  settings_.WriteNumber("W", 900);
  settings_.WriteNumber("H", 650);
  settings_.WriteNumber("Connect Method", 3);
  settings_.WriteText("Proxy", "proxy.example");
  CMainFrame& frame = Open(false);
  EXPECT_EQ(frame.GetSize(), wxSize(800, 600));
  EXPECT_EQ(frame.GetPosition(), wxPoint(100, 50));
  EXPECT_EQ(frame.Settings().connection.connectMethod, 3);
  Close();
  EXPECT_EQ(settings_.ReadNumber("X"), 100);
  EXPECT_EQ(settings_.ReadNumber("Y"), 50);
  EXPECT_EQ(settings_.ReadNumber("W"), 900);
  EXPECT_EQ(settings_.ReadNumber("H"), 650);
  EXPECT_EQ(settings_.ReadNumber("Connect Method"), 3);
  EXPECT_EQ(settings_.ReadText("Proxy"), "proxy.example");
}

TEST_F(MainFrame, ViewCommandsShowAndHideTheBars) {
  CMainFrame& frame = Open(true);
  Command(59392);
  EXPECT_FALSE(frame.ToolBar()->IsShown());
  Command(59392);
  EXPECT_TRUE(frame.ToolBar()->IsShown());
  Command(59393);
  EXPECT_FALSE(frame.GetStatusBar()->IsShown());
  // The address box shares the number but its events are not the command.
  wxCommandEvent chosen(wxEVT_COMBOBOX, frame.AddressBox()->GetId());
  chosen.SetEventObject(frame.AddressBox());
  frame.AddressBox()->GetEventHandler()->ProcessEvent(chosen);
  EXPECT_FALSE(frame.GetStatusBar()->IsShown());
  Command(59393);
  EXPECT_TRUE(frame.GetStatusBar()->IsShown());
}

TEST_F(MainFrame, ThrobberStopsOnItsFirstFrame) {
  CMainFrame& frame = Open(false);
  frame.StartThrobber();
  frame.StopThrobber();
  EXPECT_FALSE(frame.Throbber()->IsPlaying());
}

}  // namespace
}  // namespace sorvane::testing

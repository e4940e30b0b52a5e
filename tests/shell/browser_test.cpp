#include <wx/combobox.h>
#include <wx/notebook.h>
#include <wx/toolbar.h>
#include <wx/statusbr.h>
#include <wx/webview.h>

#include "res/resource_ids.h"
#include "shell/frame_fixture.h"
#include "shell/web_view.h"
#include "support/input_events.h"

namespace sorvane::testing {
namespace {

class Browser : public FrameTest {
 protected:
  CWebView& Web() { return *frame_->View()->WebView(); }

  bool WaitForAddress(const wxString& path) {
    const wxString wanted = BrowserAddress(path);
    return PumpUntil([&] { return !Web().Browser()->IsBusy() && Web().CurrentAddress() == wanted; });
  }

  void Enter(const wxString& text) {
    wxComboBox* box = frame_->AddressBox();
    box->SetValue(text);
    wxCommandEvent event(wxEVT_TEXT_ENTER, box->GetId());
    event.SetEventObject(box);
    event.SetString(text);
    box->GetEventHandler()->ProcessEvent(event);
  }

  wxString Page(const std::string& name, const std::string& title) {
    return wxString::FromUTF8(
        home_.Write(name, "<html><head><title>" + title + "</title></head><body>" + name + "</body></html>").string());
  }
};

TEST_F(Browser, StartsOnTheWebViewTabShowingTheStartPage) {
  CMainFrame& frame = Open(true);
  ASSERT_NE(frame.View()->WebView(), nullptr);
  EXPECT_EQ(frame.View()->SelectedTab(), CSorvaneView::kWebViewTab);
  EXPECT_EQ(frame.View()->ShownWindow(), frame.View()->WebView());
  const wxString start = wxString::FromUTF8((home_.path() / "index.htm").string());
  ASSERT_TRUE(WaitForAddress(start));
  // The page's title makes the caption; the completed page joins the address list.
  ASSERT_TRUE(PumpUntil([&] { return frame.GetTitle() == "Start - Sorvane"; }));
  EXPECT_NE(frame.AddressBox()->FindString(BrowserAddress(start)), wxNOT_FOUND);
  EXPECT_EQ(frame.AddressBox()->GetValue(), BrowserAddress(start));
}

TEST_F(Browser, EnterNavigatesAndAddsTheTextEveryTime) {
  CMainFrame& frame = Open(true);
  const wxString page = Page("typed.htm", "Typed");
  ASSERT_TRUE(WaitForAddress(wxString::FromUTF8((home_.path() / "index.htm").string())));
  const unsigned before = frame.AddressBox()->GetCount();
  Enter(page);
  ASSERT_TRUE(WaitForAddress(page));
  Enter(page);
  ASSERT_TRUE(PumpUntil([&] { return !Web().Browser()->IsBusy(); }));
  unsigned typed = 0;
  for (unsigned i = 0; i < frame.AddressBox()->GetCount(); ++i) {
    if (frame.AddressBox()->GetString(i) == page) ++typed;
  }
  EXPECT_EQ(typed, 2u);
  EXPECT_GE(frame.AddressBox()->GetCount(), before + 2);
}

TEST_F(Browser, ChoosingFromTheListNavigatesThere) {
  CMainFrame& frame = Open(true);
  const wxString page = Page("chosen.htm", "Chosen");
  ASSERT_TRUE(WaitForAddress(wxString::FromUTF8((home_.path() / "index.htm").string())));
  wxComboBox* box = frame.AddressBox();
  const int item = box->Append(page);
  box->SetSelection(item);
  wxCommandEvent event(wxEVT_COMBOBOX, box->GetId());
  event.SetEventObject(box);
  event.SetInt(item);
  box->GetEventHandler()->ProcessEvent(event);
  EXPECT_TRUE(WaitForAddress(page));
  // The same number as a menu command is the Status Bar toggle, not an address.
  EXPECT_TRUE(frame.GetStatusBar()->IsShown());
}

TEST_F(Browser, TextSizeCommandsSendZoomFourToZero) {
  Open(true);
  Command(32782);
  EXPECT_EQ(Web().TextSize(), 4);
  Command(32784);
  EXPECT_EQ(Web().TextSize(), 2);
  Command(32786);
  EXPECT_EQ(Web().TextSize(), 0);
}

TEST_F(Browser, OpenedDocumentShowsOnTheWebViewTab) {
  CMainFrame& frame = Open(true);
  const wxString page = Page("Search Results.htm", "Results");
  frame.View()->SelectTab(CSorvaneView::kListViewTab);
  EXPECT_FALSE(document_->OnOpenDocument(wxString::FromUTF8((home_.path() / "missing.htm").string())));
  EXPECT_EQ(frame.View()->SelectedTab(), CSorvaneView::kListViewTab);
  EXPECT_TRUE(document_->OnOpenDocument(page));
  EXPECT_EQ(frame.View()->SelectedTab(), CSorvaneView::kWebViewTab);
  EXPECT_TRUE(WaitForAddress(page));
}

TEST_F(Browser, FavoritesMenuEntriesNavigateToTheirShortcuts) {
  const wxString first = Page("first.htm", "First");
  const wxString second = Page("second.htm", "Second");
  TempFolder favorites;
  favorites.Write("b.url", "[InternetShortcut]\nURL=" + second.utf8_string() + "\n");
  favorites.Write("A.url", "[InternetShortcut]\nURL=" + first.utf8_string() + "\n");
  favorites.Write("Tools/c.url", "[InternetShortcut]\nURL=http://c.example/\n");
  CMainFrame& frame = Open(true, favorites.path());
  wxMenu* popup = frame.FavoritesPopup();
  ASSERT_EQ(popup->GetMenuItemCount(), 3u);
  EXPECT_EQ(popup->FindItemByPosition(0)->GetItemLabelText(), "Tools");
  EXPECT_EQ(popup->FindItemByPosition(1)->GetId(), 3584);
  EXPECT_EQ(popup->FindItemByPosition(1)->GetItemLabelText(), "A");
  EXPECT_EQ(popup->FindItemByPosition(2)->GetId(), 3585);
  EXPECT_EQ(frame.FavoriteUrls().size(), 3u);
  // The toolbar's Favorites arrow shows the same entries under the same ids.
  wxMenu* dropDown = frame.ToolBar()->FindById(res::ToWxId(ids::ID_FAVORITES_BUTTON))->GetDropdownMenu();
  ASSERT_NE(dropDown, nullptr);
  ASSERT_EQ(dropDown->GetMenuItemCount(), 3u);
  EXPECT_EQ(dropDown->FindItemByPosition(1)->GetId(), 3584);
  ASSERT_NE(dropDown->FindItemByPosition(0)->GetSubMenu(), nullptr);
  EXPECT_EQ(dropDown->FindItemByPosition(0)->GetSubMenu()->FindItemByPosition(0)->GetId(), 3586);
  Command(3584);
  EXPECT_TRUE(WaitForAddress(first));
  Command(3585);
  EXPECT_TRUE(WaitForAddress(second));
}

TEST(BrowserAddressRule, WebAddressesWithoutASchemeGetHttpAndPathsStayFiles) {
  EXPECT_EQ(BrowserAddress("www.example.com"), "http://www.example.com");
  EXPECT_EQ(BrowserAddress("example.com/a?b=c"), "http://example.com/a?b=c");
  EXPECT_EQ(BrowserAddress("https://example.com/"), "https://example.com/");
  EXPECT_EQ(BrowserAddress("about:blank"), "about:blank");
  EXPECT_EQ(BrowserAddress("MailTo:someone@example.com"), "MailTo:someone@example.com");
  EXPECT_EQ(BrowserAddress(""), "");
  TempFolder folder;
  const std::filesystem::path page = folder.Write("page.htm", "<html></html>");
  EXPECT_TRUE(BrowserAddress(wxString::FromUTF8(page.string())).StartsWith("file://"));
  // A relative path that exists is a file too.
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(folder.path());
  const wxString relative = BrowserAddress("page.htm");
  std::filesystem::current_path(before);
  EXPECT_TRUE(relative.StartsWith("file://")) << relative;
  EXPECT_TRUE(relative.EndsWith("/page.htm")) << relative;
}

// The address under the pointer reaches the status bar's first pane, and the
// idle text comes back when the pointer leaves the link.
TEST_F(Browser, TheLinkUnderThePointerShowsInTheStatusBar) {
  CMainFrame& frame = Open(true);
  const wxString page = wxString::FromUTF8(
      home_
          .Write("links.htm",
                 "<html><head><title>Links</title></head><body style='margin:0'>"
                 "<a href='http://boats.example/keels' style='display:block;width:300px;height:100px;"
                 "font-size:40px'>keels</a><div style='height:400px'>nothing</div></body></html>")
          .string());
  ASSERT_TRUE(WaitForAddress(wxString::FromUTF8((home_.path() / "index.htm").string())));
  frame.NavigateTo(page);
  ASSERT_TRUE(WaitForAddress(page));
  ASSERT_TRUE(PumpUntil([&] { return frame.GetTitle() == "Links - Sorvane"; }));
  frame.Raise();
  Input input;
  wxWindow& browser = *Web().Browser();
  // The page's script may come a moment after the load: move until it answers.
  ASSERT_TRUE(PumpUntil([&] {
    input.MoveTo(browser, wxPoint(60, 200));
    input.MoveTo(browser, wxPoint(60, 40));
    Pump(std::chrono::milliseconds(50));
    return frame.GetStatusBar()->GetStatusText(0) == "http://boats.example/keels";
  }, std::chrono::milliseconds(15000)));
  input.MoveTo(browser, wxPoint(60, 300));
  EXPECT_TRUE(PumpUntil([&] { return frame.GetStatusBar()->GetStatusText(0) == "Ready"; }));
}

}  // namespace
}  // namespace sorvane::testing

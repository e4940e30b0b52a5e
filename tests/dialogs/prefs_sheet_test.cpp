#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/dcclient.h>
#include <wx/radiobut.h>
#include <wx/settings.h>
#include <wx/textctrl.h>

#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "core/maker_site.h"
#include "dialogs/comm_prefs_page.h"
#include "dialogs/preferences_sheet.h"
#include "dialogs/program_prefs_page.h"
#include "dialogs/wx_text.h"
#include "results/fit_text.h"
#include "results/results_list_ctrl.h"
#include "support/scripted_prompts.h"
#include "support/control_events.h"

namespace sorvane {
namespace {

using testing::Click;
using testing::Choose;
using testing::Toggle;

ColorRef SystemWindowColour() {
  const wxColour window = wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW);
  return MakeColorRef(window.Red(), window.Green(), window.Blue());
}

bool SameColours(const ListColours& a, const ListColours& b) {
  return a.background == b.background && a.webViewColor == b.webViewColor &&
         a.viewedSiteColor == b.viewedSiteColor && a.longDescColor == b.longDescColor;
}

// The frame's side: its settings, the results list's colours, and a count of
// the times the sheet gave the colours back.
class PrefsSheetTest : public ::testing::Test {
 protected:
  PrefsSheetTest() {
    settings_.showWebView = 1;
    settings_.connection = {ConnectionSettings::kDirect, "proxy.old", "8000"};
    listColours_ = {0x101010, 0x202020, 0x303030, 0x404040};
  }

  // Runs the sheet modally, doing `inside` once it is up, as a user would.
  int RunModal(std::function<void(CPreferencesSheet&)> inside) {
    CPreferencesSheet sheet(target_, prompts_);
    sheet.CallAfter([&sheet, inside] {
      inside(sheet);
      if (sheet.IsModal()) sheet.EndModal(wxID_ABORT);
    });
    return sheet.ShowModal();
  }

  static void Ok(CPreferencesSheet& sheet) { Click(sheet.OkButton()); }
  static void Cancel(CPreferencesSheet& sheet) {
    wxCommandEvent cancel(wxEVT_BUTTON, wxID_CANCEL);
    sheet.ProcessWindowEvent(cancel);
  }

  AppSettings settings_;
  ListColours listColours_;
  int coloursGiven_ = 0;
  testing::ScriptedPrompts prompts_;
  PreferencesTarget target_{settings_, [this] { return listColours_; },
                            [this](const ListColours& colours) {
                              listColours_ = colours;
                              ++coloursGiven_;
                            }};
};

TEST_F(PrefsSheetTest, ProgramPageShowsTheCurrentColoursOnTwoSampleRowsOneOfThemVisited) {
  RunModal([&](CPreferencesSheet& sheet) {
    EXPECT_EQ(sheet.GetTitle(), "");
    ASSERT_EQ(sheet.PageCount(), 2);
    EXPECT_EQ(sheet.Page(0).Caption(), "Program");
    EXPECT_EQ(sheet.Page(1).Caption(), "Communication");
    EXPECT_EQ(sheet.SelectedPage(), 0);
    EXPECT_FALSE(sheet.ApplyButton().IsEnabled());

    CResultsListCtrl& preview = sheet.ProgramPage().PreviewList();
    ASSERT_EQ(preview.GetColumnCount(), 5);
    const std::vector<wxString> titles = {"Description", "URL", "Rank", "Hits", "Engine"};
    for (int column = 0; column < 5; ++column) EXPECT_EQ(preview.GetColumnTitle(column), titles[column]);
    ASSERT_EQ(preview.GetItemCount(), 2);
    const auto rows = preview.Table()->Snapshot();
    for (const SearchHit& row : rows) {
      EXPECT_EQ(row.url, kMakerWebSite);
      EXPECT_EQ(row.rank, 100);
      EXPECT_EQ(row.hits, 1);
      EXPECT_EQ(row.engine, "Infoseek");
      EXPECT_FALSE(row.description.empty());
    }
    EXPECT_FALSE(preview.Table()->IsViewed(0));
    EXPECT_TRUE(preview.Table()->IsViewed(1));
    EXPECT_EQ(preview.GetBackgroundColor(), 0x101010u);
    EXPECT_EQ(preview.GetTitleColor(), 0x202020u);
    EXPECT_EQ(preview.GetViewedColor(), 0x303030u);
    EXPECT_EQ(preview.GetLongDescColor(), 0x404040u);
    EXPECT_TRUE(sheet.ProgramPage().ShowWebViewCheck().GetValue());
  });
}

TEST_F(PrefsSheetTest, OkAtOnceLeavesEverySettingAsItWas) {
  const ListColours before = listColours_;
  settings_.connection = {ConnectionSettings::kNamedProxy, "", "8080"};  // even one the page would refuse
  EXPECT_EQ(RunModal([](CPreferencesSheet& sheet) { Ok(sheet); }), wxID_OK);
  EXPECT_EQ(coloursGiven_, 1);
  EXPECT_TRUE(SameColours(listColours_, before));
  EXPECT_EQ(settings_.showWebView, 1);
  // The Communication page was never shown: its settings are untouched.
  EXPECT_EQ(settings_.connection.connectMethod, ConnectionSettings::kNamedProxy);
  EXPECT_EQ(settings_.connection.proxy, "");
  EXPECT_EQ(settings_.connection.port, "8080");
}

TEST_F(PrefsSheetTest, UseOriginalSettingsThenCancelChangesNothingAndThenOkSetsTheDefaults) {
  const ListColours before = listColours_;
  EXPECT_EQ(RunModal([&](CPreferencesSheet& sheet) {
              Click(sheet.ProgramPage().OriginalSettingsButton());
              EXPECT_FALSE(sheet.ProgramPage().ShowWebViewCheck().GetValue());
              EXPECT_EQ(sheet.ProgramPage().PreviewList().GetViewedColor(), 255u);
              EXPECT_TRUE(sheet.ApplyButton().IsEnabled());
              Cancel(sheet);
            }),
            wxID_CANCEL);
  EXPECT_EQ(coloursGiven_, 0);
  EXPECT_TRUE(SameColours(listColours_, before));
  EXPECT_EQ(settings_.showWebView, 1);

  EXPECT_EQ(RunModal([&](CPreferencesSheet& sheet) {
              Click(sheet.ProgramPage().OriginalSettingsButton());
              Ok(sheet);
            }),
            wxID_OK);
  const ListColours original{SystemWindowColour(), 0x000000, 0x0000FF, 0xFF0000};
  EXPECT_TRUE(SameColours(listColours_, original));
  EXPECT_EQ(settings_.showWebView, 0);
}

TEST_F(PrefsSheetTest, ApplyIsEnabledByProgramChangesOnlyAndAppliesWithoutClosing) {
  prompts_.colours = {std::nullopt, wxColour(1, 2, 3)};
  RunModal([&](CPreferencesSheet& sheet) {
    CProgramPrefsPage& program = sheet.ProgramPage();
    // A cancelled colour chooser changes nothing.
    Click(program.TitleColorButton());
    EXPECT_FALSE(sheet.ApplyButton().IsEnabled());
    EXPECT_EQ(program.PreviewList().GetTitleColor(), 0x202020u);

    // Connection choices never enable Apply.
    sheet.SelectPage(1);
    Choose(sheet.CommPage().PreconfiguredOption());
    sheet.CommPage().PortEdit().SetValue("81");
    EXPECT_FALSE(sheet.ApplyButton().IsEnabled());

    Click(program.BackgroundColorButton());
    EXPECT_EQ(program.PreviewList().GetBackgroundColor(), MakeColorRef(1, 2, 3));
    EXPECT_TRUE(sheet.ApplyButton().IsEnabled());
    EXPECT_EQ(coloursGiven_, 0);

    Click(sheet.ApplyButton());
    EXPECT_TRUE(sheet.IsModal());
    EXPECT_FALSE(sheet.ApplyButton().IsEnabled());
    EXPECT_EQ(listColours_.background, MakeColorRef(1, 2, 3));
    // Apply takes every shown page, the connection choice included.
    EXPECT_EQ(settings_.connection.connectMethod, ConnectionSettings::kSystemSettings);
    EXPECT_EQ(settings_.connection.port, "81");

    Toggle(program.ShowWebViewCheck());
    EXPECT_TRUE(sheet.ApplyButton().IsEnabled());
    Cancel(sheet);
  });
  // Cancel keeps what Apply already applied and drops the rest.
  EXPECT_EQ(listColours_.background, MakeColorRef(1, 2, 3));
  EXPECT_EQ(settings_.showWebView, 1);
  EXPECT_EQ(prompts_.colourChoosers, 2);
}

// Each chooser opens at the colour its button changes, as the preview shows
// it then: not at black, and after a choice at the colour just chosen.
TEST_F(PrefsSheetTest, EachColourChooserOpensAtTheColourItChanges) {
  listColours_ = {0x332211, 0x0000FF, 0x00FF00, 0xFF0000};
  prompts_.colours = {wxColour(9, 8, 7)};
  RunModal([&](CPreferencesSheet& sheet) {
    CProgramPrefsPage& program = sheet.ProgramPage();
    Click(program.TitleColorButton());
    Click(program.TitleColorButton());
    Click(program.ViewedColorButton());
    Click(program.LongDescColorButton());
    Click(program.BackgroundColorButton());
    Cancel(sheet);
  });
  const std::vector<wxColour> opened = {wxColour(255, 0, 0), wxColour(9, 8, 7), wxColour(0, 255, 0),
                                        wxColour(0, 0, 255), wxColour(0x11, 0x22, 0x33)};
  EXPECT_EQ(prompts_.colourStarts, opened);
}

// The preview's columns start as the results list's do: fitted to their
// titles, then Description three times that, URL six times, Engine twice. So
// each sample row shows its whole description on the lines under its first,
// and its address and engine in their columns.
TEST_F(PrefsSheetTest, PreviewColumnsStartAsTheResultsListsSoTheSampleRowsAreNotCut) {
  RunModal([&](CPreferencesSheet& sheet) {
    CResultsListCtrl& preview = sheet.ProgramPage().PreviewList();
    CResultsListCtrl titlesOnly(&sheet, wxID_ANY);
    titlesOnly.SetTable(std::make_shared<ResultsTable>());
    ASSERT_EQ(preview.GetColumnCount(), titlesOnly.GetColumnCount());
    const int factors[] = {3, 6, 1, 1, 2};
    for (int column = 0; column < preview.GetColumnCount(); ++column)
      EXPECT_EQ(preview.GetColumnWidth(column), titlesOnly.GetColumnWidth(column) * factors[column]) << column;

    // The description lines are drawn in the rows' font, the first line in
    // bold.
    wxClientDC dc(&preview.RowsWindow());
    const wxFont rowsFont = preview.RowsWindow().GetFont();
    const TextMeasure measure = [&dc](std::string_view text) { return dc.GetTextExtent(ToWx(text)).x; };
    const int descriptionWidth = preview.GetColumnWidth(0) + preview.GetColumnWidth(1) + preview.GetColumnWidth(2);
    for (const SearchHit& row : preview.Table()->Snapshot()) {
      dc.SetFont(rowsFont);
      EXPECT_EQ(FitDescriptionLines(row.description, descriptionWidth, measure).second, row.description);
      dc.SetFont(rowsFont.Bold());
      EXPECT_EQ(FitText(row.url, preview.GetColumnWidth(1), measure), row.url);
      EXPECT_EQ(FitText(row.engine, preview.GetColumnWidth(4), measure), row.engine);
    }
  });
}

TEST_F(PrefsSheetTest, CommunicationPageEnablesTheProxyEditsForTheProxyMethodOnly) {
  for (const int stored : {0, 2, 7}) {
    settings_.connection.connectMethod = stored;
    RunModal([&](CPreferencesSheet& sheet) {
      sheet.SelectPage(1);
      CCommPrefsPage& comm = sheet.CommPage();
      EXPECT_TRUE(comm.PreconfiguredOption().GetValue()) << stored;
      EXPECT_FALSE(comm.ProxyEdit().IsEnabled()) << stored;
      EXPECT_FALSE(comm.PortEdit().IsEnabled()) << stored;
      EXPECT_EQ(comm.ProxyEdit().GetValue(), "proxy.old");
      EXPECT_EQ(comm.PortEdit().GetValue(), "8000");
      Choose(comm.ProxyOption());
      EXPECT_TRUE(comm.ProxyEdit().IsEnabled());
      EXPECT_TRUE(comm.PortEdit().IsEnabled());
      Choose(comm.DirectOption());
      EXPECT_FALSE(comm.ProxyEdit().IsEnabled());
      Cancel(sheet);
    });
  }
  settings_.connection.connectMethod = ConnectionSettings::kNamedProxy;
  RunModal([&](CPreferencesSheet& sheet) {
    sheet.SelectPage(1);
    EXPECT_TRUE(sheet.CommPage().ProxyOption().GetValue());
    EXPECT_TRUE(sheet.CommPage().ProxyEdit().IsEnabled());
    Cancel(sheet);
  });
}

TEST_F(PrefsSheetTest, TheProxyMethodWithoutAProxyKeepsTheSheetOpenAndStoresNothing) {
  const int result = RunModal([&](CPreferencesSheet& sheet) {
    sheet.SelectPage(1);
    CCommPrefsPage& comm = sheet.CommPage();
    Choose(comm.ProxyOption());
    comm.ProxyEdit().SetValue("  ");
    sheet.SelectPage(0);  // OK from the other page still checks this one
    Ok(sheet);
    EXPECT_TRUE(sheet.IsModal());
    EXPECT_EQ(sheet.SelectedPage(), 1);
    EXPECT_EQ(settings_.connection.connectMethod, ConnectionSettings::kDirect);
    EXPECT_EQ(settings_.connection.proxy, "proxy.old");

    comm.ProxyEdit().SetValue(" proxy.new\t");
    comm.PortEdit().SetValue(" 3128 ");
    Ok(sheet);
  });
  EXPECT_EQ(result, wxID_OK);
  ASSERT_EQ(prompts_.messages.size(), 1u);
  EXPECT_EQ(prompts_.messages[0].text, "Please enter the proxy server");
  EXPECT_EQ(prompts_.messages[0].caption, "Sorvane");
  EXPECT_EQ(prompts_.messages[0].style, wxOK);
  EXPECT_EQ(settings_.connection.connectMethod, ConnectionSettings::kNamedProxy);
  EXPECT_EQ(settings_.connection.proxy, "proxy.new");
  EXPECT_EQ(settings_.connection.port, "3128");
}

}  // namespace
}  // namespace sorvane

// Learning engines in the window: Engine Details' Test and Find Markers run on
// a thread of their own against a loopback site, and Import in the Engines
// dialog learns a record from a search address and offers it in Engine Details.

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/listctrl.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/timer.h>

#include "core/engine_store.h"
#include "dialogs/engine_details_dlg.h"
#include "dialogs/engines_dlg.h"
#include "dialogs/import_engine_dlg.h"
#include "platform/file_io.h"
#include "support/gui_test_support.h"
#include "support/modal_driver.h"
#include "support/page_server.h"
#include "support/temp_folder.h"

namespace sorvane {
namespace {

using testing::ClickId;
using testing::PageServer;
using testing::PumpUntil;
using testing::TempFolder;
using testing::WhenModal;

// WhenModal for a dialog that opens only after work on another thread: a
// timer looks for it every 20 ms for up to ten seconds (a timer, so that the
// looking leaves the event loop free to take the work's answer).
template <class Dialog>
void WhenModalWithin(std::function<void(Dialog&)> act) {
  auto* timer = new wxTimer();
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  timer->Bind(wxEVT_TIMER, [timer, act, deadline](wxTimerEvent&) {
    Dialog* dialog = testing::OpenModal<Dialog>();
    if (!dialog && std::chrono::steady_clock::now() < deadline) return;
    timer->Stop();
    wxTheApp->CallAfter([timer] { delete timer; });
    if (dialog) {
      act(*dialog);
      return;
    }
    ADD_FAILURE() << "the expected dialog did not open";
    if (wxDialog* open = testing::OpenModal<wxDialog>()) open->EndModal(wxID_CANCEL);
  });
  timer->Start(20);
}

class EngineLearningDlgTest : public ::testing::Test {
 protected:
  EngineLearningDlgTest() {
    page_ = ReadWholeFile(std::filesystem::path(SORVANE_ENGINE_PAGES_DIR) / "Wiby.html").value_or("");
    server_.server().Get("/search", [this](const httplib::Request&, httplib::Response& response) {
      ++requests_;
      response.set_content(page_, "text/html");
    });
  }

  // A record for the loopback site, with the markers `startToken` and `endToken`.
  SearchEngine SiteRecord(const std::string& startToken, const std::string& endToken) const {
    SearchEngine record;
    record.name = "Loop";
    record.startToken = startToken;
    record.endToken = endToken;
    record.prefix = server_.Origin() + "/search?q=";
    record.suffix = "&lang=en";
    record.searchType = ResultCount;
    return record;
  }

  static std::vector<std::string> Links(wxListCtrl& list) {
    std::vector<std::string> links;
    for (long row = 0; row < list.GetItemCount(); ++row) links.push_back(list.GetItemText(row, 1).ToStdString());
    std::sort(links.begin(), links.end());
    return links;
  }

  const std::vector<std::string> kWibyLinks = {"http://home.example.net/~skiff/", "http://www.woodenboat.com/",
                                               "https://www.classicboat.example/restoring/"};
  std::string page_;
  int requests_ = 0;
  PageServer server_;
};

TEST_F(EngineLearningDlgTest, TestRunsTheRecordAsTheDialogHoldsItAndShowsItsHits) {
  CEngineDetailsDlg details(nullptr);
  details.SetValues(SiteRecord("<b>not on the page", "</a>"));
  details.TransferDataToWindow();
  // Not as saved: the start token typed into the field is the one tried.
  details.StartTokenEdit().SetValue("<a class=\"tlink\" href=\"http");
  details.SetWords("wooden boats");
  testing::Click(details.TestButton());
  EXPECT_TRUE(details.StopButton().IsEnabled());
  EXPECT_FALSE(details.TestButton().IsEnabled());
  ASSERT_TRUE(PumpUntil([&] { return !details.TrialRunning(); }));
  EXPECT_EQ(details.OutcomeLine().GetLabel(), "3 hits");
  EXPECT_EQ(Links(details.HitsList()), kWibyLinks);
  EXPECT_TRUE(details.TestButton().IsEnabled());
  EXPECT_FALSE(details.StopButton().IsEnabled());

  // Without words nothing runs, and the line says what is missing.
  details.WordsEdit().SetValue("");
  testing::Click(details.TestButton());
  EXPECT_FALSE(details.TrialRunning());
  EXPECT_EQ(details.OutcomeLine().GetLabel(), "Type the words to search for.");
}

TEST_F(EngineLearningDlgTest, FindMarkersFillsTheTokensAndTestsTheRecordLeavingTheOtherFieldsAlone) {
  CEngineDetailsDlg details(nullptr);
  SearchEngine record = SiteRecord("<div class=\"old\"><a href=\"", "</old>");
  record.nextPageCommand = "kept";
  details.SetValues(record);
  details.TransferDataToWindow();
  details.SetWords("wooden boats");
  testing::Click(details.FindMarkersButton());
  ASSERT_TRUE(PumpUntil([&] { return !details.TrialRunning(); }));
  EXPECT_EQ(details.StartTokenEdit().GetValue(), "<a class=\"tlink\" href=\"http");
  EXPECT_EQ(details.EndTokenEdit().GetValue(), "</a>");
  EXPECT_EQ(details.UrlEdit().GetValue(), "");
  EXPECT_EQ(details.OutcomeLine().GetLabel(), "3 hits");
  EXPECT_EQ(Links(details.HitsList()), kWibyLinks);
  EXPECT_EQ(requests_, 2);  // the page to learn from, then the test as a search asks

  ASSERT_TRUE(details.TransferDataFromWindow());
  const SearchEngine& read = details.Values();
  EXPECT_EQ(read.startToken, "<a class=\"tlink\" href=\"http");
  EXPECT_EQ(read.prefix, record.prefix);
  EXPECT_EQ(read.suffix, "&lang=en");
  EXPECT_EQ(read.nextPageCommand, "kept");
}

TEST_F(EngineLearningDlgTest, StopEndsATrialAndClosingTheDialogLeavesItsWorkBehind) {
  PageServer slow;
  slow.server().Get("/search", [](const httplib::Request&, httplib::Response& response) {
    std::this_thread::sleep_for(std::chrono::seconds(2));
    response.set_content("<html></html>", "text/html");
  });
  {
    CEngineDetailsDlg details(nullptr);
    SearchEngine record = SiteRecord("<a href=\"http", "</a>");
    record.prefix = slow.Origin() + "/search?q=";
    details.SetValues(record);
    details.TransferDataToWindow();
    details.SetWords("boats");
    testing::Click(details.TestButton());
    ASSERT_TRUE(details.TrialRunning());
    testing::Click(details.StopButton());
    EXPECT_FALSE(details.TrialRunning());
    EXPECT_EQ(details.OutcomeLine().GetLabel(), "Stopped.");
    EXPECT_TRUE(details.TestButton().IsEnabled());
    testing::Click(details.FindMarkersButton());
    ASSERT_TRUE(details.TrialRunning());
  }
  // The dialog is gone while its trial still waits for the site: nothing of
  // the trial may reach it when the answer comes.
  testing::Pump(std::chrono::milliseconds(300));
}

TEST_F(EngineLearningDlgTest, ImportLearnsARecordFromASearchAddress) {
  CImportEngineDlg import(nullptr);
  import.SourceEdit().SetValue(server_.Origin() + "/search?q=Wooden%20Boats&lang=en");
  import.WordsEdit().SetValue("wooden boats");
  testing::Click(import.ImportButton());
  ASSERT_TRUE(PumpUntil([&] { return !import.Working(); }));
  EXPECT_EQ(import.GetReturnCode(), wxID_OK) << import.StatusLine().GetLabel();
  const SearchEngine& learned = import.Learned();
  EXPECT_EQ(learned.name, "127.0.0.1");
  EXPECT_EQ(learned.startToken, "<a class=\"tlink\" href=\"http");
  EXPECT_EQ(learned.endToken, "</a>");
  EXPECT_EQ(learned.prefix, server_.Origin() + "/search?q=");
  EXPECT_EQ(learned.suffix, "&lang=en");
  EXPECT_EQ(import.Words(), "wooden boats");
}

TEST_F(EngineLearningDlgTest, TheEnginesDialogAddsAnImportedRecordOnlyOnOk) {
  TempFolder folder;
  EngineList engines;
  CEnginesDlg dialog(nullptr, engines, folder.path());
  dialog.InitDialog();
  EXPECT_EQ(dialog.ImportButton().GetLabel(), "&Import...");
  const std::string address = server_.Origin() + "/search?q=wooden+boats";

  for (const int answer : {wxID_CANCEL, wxID_OK}) {
    bool detailsSeen = false;
    WhenModal<CImportEngineDlg>([&](CImportEngineDlg& import) {
      import.SourceEdit().SetValue(address);
      import.WordsEdit().SetValue("wooden boats");
      WhenModalWithin<CEngineDetailsDlg>([&](CEngineDetailsDlg& details) {
        detailsSeen = true;
        EXPECT_EQ(details.StartTokenEdit().GetValue(), "<a class=\"tlink\" href=\"http");
        EXPECT_EQ(details.WordsEdit().GetValue(), "wooden boats");
        details.NameEdit().SetValue("Loop");
        ClickId(details, answer);
      });
      testing::Click(import.ImportButton());
    });
    testing::Click(dialog.ImportButton());
    EXPECT_TRUE(detailsSeen);
    // Nothing is kept until Engine Details ends with OK.
    EXPECT_EQ(engines.size(), answer == wxID_OK ? 1u : 0u);
  }
  ASSERT_EQ(engines.size(), 1u);
  EXPECT_EQ(engines.at(0)->name, "Loop");
  EngineList saved;
  ParseEngines(folder.Read(kEnginesFileName), saved);
  EXPECT_EQ(saved.size(), 1u);
}

TEST_F(EngineLearningDlgTest, ImportSaysWhyNothingWasLearnedAndStaysOpen) {
  CImportEngineDlg import(nullptr);
  import.SourceEdit().SetValue(server_.Origin() + "/search?q=boats");
  import.WordsEdit().SetValue("zeppelin");
  testing::Click(import.ImportButton());
  ASSERT_TRUE(PumpUntil([&] { return !import.Working(); }));
  EXPECT_TRUE(import.StatusLine().GetLabel().StartsWith("No engine learned: ")) << import.StatusLine().GetLabel();
  EXPECT_TRUE(import.ImportButton().IsEnabled());

  import.SourceEdit().SetValue("");
  testing::Click(import.ImportButton());
  EXPECT_FALSE(import.Working());
  EXPECT_EQ(import.StatusLine().GetLabel(), "Type or paste a search address, or choose an OpenSearch file.");
}

}  // namespace
}  // namespace sorvane

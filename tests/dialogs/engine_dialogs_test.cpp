// The Engines, Engine Details and Choose an Engine dialogs driven through their
// controls: sorted lists bound to their records, Add / Edit / Delete with
// engines.dat after each change, the delete question, double-clicks, and the
// warning before keeping a record the next start would drop.

#include <gtest/gtest.h>
#include <wx/choice.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <cstdlib>
#include <map>

#include "core/engine_store.h"
#include "dialogs/choose_engine_dlg.h"
#include "dialogs/engine_choice.h"
#include "dialogs/engine_details_dlg.h"
#include "dialogs/engines_dlg.h"
#include "support/modal_driver.h"
#include "support/gui_test_support.h"
#include "support/layout_checks.h"
#include "support/scripted_prompts.h"
#include "support/temp_folder.h"

namespace sorvane {
namespace {

using testing::CentreY;
using testing::ClickId;
using testing::Entries;
using testing::ScriptedPrompts;
using testing::TempFolder;
using testing::WhenModal;

SearchEngine MakeEngine(const std::string& name) {
  SearchEngine engine;
  engine.name = name;
  engine.startToken = "<li><a href=\"";
  engine.endToken = "</a>";
  engine.url = "http://" + name + ".example";
  engine.prefix = "/find?q=";
  engine.suffix = "&n=10";
  engine.searchType = ResultCount;
  return engine;
}

std::vector<std::string> Names(const EngineList& engines) {
  std::vector<std::string> names;
  for (const EnginePtr& engine : engines) names.push_back(engine->name);
  return names;
}

class EnginesDlgTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"Zeta", "alpha", "Beta"}) engines_.Append(MakeEngine(name));
    folder_.Write(kEnginesFileName, "untouched");
  }

  // engines.dat as the next start would read it.
  std::vector<std::string> SavedNames() const {
    EngineList read;
    ParseEngines(folder_.Read(kEnginesFileName), read);
    return Names(read);
  }

  std::unique_ptr<CEnginesDlg> OpenDialog() {
    auto dialog = std::make_unique<CEnginesDlg>(nullptr, engines_, folder_.path());
    dialog->SetPrompts(prompts_);
    dialog->InitDialog();
    return dialog;
  }

  TempFolder folder_;
  EngineList engines_;
  ScriptedPrompts prompts_;
};

TEST_F(EnginesDlgTest, ListsTheNamesSortedEachBoundToItsRecord) {
  auto dialog = OpenDialog();
  EXPECT_EQ(dialog->GetTitle(), "Engines");
  EXPECT_EQ(Entries(dialog->EngineListBox()), (std::vector<wxString>{"alpha", "Beta", "Zeta"}));
  EXPECT_EQ(dialog->EntryRecord(0), engines_.at(1));
  EXPECT_EQ(dialog->EntryRecord(1), engines_.at(2));
  EXPECT_EQ(dialog->EntryRecord(2), engines_.at(0));
  EXPECT_EQ(folder_.Read(kEnginesFileName), "untouched");
}

TEST_F(EnginesDlgTest, AddShowsTheNameInSortedPlaceAndAppendsTheRecordToTheFile) {
  engines_.Remove(0);  // alpha, Beta
  auto dialog = OpenDialog();
  WhenModal<CEngineDetailsDlg>([](CEngineDetailsDlg& details) {
    EXPECT_EQ(details.GetTitle(), "Engine Details");
    EXPECT_EQ(details.NameEdit().GetValue(), "");
    EXPECT_EQ(details.SearchTypeList().GetSelection(), wxNOT_FOUND);
    details.NameEdit().SetValue("Zeta");
    details.StartTokenEdit().SetValue("<b>");
    details.EndTokenEdit().SetValue("</b>");
    details.UrlEdit().SetValue("http://zeta.example");
    details.PrefixEdit().SetValue("/?q=");
    details.SuffixEdit().SetValue("&all");
    details.NextPageEdit().SetValue("/more?q=%s");
    details.SearchTypeList().SetSelection(SinglePage);
    ClickId(details, wxID_OK);
  });
  testing::Click(dialog->AddButton());

  EXPECT_EQ(Entries(dialog->EngineListBox()), (std::vector<wxString>{"alpha", "Beta", "Zeta"}));
  ASSERT_EQ(engines_.size(), 3u);
  EXPECT_EQ(dialog->EntryRecord(2), engines_.at(2));
  const SearchEngine& added = *engines_.at(2);
  EXPECT_EQ(added.valid, 1);
  EXPECT_EQ(added.searchType, SinglePage);
  EXPECT_EQ(added.nextPageCommand, "/more?q=%s");
  EXPECT_EQ(added.suffix, "&all");
  EXPECT_TRUE(prompts_.messages.empty());
  EXPECT_EQ(SavedNames(), (std::vector<std::string>{"alpha", "Beta", "Zeta"}));
  EXPECT_EQ(folder_.Read(kEnginesFileName).substr(0, 2), "3\n");
}

TEST_F(EnginesDlgTest, AnEmptyRecordIsKeptOnlyAfterTheUserSaysSo) {
  auto dialog = OpenDialog();
  prompts_.messageAnswers = {wxNO, wxYES};
  WhenModal<CEngineDetailsDlg>([this](CEngineDetailsDlg& details) {
    ClickId(details, wxID_OK);
    // "No": back to the fields, nothing stored yet.
    EXPECT_TRUE(details.IsModal());
    EXPECT_EQ(engines_.size(), 3u);
    ClickId(details, wxID_OK);
  });
  testing::Click(dialog->AddButton());

  ASSERT_EQ(prompts_.messages.size(), 2u);
  EXPECT_EQ(prompts_.messages[0].text, std::string(kDroppedAtNextStartQuestion));
  EXPECT_EQ(prompts_.messages[0].caption, "Sorvane");
  EXPECT_EQ(prompts_.messages[0].style & (wxYES_NO | wxCANCEL), wxYES_NO);
  ASSERT_EQ(engines_.size(), 4u);
  EXPECT_EQ(engines_.at(3)->name, "");
  EXPECT_EQ(engines_.at(3)->searchType, -1);
  EXPECT_EQ(Entries(dialog->EngineListBox()).front(), "");
  // Seven lines with no next-page line, as a type other than 0 and 3 is stored.
  const std::string saved = folder_.Read(kEnginesFileName);
  EXPECT_EQ(saved.substr(0, 2), "4\n");
  EXPECT_EQ(saved.substr(saved.size() - 10), "\n\n\n\n\n-1\n\n\n");
}

TEST_F(EnginesDlgTest, CancelledDetailsChangeNothing) {
  auto dialog = OpenDialog();
  WhenModal<CEngineDetailsDlg>([](CEngineDetailsDlg& details) {
    details.NameEdit().SetValue("Omega");
    ClickId(details, wxID_CANCEL);
  });
  testing::Click(dialog->AddButton());
  dialog->EngineListBox().SetSelection(0);
  WhenModal<CEngineDetailsDlg>([](CEngineDetailsDlg& details) {
    details.NameEdit().SetValue("Omega");
    ClickId(details, wxID_CANCEL);
  });
  testing::Click(dialog->EditButton());

  EXPECT_EQ(Names(engines_), (std::vector<std::string>{"Zeta", "alpha", "Beta"}));
  EXPECT_EQ(Entries(dialog->EngineListBox()), (std::vector<wxString>{"alpha", "Beta", "Zeta"}));
  EXPECT_EQ(folder_.Read(kEnginesFileName), "untouched");
}

TEST_F(EnginesDlgTest, EditShowsTheRecordAndMovesTheRenamedEntryToItsSortedPlace) {
  auto dialog = OpenDialog();
  const EnginePtr inUse = engines_.at(1);  // alpha, as a running search holds it
  dialog->EngineListBox().SetSelection(0);
  WhenModal<CEngineDetailsDlg>([](CEngineDetailsDlg& details) {
    EXPECT_EQ(details.NameEdit().GetValue(), "alpha");
    EXPECT_EQ(details.UrlEdit().GetValue(), "http://alpha.example");
    EXPECT_EQ(details.PrefixEdit().GetValue(), "/find?q=");
    EXPECT_EQ(details.SearchTypeList().GetSelection(), ResultCount);
    EXPECT_EQ(details.SearchTypeList().GetString(ResultCount),
              "Engine allow you so specify the number of results to return");
    details.NameEdit().SetValue("Omega");
    ClickId(details, wxID_OK);
  });
  testing::Click(dialog->EditButton());

  // Same place in the list, a new record; the entry moved and follows it.
  EXPECT_EQ(Names(engines_), (std::vector<std::string>{"Zeta", "Omega", "Beta"}));
  EXPECT_EQ(Entries(dialog->EngineListBox()), (std::vector<wxString>{"Beta", "Omega", "Zeta"}));
  EXPECT_EQ(dialog->EngineListBox().GetSelection(), 1);
  EXPECT_EQ(dialog->EntryRecord(1), engines_.at(1));
  EXPECT_EQ(engines_.at(1)->url, "http://alpha.example");
  EXPECT_EQ(inUse->name, "alpha");
  EXPECT_EQ(SavedNames(), (std::vector<std::string>{"Zeta", "Omega", "Beta"}));

  // The entry is still bound: a second edit reaches the new record.
  WhenModal<CEngineDetailsDlg>([](CEngineDetailsDlg& details) {
    EXPECT_EQ(details.NameEdit().GetValue(), "Omega");
    details.SuffixEdit().SetValue("&n=50");
    ClickId(details, wxID_OK);
  });
  testing::Click(dialog->EditButton());
  EXPECT_EQ(engines_.at(1)->suffix, "&n=50");
  EXPECT_EQ(engines_.at(1)->name, "Omega");
}

TEST_F(EnginesDlgTest, DoubleClickOnAnEntryEditsIt) {
  auto dialog = OpenDialog();
  WhenModal<CEngineDetailsDlg>([](CEngineDetailsDlg& details) {
    EXPECT_EQ(details.NameEdit().GetValue(), "Zeta");
    details.EndTokenEdit().SetValue("</h3>");
    ClickId(details, wxID_OK);
  });
  testing::DoubleClick(dialog->EngineListBox(), "Zeta");
  EXPECT_EQ(engines_.at(0)->endToken, "</h3>");
  EXPECT_NE(folder_.Read(kEnginesFileName).find("</h3>"), std::string::npos);
}

TEST_F(EnginesDlgTest, EditAndDeleteWithoutASelectedEntryDoNothing) {
  auto dialog = OpenDialog();
  testing::FailIfAnyModalOpens();
  testing::Click(dialog->EditButton());
  testing::Click(dialog->DeleteButton());
  testing::Pump();
  EXPECT_TRUE(prompts_.messages.empty());
  EXPECT_EQ(engines_.size(), 3u);
  EXPECT_EQ(folder_.Read(kEnginesFileName), "untouched");
}

TEST_F(EnginesDlgTest, DeleteAsksAndOnlyYesDeletes) {
  auto dialog = OpenDialog();
  const EnginePtr inUse = engines_.at(2);  // Beta
  dialog->EngineListBox().SetSelection(1);
  prompts_.messageAnswers = {wxNO, wxCANCEL, wxYES};
  testing::Click(dialog->DeleteButton());
  testing::Click(dialog->DeleteButton());
  EXPECT_EQ(engines_.size(), 3u);
  EXPECT_EQ(folder_.Read(kEnginesFileName), "untouched");

  testing::Click(dialog->DeleteButton());
  ASSERT_EQ(prompts_.messages.size(), 3u);
  for (const auto& box : prompts_.messages) {
    EXPECT_EQ(box.text, "Are you sure you want to delete Beta?");
    EXPECT_EQ(box.caption, "Sorvane");
    EXPECT_EQ(box.style, testing::kDeleteQuestionStyle);
  }
  EXPECT_EQ(Names(engines_), (std::vector<std::string>{"Zeta", "alpha"}));
  EXPECT_EQ(Entries(dialog->EngineListBox()), (std::vector<wxString>{"alpha", "Zeta"}));
  EXPECT_EQ(dialog->EntryRecord(1), engines_.at(0));
  EXPECT_EQ(SavedNames(), (std::vector<std::string>{"Zeta", "alpha"}));
  EXPECT_EQ(inUse->name, "Beta");
}

TEST_F(EnginesDlgTest, AFileThatCannotBeWrittenIsReportedAndTheChangeKept) {
  const std::filesystem::path missing = folder_.path() / "no such folder";
  CEnginesDlg dialog(nullptr, engines_, missing);
  dialog.SetPrompts(prompts_);
  dialog.InitDialog();
  dialog.EngineListBox().SetSelection(0);
  prompts_.messageAnswers = {wxYES, wxOK};
  testing::Click(dialog.DeleteButton());

  ASSERT_EQ(prompts_.messages.size(), 2u);
  EXPECT_EQ(prompts_.messages[1].text, SaveFailedMessage(missing / kEnginesFileName));
  EXPECT_EQ(prompts_.messages[1].caption, "Sorvane");
  EXPECT_TRUE(prompts_.messages[1].style & wxICON_WARNING);
  EXPECT_EQ(Names(engines_), (std::vector<std::string>{"Zeta", "Beta"}));
  EXPECT_FALSE(std::filesystem::exists(missing));
}

TEST(EngineDetailsDlgTest, UntouchedTextsComeBackByteForByte) {
  // An older engines.dat in an 8-bit code page: confirming the dialog must not
  // re-encode the name, or the categories naming it would lose it.
  SearchEngine latin1 = MakeEngine("Caf\xE9");
  latin1.searchType = 7;  // a type the list cannot show is kept while none is chosen
  CEngineDetailsDlg details(nullptr);
  details.SetValues(latin1);
  details.InitDialog();
  EXPECT_EQ(details.NameEdit().GetValue(), wxString::FromUTF8("Caf\xC3\xA9"));
  EXPECT_EQ(details.SearchTypeList().GetSelection(), wxNOT_FOUND);
  ASSERT_TRUE(details.TransferDataFromWindow());
  EXPECT_EQ(details.Values(), latin1);

  details.NameEdit().SetValue(wxString::FromUTF8("Caf\xC3\xA9 Plus"));
  details.SearchTypeList().SetSelection(MultiplePages);
  ASSERT_TRUE(details.TransferDataFromWindow());
  EXPECT_EQ(details.Values().name, "Caf\xC3\xA9 Plus");
  EXPECT_EQ(details.Values().searchType, MultiplePages);
}

// In this desktop's font: each label beside its field, every field from one
// left edge and wide enough for the longest search type, nothing cut and no
// control over another.
TEST(EngineDetailsDlgTest, LabelsAndFieldsLineUpInThisDesktopsFont) {
  CEngineDetailsDlg details(nullptr);
  details.InitDialog();
  std::map<wxString, wxWindow*> labels;
  for (wxWindow* child : details.GetChildren())
    if (auto* label = dynamic_cast<wxStaticText*>(child)) labels[label->GetLabel()] = label;
  const std::pair<const char*, wxWindow*> rows[] = {
      {"Engine", &details.NameEdit()},
      {"Token that Identifies Data", &details.StartTokenEdit()},
      {"Token that identifies end of data", &details.EndTokenEdit()},
      {"URL", &details.UrlEdit()},
      {"Search Type", &details.SearchTypeList()},
      {"Next Page Command", &details.NextPageEdit()},
      {"Search Command Prefix", &details.PrefixEdit()},
      {"Search Command Suffix", &details.SuffixEdit()},
  };
  const wxRect first = details.NameEdit().GetRect();
  int previousBottom = -1;
  for (const auto& [text, field] : rows) {
    ASSERT_TRUE(labels.count(text)) << text;
    const wxRect label = labels[text]->GetRect();
    const wxRect place = field->GetRect();
    EXPECT_EQ(place.x, first.x) << text;
    EXPECT_EQ(place.GetRight(), first.GetRight()) << text;
    EXPECT_EQ(label.x, labels["Engine"]->GetRect().x) << text;
    EXPECT_LT(label.GetRight(), place.x) << text;
    EXPECT_LE(std::abs(CentreY(*labels[text]) - CentreY(*field)), 1) << text;
    EXPECT_GT(place.y, previousBottom) << text;
    previousBottom = place.GetBottom();
  }
  EXPECT_GE(details.SearchTypeList().GetSize().x, details.SearchTypeList().GetBestSize().x);
  testing::ExpectNoCutTexts(details);
  testing::ExpectChildrenInsideAndApart(details);
  // OK and Cancel come under the fields.
  EXPECT_GT(details.FindWindow(wxID_OK)->GetRect().y, previousBottom);
  EXPECT_GT(details.FindWindow(wxID_CANCEL)->GetRect().y, previousBottom);
}

TEST(EngineDetailsDlgTest, EachRequiredTextLeftEmptyBringsTheWarning) {
  using Field = std::string SearchEngine::*;
  for (const Field field : {&SearchEngine::name, &SearchEngine::startToken, &SearchEngine::endToken,
                            &SearchEngine::prefix}) {
    ScriptedPrompts prompts;
    prompts.messageAnswers = {wxNO};
    SearchEngine engine = MakeEngine("Gamma");
    engine.*field = "";
    CEngineDetailsDlg details(nullptr);
    details.SetPrompts(prompts);
    details.SetValues(engine);
    details.InitDialog();
    EXPECT_FALSE(details.TransferDataFromWindow());
    EXPECT_EQ(prompts.messages.size(), 1u);
  }
  // The URL, the suffix and the next-page command may be empty without harm.
  ScriptedPrompts prompts;
  SearchEngine engine = MakeEngine("Gamma");
  engine.url.clear();
  engine.suffix.clear();
  CEngineDetailsDlg details(nullptr);
  details.SetPrompts(prompts);
  details.SetValues(engine);
  details.InitDialog();
  EXPECT_TRUE(details.TransferDataFromWindow());
  EXPECT_TRUE(prompts.messages.empty());
}

class ChooseEngineDlgTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"Zeta", "alpha", "Beta"}) engines_.Append(MakeEngine(name));
  }
  EngineList engines_;
};

TEST_F(ChooseEngineDlgTest, OkWithNothingSelectedStaysOpenThenChoosesTheSelectedName) {
  CChooseEngineDlg dialog(nullptr, engines_);
  dialog.CallAfter([&dialog] {
    EXPECT_EQ(dialog.GetTitle(), "Choose an Engine");
    EXPECT_EQ(Entries(dialog.EngineListBox()), (std::vector<wxString>{"alpha", "Beta", "Zeta"}));
    ClickId(dialog, wxID_OK);
    EXPECT_TRUE(dialog.IsModal());
    EXPECT_TRUE(dialog.ChosenName().empty());
    dialog.EngineListBox().SetSelection(1);
    ClickId(dialog, wxID_OK);
  });
  EXPECT_EQ(dialog.ShowModal(), wxID_OK);
  EXPECT_EQ(dialog.ChosenName(), "Beta");
}

TEST_F(ChooseEngineDlgTest, DoubleClickChoosesAndCloses) {
  CChooseEngineDlg dialog(nullptr, engines_);
  dialog.CallAfter([&dialog] { testing::DoubleClick(dialog.EngineListBox(), "Zeta"); });
  EXPECT_EQ(dialog.ShowModal(), wxID_OK);
  EXPECT_EQ(dialog.ChosenName(), "Zeta");
}

TEST_F(ChooseEngineDlgTest, CancelLeavesTheNameEmptyEvenWithASelection) {
  CChooseEngineDlg dialog(nullptr, engines_);
  dialog.CallAfter([&dialog] {
    dialog.EngineListBox().SetSelection(0);
    ClickId(dialog, wxID_CANCEL);
  });
  EXPECT_EQ(dialog.ShowModal(), wxID_CANCEL);
  EXPECT_TRUE(dialog.ChosenName().empty());
}

}  // namespace
}  // namespace sorvane

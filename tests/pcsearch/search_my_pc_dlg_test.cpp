#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/listbox.h>
#include <wx/msgdlg.h>
#include <wx/radiobut.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "core/settings_store.h"
#include "pcsearch/search_my_pc_dlg.h"
#include "support/scripted_prompts.h"
#include "support/control_events.h"

namespace sorvane {
namespace {

using testing::Click;
using testing::Choose;

using Folders = std::vector<std::string>;

Folders Listed(wxListBox& list) {
  Folders folders;
  for (unsigned int index = 0; index < list.GetCount(); ++index) folders.push_back(list.GetString(index).ToStdString());
  return folders;
}

class SearchMyPcDlgTest : public ::testing::Test {
 protected:
  // The dialog as the frame makes it, with the test's answers and drives.
  void Open() {
    dialog_ = std::make_unique<CSearchMyPCDlg>(nullptr, settings_);
    dialog_->SetPrompts(prompts_);
    dialog_->SetDriveRoots([this] { return drives_; });
  }

  // Runs the dialog modally, doing `inside` once it is up, as a user would.
  int RunModal(std::function<void(CSearchMyPCDlg&)> inside) {
    Open();
    CSearchMyPCDlg& dialog = *dialog_;
    dialog.CallAfter([&dialog, inside] {
      inside(dialog);
      // Whatever the test did, the modal loop must end.
      if (dialog.IsModal()) dialog.EndModal(wxID_ABORT);
    });
    return dialog.ShowModal();
  }

  void Phrase(CSearchMyPCDlg& dialog, const char* text) { dialog.PhraseEdit().SetValue(text); }

  MemorySettingsStore settings_;
  testing::ScriptedPrompts prompts_;
  Folders drives_{"/", "/home"};
  std::unique_ptr<CSearchMyPCDlg> dialog_;
};

TEST_F(SearchMyPcDlgTest, FirstUseOffersAllDrivesWithTheFolderListDisabledUntilAPhraseIsTyped) {
  RunModal([&](CSearchMyPCDlg& dialog) {
    EXPECT_EQ(dialog.GetTitle(), "Search My PC");
    EXPECT_TRUE(dialog.AllDrivesOption().GetValue());
    EXPECT_FALSE(dialog.ChosenFoldersOption().GetValue());
    EXPECT_FALSE(dialog.RecurseCheck().GetValue());
    EXPECT_EQ(dialog.RecurseCheck().GetLabel(), "S&can all folders on my PC and network.");
    EXPECT_EQ(dialog.FolderList().GetCount(), 0u);
    for (wxWindow* folderPart : std::vector<wxWindow*>{&dialog.FolderList(), &dialog.FoldersNote(),
                                                       &dialog.AddButton(), &dialog.DeleteButton()})
      EXPECT_FALSE(folderPart->IsEnabled()) << folderPart->GetLabel();
    EXPECT_FALSE(dialog.SearchNowButton().IsEnabled());

    Phrase(dialog, "   ");
    EXPECT_FALSE(dialog.SearchNowButton().IsEnabled());
    Phrase(dialog, " wooden boats");
    EXPECT_TRUE(dialog.SearchNowButton().IsEnabled());
    Phrase(dialog, "");
    EXPECT_FALSE(dialog.SearchNowButton().IsEnabled());
  });
}

TEST_F(SearchMyPcDlgTest, ChosenFoldersAreKeptSortedAndSearchNowWaitsForTheFirstOne) {
  prompts_.folders = {wxString("D:\\Work"), std::nullopt, wxString("c:\\data"), wxString("C:\\Apps")};
  RunModal([&](CSearchMyPCDlg& dialog) {
    Phrase(dialog, "boats");
    Choose(dialog.ChosenFoldersOption());
    EXPECT_TRUE(dialog.FolderList().IsEnabled());
    EXPECT_TRUE(dialog.AddButton().IsEnabled());
    EXPECT_EQ(dialog.RecurseCheck().GetLabel(), "S&can all subfolders in the folders listed.");
    EXPECT_FALSE(dialog.SearchNowButton().IsEnabled());

    Click(dialog.AddButton());
    EXPECT_TRUE(dialog.SearchNowButton().IsEnabled());
    Click(dialog.AddButton());  // cancelled: nothing added
    Click(dialog.AddButton());
    Click(dialog.AddButton());
    EXPECT_EQ(Listed(dialog.FolderList()), (Folders{"C:\\Apps", "c:\\data", "D:\\Work"}));
    ASSERT_FALSE(prompts_.folderTitles.empty());
    EXPECT_EQ(prompts_.folderTitles[0], "Select a folder to search");

    // Back to all drives: the list stays, disabled, and is not needed.
    Choose(dialog.AllDrivesOption());
    EXPECT_FALSE(dialog.FolderList().IsEnabled());
    EXPECT_TRUE(dialog.SearchNowButton().IsEnabled());
  });
}

TEST_F(SearchMyPcDlgTest, DeleteAsksFirstAndOnlyYesRemovesTheEntry) {
  settings_.WriteNumber("PC Search Method", 1030);
  settings_.WriteText("Folder0", "/data");
  prompts_.messageAnswers = {wxNO, wxCANCEL, wxYES};
  RunModal([&](CSearchMyPCDlg& dialog) {
    Phrase(dialog, "boats");
    Click(dialog.DeleteButton());  // nothing selected: no question
    EXPECT_TRUE(prompts_.messages.empty());
    dialog.FolderList().SetSelection(0);
    Click(dialog.DeleteButton());
    Click(dialog.DeleteButton());
    EXPECT_EQ(dialog.FolderList().GetCount(), 1u);
    EXPECT_TRUE(dialog.SearchNowButton().IsEnabled());
    Click(dialog.DeleteButton());
    EXPECT_EQ(dialog.FolderList().GetCount(), 0u);
    EXPECT_FALSE(dialog.SearchNowButton().IsEnabled());
  });
  ASSERT_EQ(prompts_.messages.size(), 3u);
  EXPECT_EQ(prompts_.messages[0].text, "Are you sure you want to delete '/data'?");
  EXPECT_EQ(prompts_.messages[0].caption, "Sorvane");
  EXPECT_EQ(prompts_.messages[0].style, wxYES_NO | wxCANCEL | wxICON_QUESTION);
}

TEST_F(SearchMyPcDlgTest, SearchNowStoresTheSortedFoldersAndGivesThePhraseAsTyped) {
  prompts_.folders = {wxString("D:\\Work"), wxString("C:\\Data")};
  settings_.WriteText("Folder2", "/stale");
  settings_.WriteText("Folder3", "/older");
  const int result = RunModal([&](CSearchMyPCDlg& dialog) {
    Phrase(dialog, " boats ");
    Choose(dialog.ChosenFoldersOption());
    Click(dialog.AddButton());
    Click(dialog.AddButton());
    dialog.RecurseCheck().SetValue(true);
    Click(dialog.SearchNowButton());
  });
  ASSERT_EQ(result, wxID_OK);
  EXPECT_EQ(dialog_->Phrase(), " boats ");
  EXPECT_EQ(dialog_->Recurse(), 1);
  EXPECT_EQ(dialog_->ScanFolders(), (Folders{"C:\\Data", "D:\\Work"}));
  const ScanRequest request = dialog_->MakeScanRequest();
  EXPECT_EQ(request.folders, dialog_->ScanFolders());
  EXPECT_EQ(request.phrase, " boats ");
  EXPECT_TRUE(request.recurse);
  EXPECT_FALSE(request.stayOnFileSystem);

  EXPECT_EQ(settings_.NumberOr("PC Search Method", 0), 1030);
  EXPECT_EQ(settings_.NumberOr("Recurse", 0), 1);
  EXPECT_EQ(settings_.TextOr("Folder0", "-"), "C:\\Data");
  EXPECT_EQ(settings_.TextOr("Folder1", "-"), "D:\\Work");
  EXPECT_EQ(settings_.TextOr("Folder2", "-"), "");

  // The next opening comes back as it was left.
  RunModal([&](CSearchMyPCDlg& dialog) {
    EXPECT_TRUE(dialog.ChosenFoldersOption().GetValue());
    EXPECT_TRUE(dialog.RecurseCheck().GetValue());
    EXPECT_EQ(Listed(dialog.FolderList()), (Folders{"C:\\Data", "D:\\Work"}));
    EXPECT_EQ(dialog.PhraseEdit().GetValue(), "");
  });
}

TEST_F(SearchMyPcDlgTest, AllDrivesScansTheDrivesAndTheNextOpeningListsThemOnly) {
  settings_.WriteNumber("PC Search Method", 1030);
  settings_.WriteText("Folder0", "/data");
  ASSERT_EQ(RunModal([&](CSearchMyPCDlg& dialog) {
              Phrase(dialog, "boats");
              Choose(dialog.AllDrivesOption());
              Click(dialog.SearchNowButton());
            }),
            wxID_OK);
  EXPECT_EQ(dialog_->ScanFolders(), drives_);
  EXPECT_TRUE(dialog_->MakeScanRequest().stayOnFileSystem);
  EXPECT_EQ(settings_.NumberOr("PC Search Method", 0), 1029);
  EXPECT_EQ(settings_.TextOr("Folder2", "-"), "");

  drives_ = {"/mnt/other"};
  ASSERT_EQ(RunModal([&](CSearchMyPCDlg& dialog) {
              EXPECT_EQ(Listed(dialog.FolderList()), (Folders{"/", "/home"}));
              Phrase(dialog, "boats");
              Click(dialog.SearchNowButton());
            }),
            wxID_OK);
  // A second search scans only what was found for it.
  EXPECT_EQ(dialog_->ScanFolders(), (Folders{"/mnt/other"}));
}

TEST_F(SearchMyPcDlgTest, CancelStoresNothing) {
  prompts_.folders = {wxString("/new")};
  const int result = RunModal([&](CSearchMyPCDlg& dialog) {
    Phrase(dialog, "boats");
    Choose(dialog.ChosenFoldersOption());
    Click(dialog.AddButton());
    wxCommandEvent cancel(wxEVT_BUTTON, wxID_CANCEL);
    dialog.ProcessWindowEvent(cancel);
  });
  EXPECT_EQ(result, wxID_CANCEL);
  EXPECT_FALSE(settings_.ReadNumber("PC Search Method"));
  EXPECT_FALSE(settings_.ReadText("Folder0"));
  EXPECT_TRUE(dialog_->ScanFolders().empty());
}

TEST_F(SearchMyPcDlgTest, AStoredMethodThatIsNeitherOptionWaitsForTheUserToChoose) {
  settings_.WriteNumber("PC Search Method", 5);
  settings_.WriteNumber("Recurse", 1);
  settings_.WriteText("Folder0", "/data");
  RunModal([&](CSearchMyPCDlg& dialog) {
    EXPECT_FALSE(dialog.AllDrivesOption().GetValue());
    EXPECT_FALSE(dialog.ChosenFoldersOption().GetValue());
    EXPECT_TRUE(dialog.RecurseCheck().GetValue());
    EXPECT_TRUE(dialog.FolderList().IsEnabled());
    Phrase(dialog, "boats");
    EXPECT_FALSE(dialog.SearchNowButton().IsEnabled());
    Choose(dialog.ChosenFoldersOption());
    EXPECT_TRUE(dialog.SearchNowButton().IsEnabled());
  });
}

}  // namespace
}  // namespace sorvane

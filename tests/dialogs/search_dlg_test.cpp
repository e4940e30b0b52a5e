#include <gtest/gtest.h>
#include <wx/bitmap.h>
#include <wx/button.h>
#include <wx/choice.h>
#include <wx/frame.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <functional>

#include "dialogs/dib_static.h"
#include "dialogs/search_dlg.h"
#include "support/control_events.h"
#include "support/layout_checks.h"

namespace sorvane {
namespace {

using testing::Click;

// Runs the dialog modally, doing `inside` once it is up, as a user would.
int RunModal(CSearchDlg& dialog, std::function<void(CSearchDlg&)> inside) {
  dialog.CallAfter([&dialog, inside] { inside(dialog); });
  return dialog.ShowModal();
}

TEST(SearchDlgTest, OpensWithTheSortedOptionsOnEntirePhraseAndSearchNowDisabled) {
  CSearchDlg dialog(nullptr);
  EXPECT_EQ(dialog.GetTitle(), "Search");
  dialog.SetCategoryName("Arts");
  dialog.SetSearchType(0);  // ignored: a search starts on the phrase option
  dialog.InitDialog();

  wxChoice& options = dialog.SearchTypeList();
  ASSERT_EQ(options.GetCount(), 4u);
  EXPECT_EQ(options.GetString(0), "Search for all the words");
  EXPECT_EQ(options.GetString(1), "Search for any of the words");
  EXPECT_EQ(options.GetString(2), "Search for entire phrase");
  EXPECT_EQ(options.GetString(3), "Search using expression");
  EXPECT_EQ(options.GetSelection(), 2);
  EXPECT_EQ(dialog.SearchType(), 2);
  EXPECT_FALSE(dialog.SearchNowButton().IsEnabled());
  EXPECT_EQ(dialog.SearchNowButton().GetLabel(), "&Search Now");

  EXPECT_EQ(dialog.CategoryNameControl().GetLabel(), "Arts");
  EXPECT_EQ(dialog.CategoryNameControl().GetFont().GetWeight(), wxFONTWEIGHT_BOLD);
  EXPECT_EQ(dialog.CategoryNameControl().GetForegroundColour(), wxColour(255, 0, 0));
  // No bitmap given: the icon control stays empty and the dialog still works.
  EXPECT_FALSE(dialog.CategoryIconControl().GetBitmap().IsOk());
}

TEST(SearchDlgTest, WordsRuleEnablesSearchNowExactlyWhileThereAreWords) {
  CSearchDlg dialog(nullptr);
  dialog.InitDialog();
  wxTextCtrl& words = dialog.WordsEdit();
  words.SetValue("w");
  EXPECT_TRUE(dialog.SearchNowButton().IsEnabled());
  words.SetValue("");
  EXPECT_FALSE(dialog.SearchNowButton().IsEnabled());
  words.SetValue(" ");
  EXPECT_TRUE(dialog.SearchNowButton().IsEnabled());
}

TEST(SearchDlgTest, WordsSetByTheCallerShowAndEnableSearchNowAtOnce) {
  CSearchDlg dialog(nullptr);
  const wxBitmap icon(17, 15);
  dialog.SetCategoryBitmap(&icon);
  dialog.SetWords("wooden boats");
  dialog.Picture().SetPicture(189);
  dialog.InitDialog();
  EXPECT_EQ(dialog.WordsEdit().GetValue(), "wooden boats");
  EXPECT_TRUE(dialog.SearchNowButton().IsEnabled());
  EXPECT_TRUE(dialog.CategoryIconControl().GetBitmap().IsOk());
  EXPECT_TRUE(dialog.Picture().HasPicture());
}

TEST(SearchDlgTest, SearchNowReturnsTheWordsAsTypedAndTheSortedIndex) {
  for (const int choice : {0, 1, 3}) {
    CSearchDlg dialog(nullptr);
    const int result = RunModal(dialog, [choice](CSearchDlg& shown) {
      shown.WordsEdit().SetValue("  antique glass ");
      shown.SearchTypeList().SetSelection(choice);
      Click(shown.SearchNowButton());
    });
    EXPECT_EQ(result, wxID_OK);
    EXPECT_EQ(dialog.Words(), "  antique glass ");
    EXPECT_EQ(dialog.SearchType(), choice);
  }
}

TEST(SearchDlgTest, ASingleBlankIsReturnedAsASingleBlank) {
  CSearchDlg dialog(nullptr);
  const int result = RunModal(dialog, [](CSearchDlg& shown) {
    shown.WordsEdit().SetValue(" ");
    Click(shown.SearchNowButton());
  });
  EXPECT_EQ(result, wxID_OK);
  EXPECT_EQ(dialog.Words(), " ");
  EXPECT_EQ(dialog.SearchType(), 2);
}

TEST(SearchDlgTest, CancelReturnsNothingEvenAfterWordsWereTyped) {
  CSearchDlg dialog(nullptr);
  dialog.SetWords("before");
  const int result = RunModal(dialog, [](CSearchDlg& shown) {
    shown.WordsEdit().SetValue("typed");
    shown.SearchTypeList().SetSelection(3);
    auto* cancel = dynamic_cast<wxButton*>(shown.FindWindow(wxID_CANCEL));
    ASSERT_NE(cancel, nullptr);
    Click(*cancel);
  });
  EXPECT_EQ(result, wxID_CANCEL);
  EXPECT_EQ(dialog.Words(), "before");
}

// The templates were measured in another font than this desktop's: no label
// may lose its end, and the example lines keep their breaks.
TEST(SearchDlgTest, LabelsShowTheirWholeTextsInThisDesktopsFont) {
  CSearchDlg dialog(nullptr);
  int labels = 0;
  for (wxWindow* child : dialog.GetChildren()) {
    auto* label = dynamic_cast<wxStaticText*>(child);
    if (!label || label == &dialog.CategoryNameControl()) continue;
    ++labels;
    EXPECT_GE(label->GetSize().x, label->GetBestSize().x) << label->GetLabel();
    if (label->GetLabel().StartsWith("Game software")) EXPECT_EQ(label->GetLabel().Freq('\n'), 4u);
  }
  EXPECT_EQ(labels, 4);
}

// The picture frame is as large as its picture, also after the caller hands it
// another one, and the words column keeps clear of it, inside the dialog.
TEST(SearchDlgTest, PictureFrameIsThePicturesSizeAndTheOtherControlsKeepClearOfIt) {
  CSearchDlg dialog(nullptr);
  for (const int picture : {189, 179, 226}) {
    ASSERT_TRUE(dialog.Picture().SetPicture(picture));
    dialog.InitDialog();
    const CDib& dib = dialog.Picture().Dib();
    EXPECT_EQ(dialog.Picture().GetClientSize(), wxSize(dib.Width(), dib.RowCount())) << picture;
    testing::ExpectChildrenInsideAndApart(dialog);
    testing::ExpectNoCutTexts(dialog);
    EXPECT_GT(dialog.WordsEdit().GetPosition().x, dialog.Picture().GetRect().GetRight());
    // No wide empty margin is left where the larger frame was.
    EXPECT_LT(dialog.WordsEdit().GetPosition().x - dialog.Picture().GetRect().GetRight(),
              dialog.ConvertDialogToPixels(wxSize(8, 0)).x);
  }
}

}  // namespace
}  // namespace sorvane

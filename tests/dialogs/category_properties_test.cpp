// The Category Properties dialog driven through its controls: the category's
// engines shown sorted, Add through Choose an Engine with the prefix rule,
// Delete with its question, and the category's list rewritten only on OK.

#include <gtest/gtest.h>
#include <wx/bitmap.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

#include "dialogs/category_properties_dlg.h"
#include "dialogs/choose_engine_dlg.h"
#include "support/modal_driver.h"
#include "support/gui_test_support.h"
#include "support/scripted_prompts.h"

namespace sorvane {
namespace {

using testing::ClickId;
using testing::Entries;
using testing::ScriptedPrompts;
using testing::WhenModal;
using Names = std::vector<std::string>;

class CategoryPropertiesDlgTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"Search", "Search Plus", "AltaSeek", "A-engine", "B-engine"}) {
      SearchEngine engine;
      engine.name = name;
      engines_.Append(engine);
    }
  }

  // Runs the dialog on `names` for the category "Arts", doing `inside` once it
  // is up; returns how it ended.
  int Run(std::function<void(CCategoryPropertiesDlg&)> inside) {
    CCategoryPropertiesDlg dialog(nullptr, engines_);
    dialog.SetPrompts(prompts_);
    dialog.SetCategoryName("Arts");
    dialog.SetEngineNames(&names_);
    dialog.CallAfter([&dialog, inside] { inside(dialog); });
    return dialog.ShowModal();
  }

  // Chooses `name` in the Choose an Engine dialog that "&Add" opens (or
  // cancels it when `name` is empty).
  static void AddThroughChoose(CCategoryPropertiesDlg& dialog, const wxString& name) {
    WhenModal<CChooseEngineDlg>([name](CChooseEngineDlg& choose) {
      if (name.empty()) {
        ClickId(choose, wxID_CANCEL);
      } else {
        testing::DoubleClick(choose.EngineListBox(), name);
      }
    });
    testing::Click(dialog.AddButton());
  }

  EngineList engines_;
  ScriptedPrompts prompts_;
  CCategoryPropertiesDlg::EngineNames names_ = Names{"B-engine", "A-engine"};
};

TEST_F(CategoryPropertiesDlgTest, OpensSortedAndOkStoresTheSortedOrderEvenUnchanged) {
  const wxBitmap icon(24, 23);
  CCategoryPropertiesDlg dialog(nullptr, engines_);
  dialog.SetPrompts(prompts_);
  dialog.SetCategoryName("Arts");
  dialog.SetCategoryBitmap(&icon);
  dialog.SetEngineNames(&names_);
  dialog.CallAfter([&dialog] {
    EXPECT_EQ(dialog.GetTitle(), "Category Properties");
    EXPECT_EQ(Entries(dialog.EngineListBox()), (std::vector<wxString>{"A-engine", "B-engine"}));
    EXPECT_EQ(dialog.CategoryNameControl().GetLabel(), "Arts");
    EXPECT_EQ(dialog.CategoryNameControl().GetFont().GetWeight(), wxFONTWEIGHT_BOLD);
    EXPECT_EQ(dialog.CategoryNameControl().GetForegroundColour(), wxColour(255, 0, 0));
    EXPECT_TRUE(dialog.CategoryIconControl().GetBitmap().IsOk());
    ClickId(dialog, wxID_OK);
  });
  EXPECT_EQ(dialog.ShowModal(), wxID_OK);
  EXPECT_EQ(names_, (Names{"A-engine", "B-engine"}));
}

TEST_F(CategoryPropertiesDlgTest, AddPutsTheChosenNameInSortedPlace) {
  const int result = Run([](CCategoryPropertiesDlg& dialog) {
    AddThroughChoose(dialog, "AltaSeek");
    EXPECT_EQ(Entries(dialog.EngineListBox()), (std::vector<wxString>{"A-engine", "AltaSeek", "B-engine"}));
    ClickId(dialog, wxID_OK);
  });
  EXPECT_EQ(result, wxID_OK);
  EXPECT_EQ(names_, (Names{"A-engine", "AltaSeek", "B-engine"}));
}

TEST_F(CategoryPropertiesDlgTest, AddRefusesANameThatAListedEntryBeginsWithInAnyCase) {
  names_ = Names{"search plus", "ALTASEEK"};
  Run([](CCategoryPropertiesDlg& dialog) {
    AddThroughChoose(dialog, "Search");    // "search plus" begins with it
    AddThroughChoose(dialog, "AltaSeek");  // listed in capitals
    AddThroughChoose(dialog, "");          // cancelled
    EXPECT_EQ(Entries(dialog.EngineListBox()), (std::vector<wxString>{"ALTASEEK", "search plus"}));
    ClickId(dialog, wxID_OK);
  });
  EXPECT_EQ(names_, (Names{"ALTASEEK", "search plus"}));

  names_ = Names{"Search"};
  Run([](CCategoryPropertiesDlg& dialog) {
    AddThroughChoose(dialog, "Search Plus");
    ClickId(dialog, wxID_OK);
  });
  EXPECT_EQ(names_, (Names{"Search", "Search Plus"}));
}

TEST_F(CategoryPropertiesDlgTest, DeleteAsksAndOnlyYesRemoves) {
  prompts_.messageAnswers = {wxNO, wxCANCEL, wxYES};
  Run([](CCategoryPropertiesDlg& dialog) {
    dialog.EngineListBox().SetSelection(0);
    for (int i = 0; i < 3; ++i) testing::Click(dialog.DeleteButton());
    EXPECT_EQ(Entries(dialog.EngineListBox()), (std::vector<wxString>{"B-engine"}));
    ClickId(dialog, wxID_OK);
  });
  ASSERT_EQ(prompts_.messages.size(), 3u);
  for (const auto& box : prompts_.messages) {
    EXPECT_EQ(box.text, "Are you sure you want to delete 'A-engine' from your list of engines for 'Arts'?");
    EXPECT_EQ(box.caption, "Sorvane");
    EXPECT_EQ(box.style, testing::kDeleteQuestionStyle);
  }
  EXPECT_EQ(names_, (Names{"B-engine"}));
}

TEST_F(CategoryPropertiesDlgTest, DeletingEveryEntryLeavesAnEmptyList) {
  prompts_.messageAnswers = {wxYES, wxYES};
  Run([](CCategoryPropertiesDlg& dialog) {
    for (int i = 0; i < 2; ++i) {
      dialog.EngineListBox().SetSelection(0);
      testing::Click(dialog.DeleteButton());
    }
    // Nothing selected any more: no question, no change.
    testing::Click(dialog.DeleteButton());
    ClickId(dialog, wxID_OK);
  });
  EXPECT_EQ(prompts_.messages.size(), 2u);
  ASSERT_TRUE(names_.has_value());
  EXPECT_TRUE(names_->empty());
}

TEST_F(CategoryPropertiesDlgTest, CancelLeavesTheCategoryUntouched) {
  prompts_.messageAnswers = {wxYES};
  const int result = Run([](CCategoryPropertiesDlg& dialog) {
    AddThroughChoose(dialog, "AltaSeek");
    dialog.EngineListBox().SetSelection(0);
    testing::Click(dialog.DeleteButton());
    ClickId(dialog, wxID_CANCEL);
  });
  EXPECT_EQ(result, wxID_CANCEL);
  EXPECT_EQ(names_, (Names{"B-engine", "A-engine"}));
}

TEST_F(CategoryPropertiesDlgTest, NamesOfEnginesThatNoLongerExistAreShownAndKept) {
  names_ = Names{"Gone Engine", "B-engine"};
  Run([](CCategoryPropertiesDlg& dialog) {
    EXPECT_EQ(Entries(dialog.EngineListBox()), (std::vector<wxString>{"B-engine", "Gone Engine"}));
    ClickId(dialog, wxID_OK);
  });
  EXPECT_EQ(names_, (Names{"B-engine", "Gone Engine"}));
}

TEST_F(CategoryPropertiesDlgTest, ACategoryWithoutAListGetsOneOnOk) {
  names_.reset();
  Run([](CCategoryPropertiesDlg& dialog) {
    EXPECT_EQ(dialog.EngineListBox().GetCount(), 0u);
    AddThroughChoose(dialog, "Search");
    ClickId(dialog, wxID_OK);
  });
  EXPECT_EQ(names_, (Names{"Search"}));
}

}  // namespace
}  // namespace sorvane

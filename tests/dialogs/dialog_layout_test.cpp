// Every dialog of the program in this desktop's fonts: the templates were
// measured in another font, so each is checked for texts that are cut,
// controls that cover one another or leave the window, and a size that does
// not fit a 1024 by 768 screen.

#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/toplevel.h>

#include "core/engine_list.h"
#include "core/settings_store.h"
#include "dialogs/category_properties_dlg.h"
#include "dialogs/choose_engine_dlg.h"
#include "dialogs/engine_details_dlg.h"
#include "dialogs/engines_dlg.h"
#include "dialogs/preferences_sheet.h"
#include "dialogs/preferences_target.h"
#include "dialogs/search_dlg.h"
#include "pcsearch/search_my_pc_dlg.h"
#include "pcsearch/searching_pc_dlg.h"
#include "support/layout_checks.h"
#include "support/temp_folder.h"

namespace sorvane {
namespace {

void ExpectWholeAndOnA1024By768Screen(wxTopLevelWindow& window) {
  SCOPED_TRACE(window.GetTitle().utf8_string());
  testing::ExpectNoCutTexts(window);
  testing::ExpectChildrenInsideAndApart(window);
  EXPECT_LE(window.GetSize().x, 1024);
  EXPECT_LE(window.GetSize().y, 768 - 40);  // room for a panel or title bar
}

class DialogLayout : public ::testing::Test {
 protected:
  void SetUp() override { owner_ = new wxFrame(nullptr, wxID_ANY, "owner"); }
  void TearDown() override { owner_->Destroy(); }

  wxFrame* owner_ = nullptr;
  EngineList engines_;
  MemorySettingsStore settings_;
  testing::TempFolder folder_;
};

TEST_F(DialogLayout, EngineAndCategoryDialogs) {
  CEnginesDlg engines(owner_, engines_, folder_.path());
  ExpectWholeAndOnA1024By768Screen(engines);
  CEngineDetailsDlg details(owner_);
  ExpectWholeAndOnA1024By768Screen(details);
  CChooseEngineDlg choose(owner_, engines_);
  ExpectWholeAndOnA1024By768Screen(choose);
  CCategoryPropertiesDlg properties(owner_, engines_);
  ExpectWholeAndOnA1024By768Screen(properties);
}

TEST_F(DialogLayout, SearchDialogs) {
  CSearchDlg search(owner_);
  search.InitDialog();
  ExpectWholeAndOnA1024By768Screen(search);
  CSearchMyPCDlg myPc(owner_, settings_);
  myPc.InitDialog();
  ExpectWholeAndOnA1024By768Screen(myPc);
  auto* searching = new CSearchingPCDlg(owner_, settings_);
  ExpectWholeAndOnA1024By768Screen(*searching);
  searching->Destroy();
}

TEST_F(DialogLayout, PreferencesPages) {
  AppSettings settings;
  PreferencesTarget target{settings, [] { return ListColours{}; }, [](const ListColours&) {}};
  CPreferencesSheet sheet(target);
  sheet.InitDialog();
  sheet.Layout();
  for (int page = 0; page < sheet.PageCount(); ++page) {
    sheet.SelectPage(page);
    SCOPED_TRACE(sheet.Page(page).Caption().utf8_string());
    testing::ExpectNoCutTexts(sheet.Page(page));
    testing::ExpectChildrenInsideAndApart(sheet.Page(page));
  }
  ExpectWholeAndOnA1024By768Screen(sheet);
}

}  // namespace
}  // namespace sorvane

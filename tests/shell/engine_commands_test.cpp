// The frame's "&Engines" and "&Properties" commands: each opens its dialog on
// the frame's own engines and categories, and the files follow the changes
// (engines.dat after each change in the Engines dialog, categories.dat only
// after OK in Category Properties).

#include <wx/stattext.h>

#include "core/engine_store.h"
#include "dialogs/category_properties_dlg.h"
#include "dialogs/choose_engine_dlg.h"
#include "dialogs/engine_details_dlg.h"
#include "dialogs/engines_dlg.h"
#include "res/resource_ids.h"
#include "shell/category_pane.h"
#include "shell/frame_fixture.h"
#include "support/modal_driver.h"

namespace sorvane::testing {
namespace {

constexpr int kTechnologyRow = 20;

class CategoryAndEnginesCommands : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    EngineList engines;
    for (const char* name : {"Wiby", "Marg"}) {
      SearchEngine engine;
      engine.name = name;
      engine.prefix = "?q=";
      engine.startToken = "<a";
      engine.endToken = "</a>";
      engines.Append(engine);
    }
    CategoryRows rows = DefaultCategoryRows();
    rows[kTechnologyRow].engineNames = std::vector<std::string>{"Wiby"};
    home_.Write(kEnginesFileName, FormatEngines(engines));
    home_.Write(kCategoriesFileName, FormatCategories(rows));
  }

  CategoryRows SavedCategories() const {
    CategoryRows rows = DefaultCategoryRows();
    ParseCategories(home_.Read(kCategoriesFileName), rows);
    return rows;
  }

  // Opens Category Properties on the Technology row, adds Marg through Choose an
  // Engine and ends the dialog with `ending`.
  void AddMargToTechnology(int ending) {
    frame_->CategoryList()->SetItemState(kTechnologyRow, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    WhenModal<CCategoryPropertiesDlg>([ending](CCategoryPropertiesDlg& dialog) {
      EXPECT_EQ(dialog.CategoryNameControl().GetLabel(), "Technology");
      EXPECT_EQ(Entries(dialog.EngineListBox()), std::vector<wxString>{"Wiby"});
      WhenModal<CChooseEngineDlg>(
          [](CChooseEngineDlg& choose) { DoubleClick(choose.EngineListBox(), "Marg"); });
      Click(dialog.AddButton());
      ClickId(dialog, ending);
    });
    Command(ids::ID_CATEGORY_PROPERTIES);
  }
};

TEST_F(CategoryAndEnginesCommands, PropertiesSavesCategoriesAfterOkOnly) {
  CMainFrame& frame = Open(false);
  const std::string before = home_.Read(kCategoriesFileName);
  AddMargToTechnology(wxID_CANCEL);
  EXPECT_EQ(*frame.Categories()[kTechnologyRow].engineNames, std::vector<std::string>{"Wiby"});
  EXPECT_EQ(home_.Read(kCategoriesFileName), before);

  AddMargToTechnology(wxID_OK);
  const std::vector<std::string> expected{"Marg", "Wiby"};
  EXPECT_EQ(*frame.Categories()[kTechnologyRow].engineNames, expected);
  const CategoryRows saved = SavedCategories();
  ASSERT_TRUE(saved[kTechnologyRow].engineNames.has_value());
  EXPECT_EQ(*saved[kTechnologyRow].engineNames, expected);
}

TEST_F(CategoryAndEnginesCommands, EnginesChangesTheFramesListAndSavesEachChange) {
  CMainFrame& frame = Open(false);
  WhenModal<CEnginesDlg>([](CEnginesDlg& dialog) {
    EXPECT_EQ(Entries(dialog.EngineListBox()), (std::vector<wxString>{"Marg", "Wiby"}));
    WhenModal<CEngineDetailsDlg>([](CEngineDetailsDlg& details) {
      details.NameEdit().SetValue("Aardvark");
      details.StartTokenEdit().SetValue("<h3>");
      details.EndTokenEdit().SetValue("</h3>");
      details.PrefixEdit().SetValue("/s?q=");
      ClickId(details, wxID_OK);
    });
    Click(dialog.AddButton());
    ClickId(dialog, wxID_OK);  // "&Close"
  });
  Command(ids::ID_VIEW_ENGINES);

  ASSERT_EQ(frame.Engines().size(), 3u);
  EXPECT_EQ(frame.Engines().at(2)->name, "Aardvark");
  EngineList saved;
  ParseEngines(home_.Read(kEnginesFileName), saved);
  ASSERT_EQ(saved.size(), 3u);
  EXPECT_EQ(saved.at(2)->name, "Aardvark");
  // The categories are not touched by the Engines dialog.
  EXPECT_EQ(*SavedCategories()[kTechnologyRow].engineNames, std::vector<std::string>{"Wiby"});
}

}  // namespace
}  // namespace sorvane::testing

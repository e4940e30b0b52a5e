#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/toplevel.h>

#include <functional>

#include "dialogs/preferences_sheet.h"
#include "dialogs/program_prefs_page.h"
#include "res/resource_ids.h"
#include "shell/frame_fixture.h"
#include "support/control_events.h"

namespace sorvane::testing {
namespace {

using Preferences = FrameTest;

CPreferencesSheet* OpenSheet() {
  for (wxWindow* window : wxTopLevelWindows)
    if (auto* sheet = dynamic_cast<CPreferencesSheet*>(window); sheet && sheet->IsModal()) return sheet;
  return nullptr;
}

// The sheet the command opens, worked by `inside` once it is up.
void WhileSheetIsOpen(CMainFrame& frame, std::function<void(CPreferencesSheet&)> inside) {
  frame.CallAfter([inside] {
    CPreferencesSheet* sheet = OpenSheet();
    ASSERT_NE(sheet, nullptr);
    inside(*sheet);
    if (sheet->IsModal()) sheet->EndModal(wxID_ABORT);
  });
}

TEST_F(Preferences, TheCommandEditsTheFramesSettingsAndTheListColoursWhichCloseThenSaves) {
  settings_.WriteNumber("ShowWebView", 1);
  settings_.WriteNumber("ViewedSiteColor", 0x00FF00);
  CMainFrame& frame = Open(true);
  ASSERT_EQ(frame.View()->GetListColours().viewedSiteColor, 0x00FF00u);

  WhileSheetIsOpen(frame, [](CPreferencesSheet& sheet) {
    EXPECT_EQ(sheet.ProgramPage().ShowWebViewCheck().GetValue(), true);
    Click(sheet.ProgramPage().OriginalSettingsButton());
    Click(sheet.OkButton());
  });
  Command(ids::ID_FILE_PREFERENCES);
  EXPECT_EQ(OpenSheet(), nullptr);
  EXPECT_EQ(frame.Settings().showWebView, 0);
  EXPECT_EQ(frame.View()->GetListColours().viewedSiteColor, 255u);

  // Nothing reaches the settings file before the window goes.
  EXPECT_EQ(settings_.ReadNumber("ShowWebView"), 1);
  Close();
  EXPECT_EQ(settings_.ReadNumber("ShowWebView"), 0);
  EXPECT_EQ(settings_.ReadNumber("ViewedSiteColor"), 255);
}

}  // namespace
}  // namespace sorvane::testing

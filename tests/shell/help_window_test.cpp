// Help as a person reaches it: Help > Contents, How to Use (and F1 in the main
// window), and F1 in a dialog, each opening the book built beside the programs
// on the right page, in an ordinary window that nothing waits for.

#include <wx/listbox.h>
#include <wx/timer.h>

#include "dialogs/engines_dlg.h"
#include "res/engine_dialog_templates.h"
#include "res/resource_ids.h"
#include "shell/category_pane.h"
#include "shell/frame_fixture.h"
#include "support/input_events.h"
#include "support/modal_driver.h"

namespace sorvane::testing {
namespace {

class HelpWindow : public FrameTest {
 protected:
  void TearDown() override {
    CloseHelp();
    FrameTest::TearDown();
  }

  bool Shows(CMainFrame& frame, const std::string& page) {
    return PumpUntil([&] {
      wxWindow* window = frame.Help().Window();
      return window && window->IsShown() && frame.Help().ShownPage().find(page) != std::string::npos;
    });
  }

  // Once the help window shows `page`, notes it and closes it, from a timer of
  // the event loop: over a modal dialog the call that opened it returns only
  // then. (A chain of posted calls would starve the loop that delivers the key.)
  void CloseHelpOnce(CMainFrame& frame, std::string page, bool& shown) {
    closer_.Bind(wxEVT_TIMER, [this, &frame, page, &shown](wxTimerEvent&) {
      wxWindow* window = frame.Help().Window();
      if (window && window->IsShown() && frame.Help().ShownPage().find(page) != std::string::npos) {
        shown = true;
        closer_.Stop();
        window->Close();
      }
    });
    closer_.Start(20);
  }

  wxTimer closer_;

  // Closed as a person closes it; the frame must let it go.
  void CloseHelp() {
    if (!frame_) return;
    if (wxWindow* window = frame_->Help().Window()) {
      window->Close();
      EXPECT_TRUE(PumpUntil([&] { return frame_->Help().Window() == nullptr; }));
    }
  }
};

TEST_F(HelpWindow, ContentsAndHowToUseOpenTheirPagesAndTheWindowCloses) {
  CMainFrame& frame = Open(false);
  FailIfAnyModalOpens();  // a missing book would show a box
  Command(ids::ID_HELP_CONTENTS);
  ASSERT_TRUE(Shows(frame, "index.html")) << frame.Help().ShownPage();
  // The frame goes on working while the help is open.
  EXPECT_TRUE(frame.IsEnabled());

  Command(ids::ID_HELP_HOW_TO_USE);
  EXPECT_TRUE(Shows(frame, "how_to_search.html")) << frame.Help().ShownPage();

  CloseHelp();
  // Opened again after it was closed.
  Command(ids::ID_HELP_CONTENTS);
  EXPECT_TRUE(Shows(frame, "index.html")) << frame.Help().ShownPage();
}

TEST_F(HelpWindow, F1InTheMainWindowIsHowToUse) {
  CMainFrame& frame = Open(false);
  ASSERT_TRUE(FocusOn(*frame.CategoryList()));
  Input().Key(WXK_F1);
  EXPECT_TRUE(Shows(frame, "how_to_search.html")) << frame.Help().ShownPage();
}

// Over a modal dialog the help window takes the input until it is closed; a
// person reads it, closes it and is back in the dialog.
TEST_F(HelpWindow, F1InAModalDialogOpensThatDialogsPageUntilItIsClosed) {
  CMainFrame& frame = Open(false);
  bool shown = false;
  bool backInDialog = false;
  WhenModal<CEnginesDlg>([&](CEnginesDlg& dialog) {
    CloseHelpOnce(frame, "engines.html", shown);
    auto* list = dynamic_cast<wxListBox*>(dialog.FindWindow(res::IDC_ENGINES_LIST));
    if (list && FocusOn(*list)) Input().Key(WXK_F1);
    backInDialog = PumpUntil([&] { return shown && frame.Help().Window() == nullptr; });
    dialog.EndModal(wxID_CANCEL);
  });
  Command(ids::ID_VIEW_ENGINES);
  EXPECT_TRUE(shown) << "the help did not show engines.html";
  EXPECT_TRUE(backInDialog);
}

// A dialog that is not modal (as the Search Status window): the help is an
// ordinary window beside it, and F1 returns at once.
TEST_F(HelpWindow, F1InAModelessDialogOpensThatDialogsPageBesideIt) {
  CMainFrame& frame = Open(false);
  EngineList engines;
  auto* dialog = new CEnginesDlg(&frame, engines, home_.path());
  dialog->Show();
  auto* list = dynamic_cast<wxListBox*>(dialog->FindWindow(res::IDC_ENGINES_LIST));
  ASSERT_NE(list, nullptr);
  ASSERT_TRUE(FocusOn(*list));
  Input().Key(WXK_F1);
  EXPECT_TRUE(Shows(frame, "engines.html")) << frame.Help().ShownPage();
  dialog->Destroy();
  Pump();
  // It belongs to the main window, not to the dialog.
  EXPECT_NE(frame.Help().Window(), nullptr);
}

}  // namespace
}  // namespace sorvane::testing

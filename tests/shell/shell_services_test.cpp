#include "dialogs/dib_static.h"
#include <wx/button.h>
#include <wx/listctrl.h>
#include <wx/stattext.h>
#include <wx/uiaction.h>
#include <wx/weakref.h>

#include <cstdlib>

#include "res/resource_ids.h"
#include "shell/about_dialog.h"
#include "shell/category_pane.h"
#include "shell/frame_fixture.h"
#include "shell/live_update.h"
#include "support/layout_checks.h"
#include "support/modal_answers.h"

namespace sorvane::testing {
namespace {

void CopyUpdateComponent(const std::filesystem::path& folder) {
  std::filesystem::copy_file(SORVANE_FAKE_LIVEUPDATE, folder / "libliveupdate.so",
                             std::filesystem::copy_options::overwrite_existing);
}

TEST(LiveUpdate, MissingComponentAnswersZero) {
  TempFolder empty;
  EXPECT_EQ(CallLiveUpdate(empty.path()), 0);
}

TEST(LiveUpdate, ComponentIsCalledWithTitleVersionAndHost) {
  TempFolder folder;
  CopyUpdateComponent(folder.path());
  EXPECT_EQ(CallLiveUpdate(folder.path()), 7);
}

using Services = FrameTest;

TEST_F(Services, NonZeroUpdateAnswerClosesTheWindow) {
  CopyUpdateComponent(home_.path());
  wxWeakRef<CMainFrame> frame(&Open(false));
  Command(ids::ID_HELP_LIVE_UPDATE);
  EXPECT_TRUE(PumpUntil([&] { return !frame; }, std::chrono::milliseconds(3000)));
  if (!frame) frame_ = nullptr;  // gone already: nothing left to close
  // Closing saved the settings as any close does.
  EXPECT_TRUE(settings_.ReadNumber("X").has_value());
}

TEST_F(Services, AboutDialogShowsItsTextsAndThePictureArea) {
  CMainFrame& frame = Open(false);
  CAboutDlg about(&frame);
  EXPECT_EQ(about.GetTitle(), "About Sorvane");
  ASSERT_NE(about.Picture(), nullptr);
  EXPECT_EQ(about.Picture()->GetId(), ids::IDC_ABOUT_PICTURE);
  EXPECT_NE(about.FindWindow(wxID_OK), nullptr);
  bool versionShown = false;
  for (wxWindow* child : about.GetChildren()) {
    if (auto* text = dynamic_cast<wxStaticText*>(child); text && text->GetLabel() == "Sorvane 3.0a") versionShown = true;
  }
  EXPECT_TRUE(versionShown);
  // The picture shows bitmap 231 in a frame of its size, centred where the
  // template centres the frame, and wears the hand cursor.
  ASSERT_TRUE(about.Picture()->HasPicture());
  EXPECT_EQ(about.Picture()->Picture().GetWidth(), about.Picture()->Dib().Width());
  EXPECT_EQ(about.Picture()->GetClientSize(),
            wxSize(about.Picture()->Dib().Width(), about.Picture()->Dib().RowCount()));
  const wxRect frameInTemplate(about.ConvertDialogToPixels(wxPoint(67, 63)), about.ConvertDialogToPixels(wxSize(87, 145)));
  EXPECT_EQ(about.Picture()->GetPosition().y, frameInTemplate.y);
  EXPECT_LE(std::abs(about.Picture()->GetRect().x + about.Picture()->GetRect().width / 2 -
                     (frameInTemplate.x + frameInTemplate.width / 2)), 1);
  testing::ExpectChildrenInsideAndApart(about);
  testing::ExpectNoCutTexts(about);
  EXPECT_TRUE(about.Picture()->GetCursor().IsOk());
}

TEST_F(Services, DroppedFileIsOpenedAsTheDocument) {
  CMainFrame& frame = Open(true);
  const std::filesystem::path page = home_.Write("dropped.htm", "<html><head><title>Dropped</title></head></html>");
  frame.View()->SelectTab(CSorvaneView::kListViewTab);
  // The event owns its array of names and frees it.
  auto* files = new wxString[1]{wxString::FromUTF8(page.string())};
  wxDropFilesEvent drop(wxEVT_DROP_FILES, 1, files);
  frame.GetEventHandler()->ProcessEvent(drop);
  EXPECT_EQ(frame.View()->SelectedTab(), CSorvaneView::kWebViewTab);
  EXPECT_TRUE(PumpUntil([&] { return frame.GetTitle() == "Dropped - Sorvane"; }));
}

TEST_F(Services, RestingThePointerOnARowSelectsIt) {
  CMainFrame& frame = Open(false);
  CCategoryPane& pane = *frame.CategoryList();
  frame.Raise();
  Pump();
  // Item rectangles are in the list's own client co-ordinates.
  const auto rowCentre = [&](int row) {
    wxRect rect;
    EXPECT_TRUE(pane.GetItemRect(row, rect));
    return pane.ClientToScreen(wxPoint(rect.x + 20, rect.y + rect.height / 2));
  };
  // The dialogs a search opens are cancelled; only the click rule is tested here.
  ModalAnswers answers([](wxDialog&) { return wxID_CANCEL; });
  wxUIActionSimulator pointer;
  pointer.MouseMove(rowCentre(4));
  ASSERT_TRUE(PumpUntil([&] { return pane.SelectedRow() == 4; }, std::chrono::milliseconds(3000)));
  EXPECT_EQ(frame.SearchSelectedCategory(), CMainFrame::SearchKind::WebSearch);
  pointer.MouseMove(rowCentre(1));
  ASSERT_TRUE(PumpUntil([&] { return pane.SelectedRow() == 1; }, std::chrono::milliseconds(3000)));
  EXPECT_EQ(frame.SearchSelectedCategory(), CMainFrame::SearchKind::PcSearch);
}

}  // namespace
}  // namespace sorvane::testing

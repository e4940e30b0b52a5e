// Test main for window tests: starts the toolkit once, without a main loop of
// its own; each test pumps events as it needs them (gui_test_support.h).
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/image.h>

#include <cstring>

namespace {

class TestApp final : public wxApp {
 public:
  bool OnInit() override {
    wxInitAllImageHandlers();
    return true;
  }
};

}  // namespace

wxIMPLEMENT_APP_NO_MAIN(TestApp);

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // Listing the tests must work without a display.
  if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
  if (!wxEntryStart(argc, argv) || !wxTheApp || !wxTheApp->CallOnInit()) return 1;
  const int result = RUN_ALL_TESTS();
  wxTheApp->OnExit();
  wxEntryCleanup();
  return result;
}

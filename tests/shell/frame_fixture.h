#pragma once

#include <gtest/gtest.h>
#include <wx/menu.h>

#include <functional>
#include <set>
#include <string>

#include "core/settings_store.h"
#include "res/standard_ids.h"
#include "shell/main_frame.h"
#include "shell/sorvane_doc.h"
#include "support/gui_test_support.h"
#include "support/temp_folder.h"

namespace sorvane::testing {

// A main frame over a temporary program folder and an in-memory settings
// section, shown and destroyed by the test.
class FrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    home_.Write("index.htm", "<html><head><title>Start</title></head><body>start</body></html>");
  }

  void TearDown() override { Close(); }

  CMainFrame& Open(bool browserView, const std::filesystem::path& favorites = {}) {
    FrameOptions options;
    options.programFolder = home_.path();
    options.favoritesFolder = favorites;
    options.settings = &settings_;
    options.browserView = browserView;
    options.launcher = launcher_;
    frame_ = new CMainFrame(options);
    document_ = std::make_unique<CSorvaneDoc>(*frame_);
    frame_->SetDocument(document_.get());
    EXPECT_TRUE(frame_->Create());
    frame_->Show();
    Pump();
    return *frame_;
  }

  // Destroys the frame the way closing the window does (settings saved).
  void Close() {
    if (!frame_) return;
    frame_->Close(true);
    frame_ = nullptr;
    Pump();
    document_.reset();
  }

  static std::vector<wxString> MenuTitles(wxMenuBar& bar) {
    std::vector<wxString> titles;
    for (size_t i = 0; i < bar.GetMenuCount(); ++i) titles.push_back(bar.GetMenuLabel(i));
    return titles;
  }

  static void CollectIds(const wxMenu& menu, std::set<int>& ids) {
    for (const wxMenuItem* item : menu.GetMenuItems()) {
      if (item->GetSubMenu()) {
        CollectIds(*item->GetSubMenu(), ids);
      } else if (!item->IsSeparator()) {
        ids.insert(item->GetId());
      }
    }
  }

  static std::set<int> MenuIds(wxMenuBar& bar) {
    std::set<int> ids;
    for (size_t i = 0; i < bar.GetMenuCount(); ++i) CollectIds(*bar.GetMenu(i), ids);
    return ids;
  }

  // Sends a menu command (a program id) to the frame as choosing it would.
  void Command(int programId) {
    const int wxId = res::ToWxId(programId);
    wxCommandEvent event(wxEVT_MENU, wxId);
    event.SetEventObject(frame_);
    frame_->GetEventHandler()->ProcessEvent(event);
  }

  TempFolder home_;
  MemorySettingsStore settings_;
  // What opening an address with the system does in the test (nothing launches).
  std::function<int(const std::string&)> launcher_ = [](const std::string&) { return 42; };
  CMainFrame* frame_ = nullptr;
  std::unique_ptr<CSorvaneDoc> document_;
};

}  // namespace sorvane::testing

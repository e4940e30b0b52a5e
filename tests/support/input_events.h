#pragma once

#include <gtest/gtest.h>
#include <wx/uiaction.h>
#include <wx/utils.h>
#include <wx/window.h>

#include <wx/timer.h>

#include <chrono>
#include <cstddef>
#include <functional>
#include <vector>

#include "support/gui_test_support.h"

namespace sorvane::testing {

// Real input through the X server (XTest), as a person's pointer and keyboard
// give it: the program sees the same events, in the same order, as from a
// desk. Tests that use it share the display (ctest RESOURCE_LOCK xdisplay).
// Each helper waits for a condition, never for a fixed time.
class Input {
 public:
  // Moves the pointer onto a point of `window` (its client co-ordinates) and
  // waits until the server has it there.
  void MoveTo(wxWindow& window, const wxPoint& client) {
    const wxPoint target = window.ClientToScreen(client);
    simulator_.MouseMove(target);
    EXPECT_TRUE(PumpUntil([&] { return wxGetMousePosition() == target; }, std::chrono::milliseconds(5000)))
        << "the pointer did not reach " << target.x << "," << target.y;
  }

  void Click(wxWindow& window, const wxPoint& client, int button = wxMOUSE_BTN_LEFT) {
    MoveTo(window, client);
    simulator_.MouseClick(button);
  }

  void DoubleClick(wxWindow& window, const wxPoint& client) {
    MoveTo(window, client);
    simulator_.MouseDblClick();
  }

  // One key pressed and released, with modifiers (wxMOD_SHIFT, wxMOD_CONTROL).
  void Key(int keyCode, int modifiers = wxMOD_NONE) { simulator_.Char(keyCode, modifiers); }

  void Type(const wxString& text) { simulator_.Text(text.utf8_str()); }

 private:
  wxUIActionSimulator simulator_;
};

// Gives the keyboard to `window`'s top-level window and `window` inside it,
// and waits until it has it.
inline bool FocusOn(wxWindow& window) {
  wxGetTopLevelParent(&window)->Raise();
  window.SetFocus();
  return PumpUntil([&] { return wxWindow::FindFocus() == &window; }, std::chrono::milliseconds(5000));
}

// Steps run one after another from the event loop, each once its condition
// holds: for input into a modal dialog, whose loop the test cannot pump itself.
// A step that does not become ready in time fails the test and ends the script.
class InputScript final : public wxTimer {
 public:
  InputScript& Then(std::function<bool()> ready, std::function<void()> act) {
    steps_.push_back({std::move(ready), std::move(act)});
    return *this;
  }
  InputScript& Then(std::function<void()> act) {
    return Then([] { return true; }, std::move(act));
  }
  void Run(std::chrono::milliseconds stepTimeout = std::chrono::milliseconds(10000)) {
    stepTimeout_ = stepTimeout;
    stepStart_ = std::chrono::steady_clock::now();
    Start(10);
  }
  bool Done() const { return next_ == steps_.size(); }

  void Notify() override {
    if (Done()) {
      Stop();
      return;
    }
    Step& step = steps_[next_];
    if (step.ready()) {
      ++next_;
      stepStart_ = std::chrono::steady_clock::now();
      step.act();
    } else if (std::chrono::steady_clock::now() - stepStart_ > stepTimeout_) {
      ADD_FAILURE() << "input script step " << next_ << " never became ready";
      next_ = steps_.size();
      Stop();
    }
  }

 private:
  struct Step {
    std::function<bool()> ready;
    std::function<void()> act;
  };
  std::vector<Step> steps_;
  std::size_t next_ = 0;
  std::chrono::milliseconds stepTimeout_{10000};
  std::chrono::steady_clock::time_point stepStart_;
};

}  // namespace sorvane::testing

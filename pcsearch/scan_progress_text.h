#pragma once

#include <mutex>
#include <optional>
#include <string>
#include <string_view>

namespace sorvane {

// The newest "Scanning ..." text of a running scan, passed from the worker to
// the window that shows it. A scan may pass thousands of files a second: the
// worker only leaves its newest text here, and the window takes it on its own
// clock, so a person can read what is shown and the worker never waits for the
// window. Shared by both through a shared_ptr, so either may go first.
// Thread rule: every member may be called from any thread.
class ScanProgressText {
 public:
  void Put(std::string_view text) {
    std::lock_guard lock(mutex_);
    text_.assign(text.data(), text.size());
    fresh_ = true;
  }

  // The text put since the last call, or nothing when none was.
  std::optional<std::string> TakeNew() {
    std::lock_guard lock(mutex_);
    if (!fresh_) return std::nullopt;
    fresh_ = false;
    return text_;
  }

 private:
  std::mutex mutex_;
  std::string text_;
  bool fresh_ = false;
};

}  // namespace sorvane

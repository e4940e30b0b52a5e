#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "core/engine_listener.h"

namespace sorvane::testing {

// Records every call a search run makes, in arrival order, and lets a test wait
// for the end of the search.
class RecordingListener final : public EngineListener {
 public:
  struct Event {
    enum Kind { Progress, Done, SearchDone, Message } kind;
    int slot = -1;
    int percent = 0;
    std::string text;
  };

  void OnEngineProgress(int slot, int percent) override { Add({Event::Progress, slot, percent, {}}); }
  void OnEngineDone(int slot) override { Add({Event::Done, slot, 0, {}}); }
  void OnSearchDone() override { Add({Event::SearchDone, -1, 0, {}}); }
  void ShowMessage(int slot, std::string_view message) override {
    Add({Event::Message, slot, 0, std::string(message)});
  }

  bool WaitForSearchDone(std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
    return WaitFor([&] { return Count(Event::SearchDone, -1) > 0; }, timeout);
  }
  // Waits until `slot` has reported `percent` (any slot with -1).
  bool WaitForProgress(int slot, int percent, std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
    return WaitFor(
        [&] {
          for (const Event& event : events_) {
            if (event.kind == Event::Progress && (slot < 0 || event.slot == slot) && event.percent == percent) {
              return true;
            }
          }
          return false;
        },
        timeout);
  }

  bool WaitForMessages(std::size_t count, std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
    return WaitFor([&] { return static_cast<std::size_t>(Count(Event::Message, -1)) >= count; }, timeout);
  }

  std::vector<Event> Events() {
    std::lock_guard lock(mutex_);
    return events_;
  }
  std::size_t EventCount() {
    std::lock_guard lock(mutex_);
    return events_.size();
  }
  std::vector<int> ProgressOf(int slot) {
    std::lock_guard lock(mutex_);
    std::vector<int> values;
    for (const Event& event : events_) {
      if (event.kind == Event::Progress && event.slot == slot) values.push_back(event.percent);
    }
    return values;
  }
  int DoneCount(int slot) {
    std::lock_guard lock(mutex_);
    return Count(Event::Done, slot);
  }
  int SearchDoneCount() {
    std::lock_guard lock(mutex_);
    return Count(Event::SearchDone, -1);
  }
  std::vector<std::string> Messages() {
    std::lock_guard lock(mutex_);
    std::vector<std::string> texts;
    for (const Event& event : events_) {
      if (event.kind == Event::Message) texts.push_back(event.text);
    }
    return texts;
  }

 private:
  void Add(Event event) {
    {
      std::lock_guard lock(mutex_);
      events_.push_back(std::move(event));
    }
    changed_.notify_all();
  }
  // Call with the lock held.
  int Count(Event::Kind kind, int slot) const {
    int count = 0;
    for (const Event& event : events_) {
      if (event.kind == kind && (slot < 0 || event.slot == slot)) ++count;
    }
    return count;
  }
  template <class Predicate>
  bool WaitFor(Predicate predicate, std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, predicate);
  }

  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<Event> events_;
};

}  // namespace sorvane::testing

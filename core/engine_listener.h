#pragma once

#include <optional>
#include <string_view>

namespace sorvane {

// Progress percentages of an engine's run, beside the fetch's own (page_fetcher.h).
inline constexpr int kProgressStarting = 0;
inline constexpr int kProgressConnected = 10;
inline constexpr int kProgressStartingPage = 30;
inline constexpr int kProgressTranslating = 80;
inline constexpr int kProgressDone = 100;

// Where a search run reports: each engine slot's progress and end, the end of
// the whole search, and messages meant for the user. Every call is synchronous:
// the caller waits until it returns, so a window program marshals the call onto
// its UI thread and waits there.
// A run stops calling its listener once it is closed or replaced; a call that
// was already under way still completes, so a window program that marshals the
// calls gives each run a listener of its own and drops what reaches a listener
// whose run it has closed.
// Thread rule: calls for one slot never overlap and arrive in order; calls for
// different slots may arrive at the same time from different threads.
class EngineListener {
 public:
  virtual ~EngineListener() = default;
  virtual void OnEngineProgress(int slot, int percent) = 0;
  virtual void OnEngineDone(int slot) = 0;
  // After the OnEngineDone that left no slot running; once per run.
  virtual void OnSearchDone() = 0;
  // "Invalid URL" and the like; the worker goes on once the call returns.
  virtual void ShowMessage(int slot, std::string_view message) = 0;
};

// The status text an engine's row shows for a percentage; none for a value that
// leaves the row's text as it was.
inline std::optional<std::string_view> EngineStatusText(int percent) {
  switch (percent) {
    case kProgressStarting: return "Starting";
    case kProgressConnected: return "HTTP connection made";
    case kProgressStartingPage: return "Starting the search";
    case 40: return "Opening the channel to the search engine";
    case 50: return "Sending search request to search engine";
    case 60:
    case 70: return "Reading results";
    case kProgressTranslating: return "Translating";
    case kProgressDone: return "Done";
    default: return std::nullopt;
  }
}

}  // namespace sorvane

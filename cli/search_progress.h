#pragma once

#include <chrono>
#include <condition_variable>
#include <iosfwd>
#include <mutex>
#include <string>
#include <vector>

#include "core/engine_listener.h"

namespace sorvane::cli {

// The CLI's listener of a web search: keeps each engine's percentage and status
// text, prints messages for the user on standard error at once, and draws one
// live line per engine when asked.
// Thread rule: every member may be called from any thread.
class SearchProgress final : public EngineListener {
 public:
  SearchProgress(std::vector<std::string> engineNames, std::ostream& err);

  void OnEngineProgress(int slot, int percent) override;
  void OnEngineDone(int slot) override;
  void OnSearchDone() override;
  void ShowMessage(int slot, std::string_view message) override;

  // Waits until the search is over or the time has passed; true when over.
  bool WaitForSearchDone(std::chrono::milliseconds timeout);

  // Draws the engines' lines, over the ones drawn before.
  void DrawLiveLines();
  // "<engine>  <percent>%  <status text>", as the status window's row shows it.
  std::string LineOf(int slot);

 private:
  struct Row {
    std::string engine;
    int percent = kProgressStarting;
    std::string status;
  };
  std::string LineOfLocked(const Row& row) const;
  void EraseLiveLinesLocked();
  void DrawLiveLinesLocked();

  std::mutex mutex_;
  std::condition_variable searchDone_;
  bool over_ = false;
  std::vector<Row> rows_;
  std::ostream& err_;
  int linesDrawn_ = 0;
};

}  // namespace sorvane::cli

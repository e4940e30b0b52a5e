#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <stop_token>
#include <string>
#include <vector>

#include "core/engine_outcome.h"
#include "core/internet_session.h"
#include "core/query_address.h"
#include "core/results_table.h"
#include "core/search_engine.h"

namespace sorvane {

// How a check runs. The words are final: a caller checking the Email category
// rewrites them first, as a search does.
struct EngineCheckOptions {
  std::string words;
  int queryType = EntirePhrase;
  // Null: every engine that would fetch ends as no-connection.
  std::shared_ptr<const InternetSession> session;
  // When set, each engine parses this page as its first page instead of
  // fetching (no network, no further pages; its status is 0).
  std::shared_ptr<const std::string> givenFirstPage;
  // A stop ends the check as Stop ends a search: the engines are asked to end,
  // and those still running after abandonAfter are given up.
  std::stop_token stop;
  std::chrono::milliseconds abandonAfter{1000};
  // Each engine's progress, slot and percentage as the status window shows
  // them; called on the engines' worker threads, one call at a time per slot.
  // It must not throw.
  std::function<void(int slot, int percent)> progress;
};

// Runs the engine records exactly as a search runs them: one worker each, all
// at once (at most kMaxEngineJobs, the first ones), their hits merged into
// `table` with links already there skipped; returns when every engine has
// ended or been given up, one outcome per engine run, in order. Nothing of the
// check reaches the table after it returns.
// Thread rule: call from any thread that `progress` does not wait for (a
// window program calls it on a worker of its own and marshals the progress).
std::vector<EngineOutcome> CheckEngines(const std::vector<SearchEngine>& engines, std::shared_ptr<ResultsTable> table,
                                        const EngineCheckOptions& options);

// One engine record, as it stands (an engine being edited need not be saved).
EngineOutcome CheckEngine(const SearchEngine& engine, std::shared_ptr<ResultsTable> table,
                          const EngineCheckOptions& options);

}  // namespace sorvane

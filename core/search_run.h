#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "core/category.h"
#include "core/engine_list.h"
#include "core/engine_listener.h"
#include "core/engine_search.h"
#include "core/internet_session.h"
#include "core/results_table.h"
#include "core/run_gate.h"
#include "core/stop_watchdog.h"

namespace sorvane {

struct RunOptions {
  // How long after Stop the workers that have not ended are given up.
  std::chrono::milliseconds abandonAfter{1000};
};

// One web search: a worker per resolvable engine of the category (at most
// kMaxEngineJobs), all reporting to the listener through the run's gate.
// Destroying the run closes it without waiting: workers still running hold
// what they touch by shared ownership and can reach nothing any more.
// Thread rule: used by the thread that started it (the UI thread); the listener
// is called from the workers and the stop watchdog.
class SearchRun {
 public:
  // Starts the workers. `words` are final (Email rewrite done); the engines are
  // looked up by name in list order, unknown names skipped without a trace.
  SearchRun(const std::vector<std::string>& engineNames, const EngineList& engines, const std::string& words,
            int queryType, std::shared_ptr<const InternetSession> session, std::shared_ptr<ResultsTable> table,
            std::shared_ptr<EngineListener> listener, RunOptions options = {});
  // The same with the jobs made already (engine records that need not be in
  // any list: an engine being edited, checked as it stands).
  SearchRun(std::vector<EngineJob> jobs, std::shared_ptr<ResultsTable> table,
            std::shared_ptr<EngineListener> listener, RunOptions options = {});
  ~SearchRun();
  SearchRun(const SearchRun&) = delete;
  SearchRun& operator=(const SearchRun&) = delete;

  // One job per started slot, slot order.
  const std::vector<EngineJob>& Jobs() const { return jobs_; }
  const std::shared_ptr<ResultsTable>& Table() const { return table_; }

  // The Stop button: workers are asked to end, and those still running after
  // abandonAfter are given up with their 100 and done delivered for them.
  void Stop();
  // For a window program that keeps the one-second timer itself: RequestStop at
  // the click, AbandonNow when its timer fires. Neither waits for a worker.
  void RequestStop() { gate_->RequestStop(); }
  void AbandonNow();
  // Nothing of this run reaches the listener or the table any more.
  void Close();

  bool IsOver() const { return gate_->SearchOver(); }
  // How the slot ended: set just before its done reaches the listener, so the
  // UI thread may read it once that done has arrived (any thread may ask; none
  // while the slot runs).
  std::optional<EngineOutcome> Outcome(int slot) const { return gate_->Outcome(slot); }
  // The run's identity, for whoever must wait for its threads after the run
  // object is gone (shutdown, tests).
  std::shared_ptr<RunGate> Gate() const { return gate_; }
  // For shutdown: true when every thread of the run has ended in time.
  bool WaitForThreads(std::chrono::milliseconds timeout);

 private:
  std::vector<EngineJob> jobs_;
  std::shared_ptr<ResultsTable> table_;
  std::shared_ptr<RunGate> gate_;
  StopWatchdog watchdog_;
  RunOptions options_;
};

// The jobs a search of these engine names makes: one per name that resolves,
// in order, at most kMaxEngineJobs.
std::vector<EngineJob> MakeEngineJobs(const std::vector<std::string>& engineNames, const EngineList& engines,
                                      const std::string& words, int queryType,
                                      const std::shared_ptr<const InternetSession>& session);

// Each started slot's engine with its outcome, slot order; a slot whose end
// has not come yet (or never will: a closed run) is left out.
std::vector<NamedOutcome> RunOutcomes(const SearchRun& run);

// The same for engine records as they stand, one job each, in order.
std::vector<EngineJob> MakeEngineJobs(const std::vector<EnginePtr>& engines, const std::string& words, int queryType,
                                      const std::shared_ptr<const InternetSession>& session);

// A main frame's searches: its internet session, its current run and the words
// of the last search. Starting a search closes the previous run first, so a
// worker of that run left running can write nothing into the new one.
// Thread rule: used by the UI thread only.
class SearchRunner {
 public:
  explicit SearchRunner(ConnectionSettings settings, SessionOptions sessionOptions = {},
                        RunOptions runOptions = {})
      : settings_(std::move(settings)), sessions_(sessionOptions), runOptions_(runOptions) {}

  // The search's steps once the words and query type are chosen: the words
  // rewritten for the category, the table emptied, the session made if there is
  // none, the previous run closed, and a new run started.
  SearchRun& StartSearch(const Category& category, const std::string& words, int queryType,
                         const EngineList& engines, std::shared_ptr<ResultsTable> table,
                         std::shared_ptr<EngineListener> listener);

  // Counts only until the session is made: once made it stays as it is, so a
  // change takes effect at the program's next start.
  void SetConnectionSettings(ConnectionSettings settings) { settings_ = std::move(settings); }

  SearchRun* CurrentRun() { return run_.get(); }
  const std::string& LastQuery() const { return lastQuery_; }
  void ReleaseSession() { sessions_.ReleaseSession(); }

 private:
  ConnectionSettings settings_;
  SessionHolder sessions_;
  RunOptions runOptions_;
  std::string lastQuery_;
  std::unique_ptr<SearchRun> run_;
};

}  // namespace sorvane

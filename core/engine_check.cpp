#include "core/engine_check.h"

#include <condition_variable>
#include <mutex>

#include "core/search_run.h"

namespace sorvane {

namespace {

// Passes progress on and tells when the check is over; messages are not shown:
// the outcome says what they would have said.
class CheckListener final : public EngineListener {
 public:
  explicit CheckListener(std::function<void(int, int)> progress) : progress_(std::move(progress)) {}

  void OnEngineProgress(int slot, int percent) override {
    if (progress_) progress_(slot, percent);
  }
  void OnEngineDone(int) override {}
  void OnSearchDone() override {
    {
      std::lock_guard lock(mutex_);
      over_ = true;
    }
    changed_.notify_all();
  }
  void ShowMessage(int, std::string_view) override {}

  // Waits until the check is over or the stop is asked for; true when over.
  bool WaitUntilOverOrStopped(const std::stop_token& stop) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, stop, [&] { return over_; });
    return over_;
  }
  void WaitUntilOver() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return over_; });
  }

 private:
  std::function<void(int, int)> progress_;
  std::mutex mutex_;
  std::condition_variable_any changed_;
  bool over_ = false;
};

}  // namespace

std::vector<EngineOutcome> CheckEngines(const std::vector<SearchEngine>& engines, std::shared_ptr<ResultsTable> table,
                                        const EngineCheckOptions& options) {
  std::vector<EnginePtr> records;
  for (const SearchEngine& engine : engines) records.push_back(std::make_shared<const SearchEngine>(engine));
  std::vector<EngineJob> jobs = MakeEngineJobs(records, options.words, options.queryType, options.session);
  if (jobs.empty()) return {};
  for (EngineJob& job : jobs) job.givenFirstPage = options.givenFirstPage;

  auto listener = std::make_shared<CheckListener>(options.progress);
  SearchRun run(std::move(jobs), std::move(table), listener, RunOptions{options.abandonAfter});
  const bool ended = listener->WaitUntilOverOrStopped(options.stop);
  if (!ended) {
    run.Stop();
    listener->WaitUntilOver();
  }
  std::vector<EngineOutcome> outcomes;
  for (int slot = 0; slot < static_cast<int>(run.Jobs().size()); ++slot) {
    outcomes.push_back(run.Outcome(slot).value_or(EngineOutcome{}));
  }
  // Engines that ended by themselves let go of their threads at once; ones
  // given up are left to end in their own time, out of the table's reach.
  if (ended) run.WaitForThreads(options.abandonAfter);
  run.Close();
  return outcomes;
}

EngineOutcome CheckEngine(const SearchEngine& engine, std::shared_ptr<ResultsTable> table,
                          const EngineCheckOptions& options) {
  std::vector<EngineOutcome> outcomes = CheckEngines({engine}, std::move(table), options);
  return outcomes.empty() ? EngineOutcome{} : outcomes.front();
}

}  // namespace sorvane

#include "core/search_run.h"

#include "core/worker_thread.h"

namespace sorvane {

std::vector<EngineJob> MakeEngineJobs(const std::vector<std::string>& engineNames, const EngineList& engines,
                                      const std::string& words, int queryType,
                                      const std::shared_ptr<const InternetSession>& session) {
  std::vector<EnginePtr> found;
  for (const std::string& name : engineNames) {
    if (EnginePtr engine = FindEngine(engines, name)) found.push_back(std::move(engine));
  }
  return MakeEngineJobs(found, words, queryType, session);
}

std::vector<EngineJob> MakeEngineJobs(const std::vector<EnginePtr>& engines, const std::string& words, int queryType,
                                      const std::shared_ptr<const InternetSession>& session) {
  std::vector<EngineJob> jobs;
  const std::string encoded = EncodeQuery(words, queryType);
  for (const EnginePtr& engine : engines) {
    if (jobs.size() == static_cast<std::size_t>(kMaxEngineJobs)) break;
    if (!engine) continue;
    EngineJob job;
    job.engine = engine;
    job.encodedQuery = encoded;
    job.hitLimit = kHitLimit;
    job.internetSession = session;
    job.skipKnownLinks = true;
    job.slotIndex = static_cast<int>(jobs.size());
    job.words = words;
    jobs.push_back(std::move(job));
  }
  return jobs;
}

SearchRun::SearchRun(const std::vector<std::string>& engineNames, const EngineList& engines,
                     const std::string& words, int queryType, std::shared_ptr<const InternetSession> session,
                     std::shared_ptr<ResultsTable> table, std::shared_ptr<EngineListener> listener,
                     RunOptions options)
    : SearchRun(MakeEngineJobs(engineNames, engines, words, queryType, session), std::move(table),
                std::move(listener), options) {}

SearchRun::SearchRun(std::vector<EngineJob> jobs, std::shared_ptr<ResultsTable> table,
                     std::shared_ptr<EngineListener> listener, RunOptions options)
    : jobs_(std::move(jobs)),
      table_(table),
      gate_(std::make_shared<RunGate>(static_cast<int>(jobs_.size()), std::move(table), std::move(listener))),
      watchdog_(gate_),
      options_(options) {
  // Every job is complete before the first worker starts; each worker gets its
  // own copy, so nothing it reads changes under it.
  for (const EngineJob& job : jobs_) {
    gate_->ThreadStarted();
    const bool started = StartDetachedThread([gate = gate_, job] {
      try {
        RunEngineSearch(job, *gate);
      } catch (...) {
        // A listener that throws (a window program shutting down) ends only
        // this worker; its slot is left for a stop to give up.
      }
      gate->ThreadEnded();
    });
    // Without its thread the slot stays running until a stop gives it up, as a
    // hung worker would.
    if (!started) gate_->ThreadEnded();
  }
}

SearchRun::~SearchRun() { Close(); }

void SearchRun::Stop() {
  gate_->RequestStop();
  watchdog_.Arm(options_.abandonAfter);
}

void SearchRun::AbandonNow() {
  gate_->RequestStop();
  watchdog_.FireNow();
}

bool SearchRun::WaitForThreads(std::chrono::milliseconds timeout) {
  // Once the search is over the watchdog has nobody left to give up; it need
  // not sit out its delay.
  if (IsOver()) watchdog_.Cancel();
  return gate_->WaitForThreads(timeout);
}

void SearchRun::Close() {
  watchdog_.Cancel();
  gate_->Close();
}

std::vector<NamedOutcome> RunOutcomes(const SearchRun& run) {
  std::vector<NamedOutcome> named;
  for (const EngineJob& job : run.Jobs()) {
    if (auto outcome = run.Outcome(job.slotIndex)) named.push_back({job.engine->name, std::move(*outcome)});
  }
  return named;
}

SearchRun& SearchRunner::StartSearch(const Category& category, const std::string& words, int queryType,
                                     const EngineList& engines, std::shared_ptr<ResultsTable> table,
                                     std::shared_ptr<EngineListener> listener) {
  lastQuery_ = RewriteWordsForCategory(category.name, words);
  if (run_) run_->Close();
  run_.reset();
  table->DeleteAll();
  std::shared_ptr<const InternetSession> session = sessions_.EnsureSession(settings_);
  static const std::vector<std::string> kNoEngines;
  run_ = std::make_unique<SearchRun>(category.engineNames ? *category.engineNames : kNoEngines, engines,
                                     lastQuery_, queryType, std::move(session), std::move(table),
                                     std::move(listener), runOptions_);
  return *run_;
}

}  // namespace sorvane

#include "core/run_gate.h"

#include "core/result_parser.h"

namespace sorvane {

RunGate::RunGate(int slotCount, std::shared_ptr<ResultsTable> table, std::shared_ptr<EngineListener> listener)
    : slotCount_(slotCount),
      slots_(std::make_unique<Slot[]>(static_cast<std::size_t>(slotCount))),
      table_(std::move(table)),
      listener_(std::move(listener)),
      facts_(static_cast<std::size_t>(slotCount)),
      outcomes_(static_cast<std::size_t>(slotCount)) {}

void RunGate::ReportProgress(int slot, int percent) {
  std::lock_guard lock(slots_[slot].delivery);
  if (MayWrite(slot)) listener_->OnEngineProgress(slot, percent);
}

void RunGate::ShowMessage(int slot, std::string_view message) {
  // No slot lock here: the user may take long to answer, and giving the slot up
  // meanwhile must not wait for that.
  if (MayWrite(slot)) listener_->ShowMessage(slot, message);
}

PageTake RunGate::ParsePage(const EngineJob& job, std::string& page) {
  if (!MayWrite(job.slotIndex)) return {};
  // The gate is looked at inside the table's lock, and Close and the giving up
  // of a slot change it inside that lock too, so no write slips past either.
  // Each hit the parser offers is asked about once; one it asks about and does
  // not take was a link the table knew.
  int offered = 0;
  PageTake take;
  take.taken = ParseResultPage(*job.engine, job.words, page, *table_, job.skipKnownLinks,
                               [this, slot = job.slotIndex, &offered] {
                                 if (!MayWrite(slot)) return false;
                                 ++offered;
                                 return true;
                               });
  take.known = offered - take.taken;
  return take;
}

void RunGate::RecordFacts(int slot, const OutcomeFacts& facts) {
  std::lock_guard lock(outcomeMutex_);
  facts_[static_cast<std::size_t>(slot)] = facts;
}

void RunGate::FinishEngine(int slot, const OutcomeFacts& facts) {
  std::lock_guard lock(slots_[slot].delivery);
  if (MayWrite(slot)) DeliverFinish(slot, facts);
}

std::optional<EngineOutcome> RunGate::Outcome(int slot) {
  if (slot < 0 || slot >= slotCount_) return std::nullopt;
  std::lock_guard lock(outcomeMutex_);
  return outcomes_[static_cast<std::size_t>(slot)];
}

void RunGate::DeliverFinish(int slot, const OutcomeFacts& facts) {
  const auto elapsed =
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started_);
  {
    std::lock_guard lock(outcomeMutex_);
    outcomes_[static_cast<std::size_t>(slot)] = DecideOutcome(facts, elapsed.count());
  }
  listener_->OnEngineProgress(slot, kProgressDone);
  table_->WithLock([&](TableRows&) { slots_[slot].running.store(false); });
  listener_->OnEngineDone(slot);
  bool last = false;
  {
    std::lock_guard lock(stateMutex_);
    ++finishedSlots_;
    if (finishedSlots_ == slotCount_ && !searchOver_) last = searchOver_ = true;
  }
  if (last && open_.load()) listener_->OnSearchDone();
}

void RunGate::Close() {
  stop_.store(true);
  table_->WithLock([&](TableRows&) { open_.store(false); });
}

void RunGate::AbandonUnfinished() {
  for (int slot = 0; slot < slotCount_; ++slot) {
    std::lock_guard lock(slots_[slot].delivery);
    if (!open_.load()) return;
    if (!slots_[slot].running.load()) continue;
    // Given up: what the worker had seen so far, ended by the stop.
    OutcomeFacts facts;
    {
      std::lock_guard outcomeLock(outcomeMutex_);
      facts = facts_[static_cast<std::size_t>(slot)];
    }
    facts.stopped = true;
    DeliverFinish(slot, facts);
  }
  if (slotCount_ > 0) return;
  // A search without engines has no done to end it; the stop does.
  bool end = false;
  {
    std::lock_guard lock(stateMutex_);
    if (!searchOver_) end = searchOver_ = true;
  }
  if (end && open_.load()) listener_->OnSearchDone();
}

bool RunGate::SearchOver() {
  std::lock_guard lock(stateMutex_);
  return searchOver_;
}

void RunGate::ThreadStarted() {
  std::lock_guard lock(stateMutex_);
  ++liveThreads_;
}

void RunGate::ThreadEnded() {
  std::lock_guard lock(stateMutex_);
  if (--liveThreads_ == 0) threadsEnded_.notify_all();
}

bool RunGate::WaitForThreads(std::chrono::milliseconds timeout) {
  std::unique_lock lock(stateMutex_);
  return threadsEnded_.wait_for(lock, timeout, [&] { return liveThreads_ == 0; });
}

}  // namespace sorvane

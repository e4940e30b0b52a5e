#include "core/run_gate.h"

#include "core/result_parser.h"

namespace sorvane {

RunGate::RunGate(int slotCount, std::shared_ptr<ResultsTable> table, std::shared_ptr<EngineListener> listener)
    : slotCount_(slotCount),
      slots_(std::make_unique<Slot[]>(static_cast<std::size_t>(slotCount))),
      table_(std::move(table)),
      listener_(std::move(listener)) {}

void RunGate::ReportProgress(int slot, int percent) {
  std::lock_guard lock(slots_[slot].delivery);
  if (MayWrite(slot)) listener_->OnEngineProgress(slot, percent);
}

void RunGate::ShowMessage(int slot, std::string_view message) {
  // No slot lock here: the user may take long to answer, and giving the slot up
  // meanwhile must not wait for that.
  if (MayWrite(slot)) listener_->ShowMessage(slot, message);
}

int RunGate::ParsePage(const EngineJob& job, std::string& page) {
  if (!MayWrite(job.slotIndex)) return 0;
  // The gate is looked at inside the table's lock, and Close and the giving up
  // of a slot change it inside that lock too, so no write slips past either.
  return ParseResultPage(*job.engine, job.words, page, *table_, job.skipKnownLinks,
                         [this, slot = job.slotIndex] { return MayWrite(slot); });
}

void RunGate::FinishEngine(int slot) {
  std::lock_guard lock(slots_[slot].delivery);
  if (MayWrite(slot)) DeliverFinish(slot);
}

void RunGate::DeliverFinish(int slot) {
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
    if (slots_[slot].running.load()) DeliverFinish(slot);
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

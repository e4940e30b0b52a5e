#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <string_view>
#include <vector>

#include "core/engine_listener.h"
#include "core/engine_search.h"
#include "core/results_table.h"

namespace sorvane {

// The identity of one search run, held by shared ownership by the run, its
// workers and its stop watchdog. Everything a worker does outside its job goes
// through here; once the gate is closed, or a slot has been given up, the calls
// and table writes of that worker are dropped, so a worker left running can
// reach neither the table nor the listener. It also decides when the search is
// over: at the done that leaves no slot running, each slot counted once.
// Thread rule: every member may be called from any thread; a slot's listener
// calls are serialised by that slot's own lock, never held across slots.
class RunGate final : public EngineWorkerContext {
 public:
  RunGate(int slotCount, std::shared_ptr<ResultsTable> table, std::shared_ptr<EngineListener> listener);

  // The worker's side.
  void ReportProgress(int slot, int percent) override;
  void ShowMessage(int slot, std::string_view message) override;
  bool StopRequested() override { return stop_.load(); }
  PageTake ParsePage(const EngineJob& job, std::string& page) override;
  void RecordFacts(int slot, const OutcomeFacts& facts) override;
  void FinishEngine(int slot, const OutcomeFacts& facts) override;

  // The run's side. None of these waits for a worker, except AbandonUnfinished.
  void RequestStop() { stop_.store(true); }
  // Nothing more of this run reaches the listener or the table; a write or call
  // already under way ends first (the table's lock is taken briefly).
  void Close();
  bool IsOpen() const { return open_.load(); }
  // Gives up every slot still running and delivers its 100 and done on its
  // behalf; a run without slots is declared over. Waits for a listener call a
  // slot has under way, so it must not run on a thread such a call waits for.
  void AbandonUnfinished();
  bool SearchOver();
  int SlotCount() const { return slotCount_; }

  // The slot's outcome, there from just before its done is delivered (so a
  // listener's done, and whoever it tells, can read it); none before, or for a
  // slot whose end was dropped because the gate was closed.
  std::optional<EngineOutcome> Outcome(int slot);

  // Threads holding this gate (workers, watchdog), so shutdown can wait for them.
  void ThreadStarted();
  void ThreadEnded();
  bool WaitForThreads(std::chrono::milliseconds timeout);

 private:
  struct Slot {
    std::mutex delivery;
    std::atomic<bool> running{true};
  };
  bool MayWrite(int slot) const { return open_.load() && slots_[slot].running.load(); }
  // Under the slot's delivery lock: the outcome, 100, done, and the end of the search.
  void DeliverFinish(int slot, const OutcomeFacts& facts);

  const int slotCount_;
  std::unique_ptr<Slot[]> slots_;
  std::shared_ptr<ResultsTable> table_;
  std::shared_ptr<EngineListener> listener_;
  std::atomic<bool> stop_{false};
  std::atomic<bool> open_{true};

  const std::chrono::steady_clock::time_point started_ = std::chrono::steady_clock::now();
  std::mutex outcomeMutex_;  // guards facts_ and outcomes_
  std::vector<OutcomeFacts> facts_;
  std::vector<std::optional<EngineOutcome>> outcomes_;

  std::mutex stateMutex_;
  std::condition_variable threadsEnded_;
  int finishedSlots_ = 0;
  bool searchOver_ = false;
  int liveThreads_ = 0;
};

}  // namespace sorvane

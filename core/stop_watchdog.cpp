#include "core/stop_watchdog.h"

#include "core/worker_thread.h"

namespace sorvane {

StopWatchdog::StopWatchdog(std::shared_ptr<RunGate> gate) : gate_(std::move(gate)) {}

StopWatchdog::~StopWatchdog() { Cancel(); }

void StopWatchdog::StartLocked(std::chrono::milliseconds delay) {
  shared_->started = true;
  shared_->deadline = std::chrono::steady_clock::now() + delay;
  gate_->ThreadStarted();
  const bool started = StartDetachedThread([shared = shared_, gate = gate_] {
    bool abandon = false;
    {
      std::unique_lock lock(shared->mutex);
      shared->wake.wait_until(lock, shared->deadline, [&] { return shared->fire || shared->cancelled; });
      abandon = !shared->cancelled;
    }
    try {
      if (abandon) gate->AbandonUnfinished();
    } catch (...) {
      // The listener threw (its program is going away): nobody is left to tell.
    }
    gate->ThreadEnded();
  });
  // No thread to be had: the run then ends when its workers do.
  if (!started) gate_->ThreadEnded();
}

void StopWatchdog::Arm(std::chrono::milliseconds delay) {
  std::lock_guard lock(shared_->mutex);
  if (!shared_->started && !shared_->cancelled) StartLocked(delay);
}

void StopWatchdog::FireNow() {
  std::lock_guard lock(shared_->mutex);
  if (shared_->cancelled) return;
  if (!shared_->started) StartLocked(std::chrono::milliseconds(0));
  shared_->fire = true;
  shared_->wake.notify_all();
}

void StopWatchdog::Cancel() {
  std::lock_guard lock(shared_->mutex);
  shared_->cancelled = true;
  shared_->wake.notify_all();
}

}  // namespace sorvane

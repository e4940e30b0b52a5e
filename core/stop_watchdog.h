#pragma once

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>

#include "core/run_gate.h"

namespace sorvane {

// Gives up the workers of a stopped run that have not ended in time: a second
// after Stop, every slot still running is abandoned and its 100 and done are
// delivered on its behalf. The waiting and the delivering happen on a thread of
// the watchdog's own, so whoever arms or fires it (the UI thread included) never
// waits for a worker. The thread holds the gate by shared ownership and outlives
// the watchdog object when it must.
// Thread rule: Arm, FireNow and Cancel may be called from any thread.
class StopWatchdog {
 public:
  explicit StopWatchdog(std::shared_ptr<RunGate> gate);
  ~StopWatchdog();
  StopWatchdog(const StopWatchdog&) = delete;
  StopWatchdog& operator=(const StopWatchdog&) = delete;

  // Starts the count; a later call does not restart it.
  void Arm(std::chrono::milliseconds delay);
  // Abandons now (for a window program that keeps its own timer).
  void FireNow();
  // The abandoning will not happen.
  void Cancel();

 private:
  struct Shared {
    std::mutex mutex;
    std::condition_variable wake;
    bool started = false;
    bool fire = false;
    bool cancelled = false;
    std::chrono::steady_clock::time_point deadline;
  };
  void StartLocked(std::chrono::milliseconds delay);

  std::shared_ptr<RunGate> gate_;
  std::shared_ptr<Shared> shared_ = std::make_shared<Shared>();
};

}  // namespace sorvane

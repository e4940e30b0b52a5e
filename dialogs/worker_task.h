#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <stop_token>

namespace sorvane {

// One piece of long work a dialog runs off the UI thread. The work gets a stop
// token and a way to report progress (0 to 100); progress and the end are
// handed to the UI thread, and dropped once the task is stopped or gone, so a
// late answer never reaches a closed dialog. The work must hold only what it
// was given (copies, shared pointers): a stopped task's thread is let go and
// ends on its own.
// UI thread only; the work runs on its own thread.
class WorkerTask {
 public:
  using Report = std::function<void(int percent)>;
  using Work = std::function<void(std::stop_token stop, const Report& report)>;

  WorkerTask() = default;
  ~WorkerTask() { Stop(); }
  WorkerTask(const WorkerTask&) = delete;
  WorkerTask& operator=(const WorkerTask&) = delete;

  // Starts `work` (stopping any work still running). `onProgress` and `onDone`
  // are called on the UI thread; `onDone` once, after the work has returned.
  void Start(Work work, std::function<void(int)> onProgress, std::function<void()> onDone);
  // Asks the work to stop; nothing of it reaches the owner afterwards.
  void Stop();
  bool Running() const { return m_current != nullptr; }

 private:
  struct Run {
    std::stop_source stop;
    bool live = true;  // read and written on the UI thread only
  };
  std::shared_ptr<Run> m_current;
};

}  // namespace sorvane

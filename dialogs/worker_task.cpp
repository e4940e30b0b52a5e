#include "dialogs/worker_task.h"

#include <wx/app.h>

#include <thread>

namespace sorvane {

void WorkerTask::Start(Work work, std::function<void(int)> onProgress, std::function<void()> onDone) {
  Stop();
  auto run = std::make_shared<Run>();
  m_current = run;
  auto finished = [this, run, onDone = std::move(onDone)] {
    if (!run->live) return;
    run->live = false;
    m_current.reset();
    onDone();
  };
  Report report = [run, onProgress = std::move(onProgress)](int percent) {
    if (wxTheApp == nullptr) return;
    wxTheApp->CallAfter([run, onProgress, percent] {
      if (run->live) onProgress(percent);
    });
  };
  std::thread([work = std::move(work), report = std::move(report), finished = std::move(finished),
               stop = run->stop.get_token()] {
    work(stop, report);
    if (wxTheApp != nullptr) wxTheApp->CallAfter(finished);
  }).detach();
}

void WorkerTask::Stop() {
  if (!m_current) return;
  m_current->live = false;
  m_current->stop.request_stop();
  m_current.reset();
}

}  // namespace sorvane

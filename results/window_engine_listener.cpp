#include "results/window_engine_listener.h"

#include <wx/thread.h>
#include <wx/window.h>

#include <future>
#include <mutex>

namespace sorvane {

// Shared between the listener, the calls it has queued and the target's destroy
// hook, so whichever goes last frees it.
struct WindowEngineListener::Shared {
  std::mutex lock;
  wxWindow* target = nullptr;  // null once closed or the window is gone
  EngineReportHandlers handlers;
};

WindowEngineListener::WindowEngineListener(wxWindow& target, EngineReportHandlers handlers)
    : m_shared(std::make_shared<Shared>()) {
  m_shared->target = &target;
  m_shared->handlers = std::move(handlers);
  std::weak_ptr<Shared> weak = m_shared;
  wxWindow* window = &target;
  target.Bind(wxEVT_DESTROY, [weak, window](wxWindowDestroyEvent& event) {
    event.Skip();
    if (event.GetEventObject() != window) return;
    if (const auto shared = weak.lock()) {
      std::lock_guard guard(shared->lock);
      shared->target = nullptr;
    }
  });
}

WindowEngineListener::~WindowEngineListener() { Close(); }

void WindowEngineListener::Close() {
  std::lock_guard guard(m_shared->lock);
  m_shared->target = nullptr;
}

bool WindowEngineListener::IsClosed() const {
  std::lock_guard guard(m_shared->lock);
  return m_shared->target == nullptr;
}

void WindowEngineListener::Deliver(std::function<void(const EngineReportHandlers&)> call) {
  if (wxThread::IsMain()) {
    // Already on the UI thread (a stop given up from there): waiting for the
    // event loop here would wait for ourselves.
    {
      std::lock_guard guard(m_shared->lock);
      if (!m_shared->target) return;
    }
    call(m_shared->handlers);
    return;
  }
  // The queued call owns the promise: if the window drops its pending calls,
  // the promise goes with them and the worker wakes with a broken promise.
  auto done = std::make_shared<std::promise<void>>();
  std::future<void> finished = done->get_future();
  {
    std::lock_guard guard(m_shared->lock);
    if (!m_shared->target) return;
    std::weak_ptr<Shared> weak = m_shared;
    m_shared->target->CallAfter([weak, call = std::move(call), done = std::move(done)] {
      if (const auto shared = weak.lock()) {
        bool open;
        {
          std::lock_guard guard(shared->lock);
          open = shared->target != nullptr;
        }
        if (open) call(shared->handlers);
      }
      done->set_value();
    });
  }
  try {
    finished.wait();
    finished.get();
  } catch (const std::future_error&) {
    // Dropped with the window: the report is lost, the worker goes on.
  }
}

void WindowEngineListener::OnEngineProgress(int slot, int percent) {
  Deliver([slot, percent](const EngineReportHandlers& handlers) {
    if (handlers.progress) handlers.progress(slot, percent);
  });
}

void WindowEngineListener::OnEngineDone(int slot) {
  Deliver([slot](const EngineReportHandlers& handlers) {
    if (handlers.done) handlers.done(slot);
  });
}

void WindowEngineListener::OnSearchDone() {
  Deliver([](const EngineReportHandlers& handlers) {
    if (handlers.searchDone) handlers.searchDone();
  });
}

void WindowEngineListener::ShowMessage(int slot, std::string_view message) {
  Deliver([slot, text = std::string(message)](const EngineReportHandlers& handlers) {
    if (handlers.message) handlers.message(slot, text);
  });
}

}  // namespace sorvane

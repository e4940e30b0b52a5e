#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "core/engine_listener.h"

class wxEvtHandler;
class wxWindow;

namespace sorvane {

// What the window program does with one run's reports, on the UI thread.
struct EngineReportHandlers {
  std::function<void(int slot, int percent)> progress;
  std::function<void(int slot)> done;
  std::function<void()> searchDone;
  std::function<void(int slot, std::string_view message)> message;
};

// The listener of one search run in the window program: each call is carried
// onto the UI thread and the calling worker waits until it has been handled
// there, as a worker's report to the main window must be. The UI thread never
// waits for a worker: a call made on the UI thread itself runs at once.
// After Close (the run ended or was replaced), or once the target window is
// destroyed, calls are dropped; a waiting worker then wakes without the call.
// Thread rule: the report calls may come from any thread; construction and
// Close belong to the UI thread.
class WindowEngineListener final : public EngineListener {
 public:
  WindowEngineListener(wxWindow& target, EngineReportHandlers handlers);
  ~WindowEngineListener() override;

  void OnEngineProgress(int slot, int percent) override;
  void OnEngineDone(int slot) override;
  void OnSearchDone() override;
  void ShowMessage(int slot, std::string_view message) override;

  void Close();
  bool IsClosed() const;

 private:
  struct Shared;
  // Runs `call` on the UI thread and waits for it, unless closed.
  void Deliver(std::function<void(const EngineReportHandlers&)> call);

  std::shared_ptr<Shared> m_shared;
};

}  // namespace sorvane

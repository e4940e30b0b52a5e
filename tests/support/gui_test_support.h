#pragma once

#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/utils.h>

#include <chrono>
#include <functional>

namespace sorvane::testing {

// Pumps the toolkit's events until `done` holds or `timeout` passes; true when
// it held.
inline bool PumpUntil(const std::function<bool()>& done,
                      std::chrono::milliseconds timeout = std::chrono::milliseconds(10000)) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    wxTheApp->Yield(true);
    wxTheApp->ProcessPendingEvents();
    wxMilliSleep(5);
  }
  return true;
}

// Pumps events for a while, for changes that have no condition to wait on.
inline void Pump(std::chrono::milliseconds duration = std::chrono::milliseconds(100)) {
  PumpUntil([] { return false; }, duration);
}

}  // namespace sorvane::testing

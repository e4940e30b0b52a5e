#pragma once

#include <wx/app.h>

#include <chrono>

// What the window benchmarks share: an application object that opens no
// window of its own (each benchmark starts the toolkit with wxEntryStart and
// makes its windows), and a millisecond clock.
namespace sorvane::bench {

class BenchApp final : public wxApp {
 public:
  bool OnInit() override { return true; }
};

using Clock = std::chrono::steady_clock;

inline double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace sorvane::bench

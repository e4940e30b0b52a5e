#pragma once

#include <signal.h>

#include <iosfwd>
#include <vector>

#include "core/results_table.h"

namespace sorvane::cli {

// Ctrl-C as a request to stop, for as long as the guard lives: the first Ctrl-C
// is only noted (the command stops its work and still prints what it found);
// the handler that was there before comes back when the guard goes.
// Thread rule: make and destroy it on the main thread; Interrupted may be read
// from any thread.
class InterruptGuard {
 public:
  InterruptGuard();
  ~InterruptGuard();
  InterruptGuard(const InterruptGuard&) = delete;
  InterruptGuard& operator=(const InterruptGuard&) = delete;

  bool Interrupted() const;

 private:
  struct sigaction previous_ {};
};

// Live progress lines are drawn only for a person watching standard error.
bool StderrIsTerminal();

// The results table as the listing commands print it: Description, URL, Rank,
// Hits, Engine, tab-separated, or with --json an array of objects.
void PrintHits(std::ostream& out, const std::vector<SearchHit>& hits, bool json);

}  // namespace sorvane::cli

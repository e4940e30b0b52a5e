#pragma once

#include <signal.h>

#include <iosfwd>
#include <vector>

#include "cli/shared_options.h"
#include "core/results_table.h"
#include "results/table_cells.h"

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

// Result rows as the listing commands print them: Description, URL, Rank,
// Hits, Engine tab-separated; CSV as the window's export writes it (with the
// viewed flag); or a JSON array of objects keyed by the column titles.
void PrintRows(std::ostream& out, const std::vector<RowCells>& rows, OutputFormat format);

}  // namespace sorvane::cli

#include "cli/console_run.h"

#include <unistd.h>

#include <csignal>
#include <ostream>

#include "cli/json_output.h"
#include "results/results_export.h"

namespace sorvane::cli {

namespace {

// Set by the Ctrl-C handler; a signal handler can do no more than this.
volatile std::sig_atomic_t interrupted = 0;

extern "C" void OnInterrupt(int) { interrupted = 1; }

}  // namespace

InterruptGuard::InterruptGuard() {
  interrupted = 0;
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, &previous_);
}

InterruptGuard::~InterruptGuard() { sigaction(SIGINT, &previous_, nullptr); }

bool InterruptGuard::Interrupted() const { return interrupted != 0; }

bool StderrIsTerminal() { return ::isatty(STDERR_FILENO) == 1; }

void PrintRows(std::ostream& out, const std::vector<RowCells>& rows, OutputFormat format) {
  switch (format) {
    case OutputFormat::Csv:
      out << FormatResultsCsv(rows);
      return;
    case OutputFormat::Json:
      out << FormatResultsJson(rows, false);
      return;
    case OutputFormat::Tsv:
      for (const RowCells& row : rows) {
        out << row.description() << '\t' << row.url() << '\t' << row.rank() << '\t' << row.hits() << '\t'
            << row.engine() << '\n';
      }
      return;
  }
}

}  // namespace sorvane::cli

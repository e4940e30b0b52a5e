#include "cli/console_run.h"

#include <unistd.h>

#include <csignal>
#include <ostream>

#include "cli/json_output.h"

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

void PrintHits(std::ostream& out, const std::vector<SearchHit>& hits, bool json) {
  if (json) {
    std::vector<JsonObject> objects;
    for (const SearchHit& hit : hits) {
      objects.push_back(JsonObject()
                            .AddString(kDescriptionColumn, hit.description)
                            .AddString(kUrlColumn, hit.url)
                            .AddNumber(kRankColumn, hit.rank)
                            .AddNumber(kHitsColumn, hit.hits)
                            .AddString(kEngineColumn, hit.engine));
    }
    WriteJsonArray(out, objects);
    return;
  }
  for (const SearchHit& hit : hits) {
    out << hit.description << '\t' << hit.url << '\t' << hit.rank << '\t' << hit.hits << '\t' << hit.engine
        << '\n';
  }
}

}  // namespace sorvane::cli

#include "cli/outcome_report.h"

#include <ostream>

#include "cli/json_output.h"

namespace sorvane::cli {

void WriteOutcomeLines(std::ostream& out, const std::vector<NamedOutcome>& outcomes) {
  for (const NamedOutcome& named : outcomes) out << OutcomeLine(named.engine, named.outcome) << '\n';
}

void WriteOutcomeJson(std::ostream& out, const std::vector<NamedOutcome>& outcomes) {
  std::vector<JsonObject> objects;
  for (const NamedOutcome& named : outcomes) {
    const EngineOutcome& outcome = named.outcome;
    objects.push_back(JsonObject()
                          .AddString("engine", named.engine)
                          .AddString("outcome", OutcomeWordText(outcome.word))
                          .AddNumber("status", outcome.status)
                          .AddNumber("bytes", outcome.bytes)
                          .AddNumber("pages", outcome.pages)
                          .AddNumber("hits", outcome.hits)
                          .AddNumber("known", outcome.known)
                          .AddNumber("ms", outcome.milliseconds)
                          .AddString("detail", outcome.detail)
                          .AddString("address", outcome.address));
  }
  WriteJsonArray(out, objects);
}

}  // namespace sorvane::cli

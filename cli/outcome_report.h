#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "core/engine_outcome.h"

namespace sorvane::cli {

// One line per engine, slot order: engine, outcome word, HTTP status, bytes,
// pages, hits, known, milliseconds, detail, tab-separated.
void WriteOutcomeLines(std::ostream& out, const std::vector<NamedOutcome>& outcomes);

// The same as a JSON array of objects keyed "engine", "outcome", "status",
// "bytes", "pages", "hits", "known", "ms", "detail", "address".
void WriteOutcomeJson(std::ostream& out, const std::vector<NamedOutcome>& outcomes);

}  // namespace sorvane::cli

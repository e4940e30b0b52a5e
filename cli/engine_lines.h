#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "cli/json_output.h"
#include "core/search_engine.h"

namespace sorvane::cli {

// One record as `engines` prints it: name, startToken, endToken, url,
// searchType, prefix, suffix, nextPageCommand, tab-separated (nextPageCommand
// empty for the types that do not keep it). No line end.
std::string EngineLine(const SearchEngine& engine);

// The same eight fields as a JSON object.
JsonObject EngineJson(const SearchEngine& engine);

// A line as EngineLine writes it back into a record; nothing, with `error`
// saying why, when it is not eight fields with a number for the type, or a
// field could not be kept in engines.dat (longer than a line holds).
std::optional<SearchEngine> ParseEngineLine(std::string_view line, std::string& error);

}  // namespace sorvane::cli

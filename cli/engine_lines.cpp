#include "cli/engine_lines.h"

#include <vector>

#include "core/lenient_number.h"
#include "core/line_reader.h"

using sorvane::LineReader;

namespace sorvane::cli {

namespace {

std::string NextPageShown(const SearchEngine& engine) {
  return StoresNextPageCommand(engine.searchType) ? engine.nextPageCommand : std::string();
}

bool IsWholeNumber(std::string_view text) {
  std::size_t at = text.starts_with('-') ? 1 : 0;
  if (at >= text.size() || text.size() > 10) return false;
  for (; at < text.size(); ++at) {
    if (text[at] < '0' || text[at] > '9') return false;
  }
  return true;
}

}  // namespace

std::string EngineLine(const SearchEngine& engine) {
  std::string line;
  for (const std::string* field : {&engine.name, &engine.startToken, &engine.endToken, &engine.url}) {
    line += *field;
    line += '\t';
  }
  line += std::to_string(engine.searchType);
  for (const std::string& field : {engine.prefix, engine.suffix, NextPageShown(engine)}) {
    line += '\t';
    line += field;
  }
  return line;
}

JsonObject EngineJson(const SearchEngine& engine) {
  return JsonObject()
      .AddString("name", engine.name)
      .AddString("startToken", engine.startToken)
      .AddString("endToken", engine.endToken)
      .AddString("url", engine.url)
      .AddNumber("searchType", engine.searchType)
      .AddString("prefix", engine.prefix)
      .AddString("suffix", engine.suffix)
      .AddString("nextPageCommand", NextPageShown(engine));
}

std::optional<SearchEngine> ParseEngineLine(std::string_view line, std::string& error) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  while (true) {
    const std::size_t tab = line.find('\t', start);
    fields.emplace_back(line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
    if (tab == std::string_view::npos) break;
    start = tab + 1;
  }
  if (fields.size() != 8) {
    error = std::to_string(fields.size()) + " tab-separated fields where a record has 8";
    return std::nullopt;
  }
  if (!IsWholeNumber(fields[4])) {
    error = "the search type '" + fields[4] + "' is not a number";
    return std::nullopt;
  }
  for (const std::string& field : fields) {
    if (field.size() > LineReader::kMaxLineLength) {
      error = "a field is longer than the " + std::to_string(LineReader::kMaxLineLength) + " bytes a line of engines.dat holds";
      return std::nullopt;
    }
    // The store cuts white space off the ends of its lines when reading.
    if (!field.empty() && (field.back() == ' ' || field.back() == '\r' || field.back() == '\v' ||
                           field.back() == '\f')) {
      error = "the field '" + field + "' ends in white space, which engines.dat would lose";
      return std::nullopt;
    }
  }
  SearchEngine engine;
  engine.name = fields[0];
  engine.startToken = fields[1];
  engine.endToken = fields[2];
  engine.url = fields[3];
  engine.searchType = ParseLenientInt(fields[4]);
  engine.prefix = fields[5];
  engine.suffix = fields[6];
  if (StoresNextPageCommand(engine.searchType)) engine.nextPageCommand = fields[7];
  engine.valid = HasRequiredFields(engine) ? 1 : 0;
  return engine;
}

}  // namespace sorvane::cli

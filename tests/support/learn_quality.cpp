#include "support/learn_quality.h"

#include <chrono>
#include <cstdio>
#include <set>
#include <sstream>

#include "core/learn_address.h"
#include "core/learn_engine.h"
#include "core/lenient_number.h"
#include "core/query_address.h"
#include "core/result_parser.h"
#include "platform/file_io.h"

namespace sorvane::quality {

namespace {

std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  while (true) {
    const std::size_t tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
    if (tab == std::string::npos) break;
    start = tab + 1;
  }
  return fields;
}

std::set<std::string> LinksTaken(const SearchEngine& engine, std::string_view words, const std::string& page) {
  std::string copy = page;
  ResultsTable table;
  ParseResultPage(engine, words, copy, table, true);
  std::set<std::string> links;
  for (const SearchHit& hit : table.Snapshot()) links.insert(hit.url);
  return links;
}

// A browser's copy may join the words with "%20" or spaces; a record asks with
// "+", which servers read the same way in a query.
std::string WithPlusForSpaces(std::string address) {
  for (std::size_t at = address.find("%20"); at != std::string::npos; at = address.find("%20", at)) {
    address.replace(at, 3, "+");
  }
  for (char& c : address) {
    if (c == ' ') c = '+';
  }
  return address.substr(0, address.find('#'));
}

}  // namespace

std::vector<QualityCase> ReadManifest(const std::filesystem::path& manifest, std::vector<std::string>& errors) {
  std::vector<QualityCase> cases;
  const std::optional<std::string> text = ReadWholeFile(manifest);
  if (!text) {
    errors.push_back("cannot read " + manifest.string());
    return cases;
  }
  std::istringstream lines(*text);
  std::string line;
  int number = 0;
  while (std::getline(lines, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line.front() == '#') continue;
    const std::vector<std::string> fields = SplitTabs(line);
    if (fields.size() != 12) {
      errors.push_back(manifest.filename().string() + " line " + std::to_string(number) + ": " +
                       std::to_string(fields.size()) + " fields, not 12");
      continue;
    }
    QualityCase c;
    c.pageFile = fields[0];
    c.words = fields[1];
    c.address = fields[2];
    c.expectedHits = ParseLenientInt(fields[3]);
    c.handWritten.name = fields[4];
    c.handWritten.startToken = fields[5];
    c.handWritten.endToken = fields[6];
    c.handWritten.url = fields[7];
    c.handWritten.searchType = ParseLenientInt(fields[8]);
    c.handWritten.prefix = fields[9];
    c.handWritten.suffix = fields[10];
    c.handWritten.nextPageCommand = fields[11];
    cases.push_back(std::move(c));
  }
  return cases;
}

QualityRow EvaluateCase(const QualityCase& qualityCase, const std::filesystem::path& pagesFolder) {
  QualityRow row;
  row.pageFile = qualityCase.pageFile;
  const std::optional<std::string> page = ReadWholeFile(pagesFolder / qualityCase.pageFile);
  if (!page) {
    row.failure = "cannot read the page";
    return row;
  }
  row.pageBytes = page->size();
  const std::set<std::string> hand = LinksTaken(qualityCase.handWritten, qualityCase.words, *page);
  row.handHits = static_cast<int>(hand.size());

  const std::optional<SearchAddressSplit> split = SplitSearchAddress(qualityCase.address, qualityCase.words);
  if (!split) {
    row.failure = "the words are not in the address";
    return row;
  }
  LearnFailure failure;
  const auto started = std::chrono::steady_clock::now();
  const std::optional<LearnedEngine> learned = LearnEngine(*split, *page, qualityCase.words, "", failure);
  row.learnMilliseconds =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count();
  if (!learned) {
    row.failure = failure.message;
    return row;
  }
  row.learned = learned->engine;
  const std::set<std::string> taken = LinksTaken(learned->engine, qualityCase.words, *page);
  row.learnedHits = static_cast<int>(taken.size());
  for (const std::string& link : taken) row.sharedHits += hand.count(link) ? 1 : 0;
  row.addressRebuilt = BuildRequestAddress(learned->engine, EncodeQuery(qualityCase.words, EntirePhrase)) ==
                       WithPlusForSpaces(qualityCase.address);
  return row;
}

QualityTotals TotalsOf(const std::vector<QualityRow>& rows) {
  QualityTotals totals;
  for (const QualityRow& row : rows) {
    totals.handHits += row.handHits;
    totals.learnedHits += row.learnedHits;
    totals.sharedHits += row.sharedHits;
  }
  return totals;
}

std::string FormatTable(const std::vector<QualityRow>& rows) {
  std::ostringstream out;
  char line[512];
  std::snprintf(line, sizeof line, "%-28s %8s %5s %7s %6s %7s %9s %7s %8s\n", "page", "bytes", "hand", "learned",
                "both", "recall", "precision", "address", "learn ms");
  out << line;
  for (const QualityRow& row : rows) {
    std::snprintf(line, sizeof line, "%-28s %8zu %5d %7d %6d %6.1f%% %8.1f%% %7s %8.2f\n", row.pageFile.c_str(),
                  row.pageBytes, row.handHits, row.learnedHits, row.sharedHits, 100 * row.Recall(),
                  100 * row.Precision(), row.addressRebuilt ? "same" : "DIFFERS", row.learnMilliseconds);
    out << line;
    if (!row.failure.empty()) out << "    not learned: " << row.failure << "\n";
  }
  const QualityTotals totals = TotalsOf(rows);
  std::snprintf(line, sizeof line, "%-28s %8s %5d %7d %6d %6.1f%% %8.1f%%\n", "overall", "", totals.handHits,
                totals.learnedHits, totals.sharedHits, 100 * totals.Recall(), 100 * totals.Precision());
  out << line;
  return out.str();
}

}  // namespace sorvane::quality

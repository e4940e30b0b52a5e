#include "core/marker_trials.h"

#include <algorithm>

#include "core/result_parser.h"

namespace sorvane {

namespace {

bool IsNameByte(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '-' || c == '_' ||
         c == ':';
}

void AddOnce(std::vector<std::string>& tokens, std::string token) {
  if (!token.empty() && std::find(tokens.begin(), tokens.end(), token) == tokens.end()) tokens.push_back(std::move(token));
}

// The closing tag that starts at `at` ("</h2>"), or nothing.
std::string ClosingTagAt(std::string_view page, std::size_t at) {
  std::size_t end = at + 2;
  while (end < page.size() && IsNameByte(page[end])) ++end;
  if (end == at + 2 || end >= page.size() || page[end] != '>') return {};
  return std::string(page.substr(at, end + 1 - at));
}

}  // namespace

std::vector<TrialHit> TryMarkers(std::string_view page, std::string_view words, const std::string& startToken,
                                 const std::string& endToken, const std::string& url) {
  SearchEngine engine;
  engine.name = "learn";
  engine.startToken = startToken;
  engine.endToken = endToken;
  engine.url = url;
  engine.prefix = "?";
  std::string copy(page);
  ResultsTable table;
  ParseResultPage(engine, words, copy, table, true);
  std::vector<TrialHit> hits;
  for (const SearchHit& hit : table.Snapshot()) {
    const auto letters = std::count_if(hit.description.begin(), hit.description.end(), [](char c) {
      return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    });
    hits.push_back({hit.url, letters >= 3});
  }
  return hits;
}

std::vector<std::string> EndTokenCandidates(std::string_view page, const SurveyedLink& link, std::size_t entryEnd,
                                            std::size_t limit) {
  std::vector<std::string> tokens;
  // The anchor's own closing tag, in the page's letter case.
  for (std::size_t at = page.find("</", link.tagEnd); at != std::string_view::npos && at < link.tagEnd + 4000;
       at = page.find("</", at + 2)) {
    if (at + 3 < page.size() && (page[at + 2] == 'a' || page[at + 2] == 'A') && page[at + 3] == '>') {
      AddOnce(tokens, std::string(page.substr(at, 4)));
      break;
    }
  }
  if (tokens.empty()) tokens.push_back("</a>");
  const std::size_t open = page.rfind('<', link.valueStart);
  if (open != std::string_view::npos) {
    std::size_t nameEnd = open + 1;
    while (nameEnd < page.size() && IsNameByte(page[nameEnd])) ++nameEnd;
    if (nameEnd > open + 1) AddOnce(tokens, "</" + std::string(page.substr(open + 1, nameEnd - open - 1)) + ">");
  }
  for (std::size_t at = page.find("</", link.textEnd); at != std::string_view::npos && at < entryEnd &&
                                                       tokens.size() < limit;
       at = page.find("</", at + 2)) {
    AddOnce(tokens, ClosingTagAt(page, at));
  }
  if (tokens.size() > limit) tokens.resize(limit);
  return tokens;
}

}  // namespace sorvane

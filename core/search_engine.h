#pragma once

#include <string>

namespace sorvane {

// How an engine pages its results; the values are stored in engines.dat.
enum SearchType : int {
  MultiplePages = 0,
  ResultCount = 1,
  StartIndex = 2,
  SinglePage = 3,
};

// Texts of the "Search Type" choices, indexed by SearchType.
inline constexpr const char* kSearchTypeTexts[] = {
    "Results are returned on multiple HTML pages",
    "Engine allow you so specify the number of results to return",
    "Specify the minimum result number to start returning",
    "All results are returned on the same page",
};

// One engine definition. Texts are byte strings, taken as they are.
struct SearchEngine {
  int valid = 1;
  std::string name;
  std::string url;
  std::string prefix;
  std::string suffix;
  std::string startToken;
  std::string endToken;
  int searchType = MultiplePages;
  std::string nextPageCommand;  // kept only for MultiplePages and SinglePage

  bool operator==(const SearchEngine&) const = default;
};

// A record can be searched only when these four texts are present; records that
// fail this are dropped when engines.dat is loaded.
inline bool HasRequiredFields(const SearchEngine& engine) {
  return !engine.name.empty() && !engine.startToken.empty() && !engine.endToken.empty() &&
         !engine.prefix.empty();
}

// engines.dat stores nextPageCommand only for these two types.
inline bool StoresNextPageCommand(int searchType) {
  return searchType == MultiplePages || searchType == SinglePage;
}

}  // namespace sorvane

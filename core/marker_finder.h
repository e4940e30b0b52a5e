#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace sorvane {

// Markers proposed for a result page: a start token ending four bytes into
// each result's link, the end token closing its title, and the url that
// completes the links (empty when they are absolute).
struct MarkerProposal {
  std::string startToken;
  std::string endToken;
  std::string url;
  int hits = 0;  // hits the real parser takes from the page with these markers
};

// Finds the markers of the result entries of `page`, a result page for
// `words` asked for at `pageAddress` (which gives the base of relative links).
// Result entries are told from navigation, advertising, pagination and footer
// links by their repeated markup, their titles and the words around them;
// every proposal is tried with the parser before it is offered. Nothing when
// no repeated entry holding the words is found, or when `stopRequested` says so.
// Thread rule: any thread; the page is only read.
std::optional<MarkerProposal> FindMarkers(std::string_view page, std::string_view words,
                                          std::string_view pageAddress,
                                          const std::function<bool()>& stopRequested = {});

}  // namespace sorvane

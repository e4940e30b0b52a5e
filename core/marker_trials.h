#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/link_survey.h"

namespace sorvane {

// What the parser takes from a page with proposed markers.
struct TrialHit {
  std::string url;          // completed as the parser completes it
  bool hasTitle = false;    // the description holds a few letters
};

// Runs the real parser over a copy of `page` with these markers.
std::vector<TrialHit> TryMarkers(std::string_view page, std::string_view words, const std::string& startToken,
                                 const std::string& endToken, const std::string& url);

// End tokens worth trying for links like `link`: the anchor's closing tag as the
// page spells it, the closing tag of the element the link sits in, then the
// closing tags met after the link's text up to `entryEnd` (as "</h2>" closing
// a product's title), at most `limit` in all, each once.
std::vector<std::string> EndTokenCandidates(std::string_view page, const SurveyedLink& link, std::size_t entryEnd,
                                            std::size_t limit);

}  // namespace sorvane

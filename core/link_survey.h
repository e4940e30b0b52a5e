#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/visible_text.h"

namespace sorvane {

// How a link on a result page reads, which decides the url an engine needs to
// complete it.
enum class LinkForm {
  Absolute,        // "http..." (kept as it is, or with an empty url)
  SchemeRelative,  // "//host/path": the page's scheme in front
  RootRelative,    // "/path": the page's origin in front
  Relative,        // "path", "?query": the page's folder in front
};

// One quoted attribute value that a start token could open: every href, and
// any other attribute that holds an absolute address (title="https://...").
struct SurveyedLink {
  std::size_t valueStart = 0;  // first byte of the link in the page
  std::size_t valueEnd = 0;    // its closing double quote
  std::size_t tagEnd = 0;      // just past the '>' closing the tag it sits in
  std::size_t textEnd = 0;     // where the element's own text ends
  LinkForm form = LinkForm::Absolute;
  int textLength = 0;          // visible bytes of the element's own text
  int entryLength = 0;         // visible bytes from the tag to the next link's tag
  bool wordsInText = false;    // a word of the search in the element's text
  bool wordsInEntry = false;   // ... or in what follows it up to the next link
  bool searchesAgain = false;  // the site's search itself: pagination, refinements
};

// Every link of the page, in page order, with what tells result entries from
// navigation, `text` being the page's text. `pageAddress` is where the page came from (for the site's search
// path); it may be empty.
std::vector<SurveyedLink> SurveyLinks(std::string_view page, const VisibleText& text,
                                      std::string_view pageAddress);

}  // namespace sorvane

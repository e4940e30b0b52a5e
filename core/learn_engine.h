#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/internet_session.h"
#include "core/learn_address.h"
#include "core/page_fetcher.h"
#include "core/search_engine.h"

namespace sorvane {

// A record learned from a search address (or template) and one result page.
struct LearnedEngine {
  SearchEngine engine;
  int hits = 0;  // hits the record takes from the page it was learned from
};

// Why learning gave nothing, in words for a person.
struct LearnFailure {
  std::string message;
};

// The address of the first result page for `words`, as a search with the
// phrase wording would ask for it.
std::string FirstPageAddress(const SearchAddressSplit& split, std::string_view words);

// Learns a whole record: the request fields from `split`, the markers from
// `page` (the first result page for `words`, already in UTF-8). The name is
// `name`, or the site's host when empty. On failure, `failure` says why.
// Thread rule: any thread; polls `stopRequested` between its steps.
std::optional<LearnedEngine> LearnEngine(const SearchAddressSplit& split, std::string_view page,
                                         std::string_view words, std::string_view name, LearnFailure& failure,
                                         const std::function<bool()>& stopRequested = {});

// Fetches one page as a search fetches it (GET, HTTP/1.0, agent "Sorvane",
// zero bytes dropped). Nothing when the address cannot be fetched at all (no
// session, not http or https, no server); otherwise whatever arrived.
// Thread rule: any thread; the control is called on it.
std::optional<std::string> FetchPageAt(const std::shared_ptr<const InternetSession>& session,
                                       std::string_view address, FetchControl& control);

}  // namespace sorvane

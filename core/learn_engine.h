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

// Find Markers for a record being edited: new markers from `page` (its first
// result page for `words`, in UTF-8), and, where the page's links need another
// base, the url and prefix split anew at the same place of the address. The
// other fields stay as they are. Nothing, with `failure` saying why, when no
// markers are found or the links need a base where the address does not begin.
std::optional<SearchEngine> RefindMarkers(const SearchEngine& record, std::string_view page, std::string_view words,
                                          LearnFailure& failure, const std::function<bool()>& stopRequested = {});

// Learns a record from what a person has: a search address in which `words`
// appear, an OpenSearch description's file, or its http or https address.
// Fetches what is needed (reporting 20 once the description is read, 60 once
// the page is in), converts the page to UTF-8 and learns. The name is the
// description's ShortName or the site's host. Stops when `control` says so.
// Thread rule: any thread; the control is called on it.
std::optional<LearnedEngine> LearnFromSource(std::string_view source, std::string_view words,
                                             const std::shared_ptr<const InternetSession>& session,
                                             FetchControl& control, LearnFailure& failure);

// Fetches one page as a search fetches it (GET, HTTP/1.0, agent "Sorvane",
// zero bytes dropped). Nothing when the address cannot be fetched at all (no
// session, not http or https, no server); otherwise whatever arrived.
// Thread rule: any thread; the control is called on it.
std::optional<std::string> FetchPageAt(const std::shared_ptr<const InternetSession>& session,
                                       std::string_view address, FetchControl& control);

}  // namespace sorvane

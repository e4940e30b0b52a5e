#include "core/learn_engine.h"

#include "core/address_split.h"
#include "core/engine_search.h"
#include "core/marker_finder.h"
#include "core/query_address.h"

namespace sorvane {

std::string FirstPageAddress(const SearchAddressSplit& split, std::string_view words) {
  SearchEngine engine;
  engine.prefix = split.beforePattern;
  engine.suffix = split.afterPattern;
  engine.searchType = split.searchType;
  return BuildRequestAddress(engine, EncodeQuery(words, EntirePhrase));
}

std::optional<LearnedEngine> LearnEngine(const SearchAddressSplit& split, std::string_view page,
                                         std::string_view words, std::string_view name, LearnFailure& failure,
                                         const std::function<bool()>& stopRequested) {
  if (page.empty()) {
    failure.message = "the result page is empty";
    return std::nullopt;
  }
  const std::string address = FirstPageAddress(split, words);
  const std::optional<MarkerProposal> markers = FindMarkers(page, words, address, stopRequested);
  if (stopRequested && stopRequested()) {
    failure.message = "stopped";
    return std::nullopt;
  }
  if (!markers) {
    failure.message = "no repeated result entries holding the words were found on the page";
    return std::nullopt;
  }
  LearnedEngine learned;
  learned.engine.name = name.empty() ? split.host : std::string(name);
  learned.engine.startToken = markers->startToken;
  learned.engine.endToken = markers->endToken;
  if (!ApplyAddressSplit(split, markers->url, learned.engine)) {
    failure.message = "the result links need the base " + markers->url + ", where the search address does not begin";
    return std::nullopt;
  }
  learned.engine.valid = HasRequiredFields(learned.engine) ? 1 : 0;
  learned.hits = markers->hits;
  return learned;
}

std::optional<std::string> FetchPageAt(const std::shared_ptr<const InternetSession>& session,
                                       std::string_view address, FetchControl& control) {
  if (!session) return std::nullopt;
  AddressParts parts = SplitAddress(address);
  if (!parts.ok) parts = SplitAddress("http://" + std::string(address));
  if (!IsFetchableAddress(parts)) return std::nullopt;
  std::unique_ptr<HttpConnection> connection = OpenConnection(session, parts);
  if (!connection) return std::nullopt;
  std::string page;
  FetchPage(*connection, parts.object, page, control);
  return page;
}

}  // namespace sorvane

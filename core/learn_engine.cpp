#include "core/learn_engine.h"

#include "core/address_split.h"
#include "core/engine_search.h"
#include "core/marker_finder.h"
#include "core/opensearch_description.h"
#include "core/page_charset.h"
#include "platform/file_io.h"
#include "core/query_address.h"

namespace sorvane {

namespace {

// A record's address is its url, then a prefix that may not be empty, then the
// words; when the links' base is all of the address before the words, no record
// can hold both, and one without a prefix would be dropped from engines.dat.
std::string NoRoomBeforeTheWords(const std::string& base) {
  return "the result links need the base " + base +
         ", which is all of the address before the words, and an engine record needs some of the address after "
         "its base";
}

// The markers of `page`, or nothing with the reason in `failure`.
std::optional<MarkerProposal> FindMarkersOrSayWhy(std::string_view page, std::string_view words,
                                                  std::string_view address, LearnFailure& failure,
                                                  const std::function<bool()>& stopRequested) {
  std::optional<MarkerProposal> markers = FindMarkers(page, words, address, stopRequested);
  if (stopRequested && stopRequested()) {
    failure.message = "stopped";
    return std::nullopt;
  }
  if (!markers) failure.message = "no repeated result entries holding the words were found on the page";
  return markers;
}

}  // namespace

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
  const std::optional<MarkerProposal> markers = FindMarkersOrSayWhy(page, words, address, failure, stopRequested);
  if (!markers) return std::nullopt;
  LearnedEngine learned;
  learned.engine.name = name.empty() ? split.host : std::string(name);
  learned.engine.startToken = markers->startToken;
  learned.engine.endToken = markers->endToken;
  if (!ApplyAddressSplit(split, markers->url, learned.engine)) {
    failure.message = "the result links need the base " + markers->url + ", where the search address does not begin";
    return std::nullopt;
  }
  if (learned.engine.prefix.empty()) {
    failure.message = NoRoomBeforeTheWords(markers->url);
    return std::nullopt;
  }
  learned.engine.valid = HasRequiredFields(learned.engine) ? 1 : 0;
  learned.hits = markers->hits;
  return learned;
}

std::optional<SearchEngine> RefindMarkers(const SearchEngine& record, std::string_view page, std::string_view words,
                                          LearnFailure& failure, const std::function<bool()>& stopRequested) {
  const std::string address = BuildRequestAddress(record, EncodeQuery(words, EntirePhrase));
  const std::optional<MarkerProposal> markers = FindMarkersOrSayWhy(page, words, address, failure, stopRequested);
  if (!markers) return std::nullopt;
  SearchEngine repaired = record;
  repaired.startToken = markers->startToken;
  repaired.endToken = markers->endToken;
  if (markers->url != record.url) {
    // url and prefix together begin every request; only where they part moves.
    const std::string joined = record.url + record.prefix;
    if (markers->url.find('%') != std::string::npos || !joined.starts_with(markers->url)) {
      failure.message = "the result links need the base " + markers->url + ", where the address does not begin";
      return std::nullopt;
    }
    repaired.url = markers->url;
    repaired.prefix = joined.substr(markers->url.size());
    if (repaired.prefix.empty()) {
      failure.message = NoRoomBeforeTheWords(markers->url);
      return std::nullopt;
    }
  }
  return repaired;
}

std::optional<LearnedEngine> LearnFromSource(std::string_view source, std::string_view words,
                                             const std::shared_ptr<const InternetSession>& session,
                                             FetchControl& control, LearnFailure& failure) {
  const bool web = source.starts_with("http://") || source.starts_with("https://");
  std::optional<SearchAddressSplit> split = web ? SplitSearchAddress(source, words) : std::nullopt;
  std::string name;
  if (!split) {
    // Not an address holding the words: an OpenSearch description, here or there.
    std::optional<std::string> xml = web ? FetchPageAt(session, source, control) : ReadWholeFile(std::string(source));
    if (control.StopRequested()) {
      failure.message = "stopped";
      return std::nullopt;
    }
    if (!xml) {
      failure.message = web ? "cannot fetch " + std::string(source) : "cannot read " + std::string(source);
      return std::nullopt;
    }
    std::string error;
    const std::optional<OpenSearchDescription> description = ReadOpenSearchDescription(*xml, error);
    if (!description) {
      failure.message = web ? "the words are not in the address, and it is no OpenSearch description (" + error + ")"
                            : error;
      return std::nullopt;
    }
    split = SplitOpenSearchTemplate(description->htmlTemplate);
    if (!split) {
      failure.message = "the description's address template " + description->htmlTemplate + " cannot be used";
      return std::nullopt;
    }
    name = description->shortName;
    control.ReportProgress(20);
  }
  const std::string address = FirstPageAddress(*split, words);
  std::optional<std::string> page = FetchPageAt(session, address, control);
  if (control.StopRequested()) {
    failure.message = "stopped";
    return std::nullopt;
  }
  if (!page || page->empty()) {
    failure.message = "cannot fetch the result page " + address;
    return std::nullopt;
  }
  control.ReportProgress(60);
  std::string converted = ConvertPageToUtf8(*page, "");
  std::erase(converted, '\0');
  return LearnEngine(*split, converted, words, name, failure, [&] { return control.StopRequested(); });
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

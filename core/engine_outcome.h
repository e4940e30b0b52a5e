#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace sorvane {

// How one engine's part of a search ended. When several apply, the first in
// this order is the one told: it is the one a person can act on.
enum class OutcomeWord {
  InvalidAddress,   // the first-page address could not be split or fetched
  Hits,             // at least one hit taken
  AllKnown,         // hits found, every one a link already in the table
  Stopped,          // ended by Stop, or given up after it
  NoConnection,     // name not resolved, refused, TLS or proxy failure
  TimedOut,         // the connect or the idle timeout ended the fetch
  Refused,          // the last page's status was 401, 403, 407 or 429
  HttpError,        // any other status of 400 or more
  EmptyPage,        // the last page had no bytes
  NoHits,           // the start token is on the page, yet no hit was taken
  MarkersNotFound,  // the start token is not on the first page
};

// What kept a fetch from its page, as far as the HTTP library could tell.
enum class FetchTrouble { None, NoConnection, TimedOut, Other };

// The record a slot ends with: kept by the run, shown by the status window, the
// Search Report window and the CLI. Plain values, copied freely.
struct EngineOutcome {
  OutcomeWord word = OutcomeWord::Stopped;
  int status = 0;          // the last page's HTTP status, 0 when none
  long long bytes = 0;     // body bytes received, every page
  int pages = 0;           // pages fetched (or given)
  int hits = 0;            // hits taken into the table
  int known = 0;           // links skipped as already in the table
  long long milliseconds = 0;  // from the slot's start to its end
  std::string address;     // the last address fetched, after redirects
  std::string detail;      // the library's error text, or what the site said

  bool operator==(const EngineOutcome&) const = default;
};

// Everything a slot saw on its way, from which its outcome follows.
struct OutcomeFacts {
  bool invalidAddress = false;
  bool stopped = false;
  FetchTrouble trouble = FetchTrouble::None;  // of the last fetch
  std::string troubleText;                    // the library's words for it
  int status = 0;
  long long bytes = 0;
  long long lastPageBytes = 0;
  int pages = 0;
  int hits = 0;
  int known = 0;
  bool startTokenOnFirstPage = false;
  std::string address;
  std::string siteText;  // what an error page says (PageTextExcerpt), when its status is 400 or more
};

// The outcome the facts add up to, taking `milliseconds` as the slot's time.
EngineOutcome DecideOutcome(const OutcomeFacts& facts, long long milliseconds);

// The machine word: "hits", "all-known", "timed-out", ...
std::string_view OutcomeWordText(OutcomeWord word);

// One engine's name with how its part of a search ended.
struct NamedOutcome {
  std::string engine;
  EngineOutcome outcome;
};

// The status bar's words after a web search: "Sorvane found %d hits from %d of
// %d engines.", the hits being the table's rows and the engines those that
// took hits, of all the search ran.
std::string SearchSummaryText(int rows, const std::vector<NamedOutcome>& outcomes);

// What the status window's Result column and the Search Report say:
// "3 hits", "Timed out", "Refused by the site (HTTP 403)", ...
std::string OutcomeResultText(const EngineOutcome& outcome);

// The first `maxCharacters` characters of a page's text as a person reads it:
// scripts, styles and tags dropped, every run of white space one space. Cut
// between UTF-8 sequences, never inside one.
std::string PageTextExcerpt(std::string_view page, std::size_t maxCharacters = 120);

// One line of `doctor` and `search --report`, tab-separated: engine, word,
// status, bytes, pages, hits, known, milliseconds, detail (tabs and line ends
// in the detail become spaces).
std::string OutcomeLine(std::string_view engineName, const EngineOutcome& outcome);

}  // namespace sorvane

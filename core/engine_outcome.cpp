#include "core/engine_outcome.h"

#include <algorithm>
#include <cctype>

namespace sorvane {

namespace {

bool IsRefusal(int status) { return status == 401 || status == 403 || status == 407 || status == 429; }

bool StartsWithIgnoringCase(std::string_view text, std::size_t at, std::string_view prefix) {
  if (text.size() - at < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(text[at + i])) != prefix[i]) return false;
  }
  return true;
}

// Where the element that opens at `at` ends, when it is one whose content is
// not text a person reads (a script or a style sheet); npos otherwise.
std::size_t SkipInvisibleElement(std::string_view page, std::size_t at) {
  for (std::string_view name : {"script", "style"}) {
    if (!StartsWithIgnoringCase(page, at + 1, name)) continue;
    const std::string closing = "</" + std::string(name);
    for (std::size_t pos = page.find('<', at + 1); pos != std::string_view::npos; pos = page.find('<', pos + 1)) {
      if (StartsWithIgnoringCase(page, pos, closing)) {
        const std::size_t end = page.find('>', pos);
        return end == std::string_view::npos ? page.size() : end + 1;
      }
    }
    return page.size();
  }
  return std::string_view::npos;
}

bool IsUtf8Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

EngineOutcome DecideOutcome(const OutcomeFacts& facts, long long milliseconds) {
  EngineOutcome outcome;
  outcome.status = facts.status;
  outcome.bytes = facts.bytes;
  outcome.pages = facts.pages;
  outcome.hits = facts.hits;
  outcome.known = facts.known;
  outcome.milliseconds = milliseconds;
  outcome.address = facts.address;
  if (facts.invalidAddress) {
    outcome.word = OutcomeWord::InvalidAddress;
  } else if (facts.hits > 0) {
    outcome.word = OutcomeWord::Hits;
  } else if (facts.known > 0) {
    outcome.word = OutcomeWord::AllKnown;
  } else if (facts.stopped) {
    outcome.word = OutcomeWord::Stopped;
  } else if (facts.trouble == FetchTrouble::NoConnection) {
    outcome.word = OutcomeWord::NoConnection;
    outcome.detail = facts.troubleText;
  } else if (facts.trouble == FetchTrouble::TimedOut) {
    outcome.word = OutcomeWord::TimedOut;
  } else if (facts.status >= 400) {
    outcome.word = IsRefusal(facts.status) ? OutcomeWord::Refused : OutcomeWord::HttpError;
    outcome.detail = facts.siteText;
  } else if (facts.pages > 0 && facts.lastPageBytes == 0) {
    outcome.word = OutcomeWord::EmptyPage;
  } else if (facts.startTokenOnFirstPage) {
    outcome.word = OutcomeWord::NoHits;
  } else {
    outcome.word = OutcomeWord::MarkersNotFound;
  }
  return outcome;
}

std::string_view OutcomeWordText(OutcomeWord word) {
  switch (word) {
    case OutcomeWord::InvalidAddress: return "invalid-address";
    case OutcomeWord::Hits: return "hits";
    case OutcomeWord::AllKnown: return "all-known";
    case OutcomeWord::Stopped: return "stopped";
    case OutcomeWord::NoConnection: return "no-connection";
    case OutcomeWord::TimedOut: return "timed-out";
    case OutcomeWord::Refused: return "refused";
    case OutcomeWord::HttpError: return "http-error";
    case OutcomeWord::EmptyPage: return "empty-page";
    case OutcomeWord::NoHits: return "no-hits";
    case OutcomeWord::MarkersNotFound: return "markers-not-found";
  }
  return "stopped";
}

std::string OutcomeResultText(const EngineOutcome& outcome) {
  switch (outcome.word) {
    case OutcomeWord::InvalidAddress: return "Invalid URL";
    case OutcomeWord::Hits:
      return outcome.hits == 1 ? std::string("1 hit") : std::to_string(outcome.hits) + " hits";
    case OutcomeWord::AllKnown: return "No new hits: all found by other engines";
    case OutcomeWord::Stopped: return "Stopped";
    case OutcomeWord::NoConnection: return "Could not connect: " + outcome.detail;
    case OutcomeWord::TimedOut: return "Timed out";
    case OutcomeWord::Refused: return "Refused by the site (HTTP " + std::to_string(outcome.status) + ")";
    case OutcomeWord::HttpError: return "Site error (HTTP " + std::to_string(outcome.status) + ")";
    case OutcomeWord::EmptyPage: return "Empty page";
    case OutcomeWord::NoHits: return "No hits: the end marker or the link was not found";
    case OutcomeWord::MarkersNotFound: return "No hits: the start marker is not on the page";
  }
  return "Stopped";
}

std::string SearchSummaryText(int rows, const std::vector<NamedOutcome>& outcomes) {
  const auto answering = std::count_if(outcomes.begin(), outcomes.end(), [](const NamedOutcome& named) {
    return named.outcome.word == OutcomeWord::Hits;
  });
  return "Sorvane found " + std::to_string(rows) + " hits from " + std::to_string(answering) + " of " +
         std::to_string(outcomes.size()) + " engines.";
}

std::string PageTextExcerpt(std::string_view page, std::size_t maxCharacters) {
  std::string text;
  std::size_t characters = 0;
  bool pendingSpace = false;
  for (std::size_t at = 0; at < page.size();) {
    const char c = page[at];
    if (c == '<') {
      const std::size_t skipped = SkipInvisibleElement(page, at);
      const std::size_t close = page.find('>', at);
      // An unclosed "<" is text, as the page's own reader would show it.
      if (skipped == std::string_view::npos && close == std::string_view::npos) {
        // falls through to the character below
      } else {
        at = skipped != std::string_view::npos ? skipped : close + 1;
        pendingSpace = true;
        continue;
      }
    }
    if (static_cast<unsigned char>(c) <= ' ' || c == 127) {
      pendingSpace = true;
      ++at;
      continue;
    }
    if (!IsUtf8Continuation(c)) {
      if (pendingSpace && !text.empty()) {
        // A space is kept only with a character after it.
        if (characters + 1 >= maxCharacters) break;
        text += ' ';
        ++characters;
      }
      pendingSpace = false;
      if (characters == maxCharacters) break;
      ++characters;
    }
    text += c;
    ++at;
  }
  return text;
}

std::string OutcomeLine(std::string_view engineName, const EngineOutcome& outcome) {
  std::string detail = outcome.detail;
  std::replace_if(detail.begin(), detail.end(), [](char c) { return c == '\t' || c == '\n' || c == '\r'; }, ' ');
  std::string line(engineName);
  for (const std::string& field :
       {std::string(OutcomeWordText(outcome.word)), std::to_string(outcome.status), std::to_string(outcome.bytes),
        std::to_string(outcome.pages), std::to_string(outcome.hits), std::to_string(outcome.known),
        std::to_string(outcome.milliseconds), detail}) {
    line += '\t';
    line += field;
  }
  return line;
}

}  // namespace sorvane

#include "core/link_survey.h"

#include "core/learn_address.h"
#include "core/text_util.h"

namespace sorvane {

namespace {

// How far the survey reads for an element's text and for an entry's text; a
// result's title and snippet fit, a page's whole body does not.
constexpr std::size_t kTextWindow = 1000;
constexpr std::size_t kEntryWindow = 1500;
constexpr std::size_t kTagWindow = 2000;

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

bool IsWordByte(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
         static_cast<unsigned char>(c) >= 0x80;
}

bool IsNameByte(char c) { return IsWordByte(c) || c == '-' || c == '_' || c == ':'; }

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

// The end of an anchor's text: its closing tag, whatever the letter case.
std::size_t ElementTextEnd(std::string_view page, std::size_t from) {
  const std::size_t limit = std::min(page.size(), from + kTextWindow);
  for (std::size_t at = page.find("</", from); at != std::string_view::npos && at + 2 < limit;
       at = page.find("</", at + 2)) {
    if (LowerAscii(page[at + 2]) == 'a' && (at + 3 >= page.size() || !IsNameByte(page[at + 3]))) return at;
  }
  return limit;
}

LinkForm FormOf(std::string_view link) {
  if (link.starts_with("//")) return LinkForm::SchemeRelative;
  if (link.starts_with("/")) return LinkForm::RootRelative;
  if (link.size() >= 4 && EqualsIgnoringAsciiCase(link.substr(0, 4), "http")) return LinkForm::Absolute;
  return LinkForm::Relative;
}

// Links that lead nowhere a result could: anchors within the page, scripts,
// mail and telephone links.
bool IsUnusableLink(std::string_view link) {
  if (link.empty() || link.front() == '#') return true;
  const std::string start = ToUpperAscii(link.substr(0, 11));
  return start.starts_with("JAVASCRIPT:") || start.starts_with("MAILTO:") || start.starts_with("TEL:") ||
         start.starts_with("DATA:");
}

struct SearchPlace {
  std::string host;        // lower case
  std::string path;        // "/search"
  std::string firstWord;   // "=" + the first word, lower case
  std::string wordsName;   // the parameter holding the words, "search=", lower case
};

SearchPlace SearchPlaceOf(std::string_view address, const std::vector<std::string>& words) {
  SearchPlace place;
  if (!words.empty()) place.firstWord = "=" + words.front();
  const std::size_t scheme = address.find("://");
  if (scheme == std::string_view::npos) return place;
  const std::size_t object = address.find_first_of("/?", scheme + 3);
  std::string_view rest = object == std::string_view::npos ? std::string_view() : address.substr(object);
  place.host = std::string(address.substr(scheme + 3, object == std::string_view::npos ? std::string_view::npos
                                                                                      : object - scheme - 3));
  for (char& c : place.host) c = LowerAscii(c);
  place.path = std::string(rest.substr(0, rest.find('?')));
  std::string lower(rest);
  for (char& c : lower) c = LowerAscii(c);
  const std::size_t value = place.firstWord.empty() ? std::string::npos : lower.find(place.firstWord);
  if (value != std::string::npos) {
    const std::size_t nameStart = lower.find_last_of("?&;", value);
    if (nameStart != std::string::npos) place.wordsName = lower.substr(nameStart + 1, value - nameStart);
  }
  return place;
}

// Pagination, refinements and related searches ask the site's search again:
// they carry the parameter that holds the words (the site's own script may
// serve results too, as "index.php?title=..."), or, where the words sit in the
// path, the words themselves or the search's path with a query.
bool SearchesAgain(std::string_view link, LinkForm form, const SearchPlace& place) {
  std::string lower(link);
  for (char& c : lower) c = LowerAscii(c);
  if (!place.wordsName.empty()) {
    for (const std::string separator : {"?", "&", ";", "&amp;"}) {
      if (lower.find(separator + place.wordsName) != std::string::npos) return true;
    }
    return false;
  }
  if (!place.firstWord.empty() && lower.find(place.firstWord.substr(1)) != std::string::npos &&
      lower.find(place.path) != std::string::npos) {
    return true;
  }
  if (place.path.empty()) return false;
  switch (form) {
    case LinkForm::Relative:
      return lower.starts_with("?");
    case LinkForm::RootRelative:
      return lower.starts_with(place.path + "?");
    default:
      return !place.host.empty() && lower.find("//" + place.host + place.path + "?") != std::string::npos;
  }
}

}  // namespace

std::vector<SurveyedLink> SurveyLinks(std::string_view page, const VisibleText& text, std::string_view pageAddress) {
  const SearchPlace place = SearchPlaceOf(pageAddress, text.words());
  std::vector<SurveyedLink> links;

  for (std::size_t quote = page.find("=\""); quote != std::string_view::npos; quote = page.find("=\"", quote + 1)) {
    std::size_t nameStart = quote;
    while (nameStart > 0 && IsNameByte(page[nameStart - 1])) --nameStart;
    if (nameStart == quote || nameStart == 0 || !IsSpace(page[nameStart - 1])) continue;
    const std::string_view name = page.substr(nameStart, quote - nameStart);
    const std::size_t valueStart = quote + 2;
    const std::size_t valueEnd = page.find('"', valueStart);
    if (valueEnd == std::string_view::npos) break;
    const std::string_view link = page.substr(valueStart, valueEnd - valueStart);
    quote = valueEnd;
    const bool isHref = EqualsIgnoringAsciiCase(name, "href");
    const LinkForm form = FormOf(link);
    // Besides href, only attributes that name where an entry leads (a title
    // holding the address, data-url and the like); never an image or a script.
    if (!isHref && !EqualsIgnoringAsciiCase(name, "title") &&
        !(name.size() > 5 && EqualsIgnoringAsciiCase(name.substr(0, 5), "data-"))) {
      continue;
    }
    if (!isHref && (form != LinkForm::Absolute || link.find("://") == std::string_view::npos)) continue;
    // The parser ends a page when a quote is the second byte after the start
    // token, which ends four bytes into the link: shorter links cannot be hits.
    if (link.size() < 6 || IsUnusableLink(link)) continue;

    SurveyedLink surveyed;
    surveyed.valueStart = valueStart;
    surveyed.valueEnd = valueEnd;
    const std::size_t close = page.find('>', valueEnd);
    surveyed.tagEnd = close == std::string_view::npos || close - valueEnd > kTagWindow ? valueEnd + 1 : close + 1;
    surveyed.form = form;
    surveyed.searchesAgain = SearchesAgain(link, form, place);
    links.push_back(surveyed);
  }

  std::size_t next = 0;
  for (std::size_t i = 0; i < links.size(); ++i) {
    SurveyedLink& link = links[i];
    link.textEnd = ElementTextEnd(page, link.tagEnd);
    link.textLength = text.VisibleBytes(link.tagEnd, link.textEnd);
    link.wordsInText = text.HasWords(link.tagEnd, link.textEnd);
    // The entry runs to the tag of the next link that is not in this same tag.
    next = std::max(next, i + 1);
    while (next < links.size() && links[next].valueStart < link.tagEnd) ++next;
    std::size_t entryEnd = next < links.size() ? links[next].valueStart : page.size();
    if (next < links.size()) {
      const std::size_t tagOpen = page.rfind('<', entryEnd);
      if (tagOpen != std::string_view::npos && tagOpen >= link.tagEnd) entryEnd = tagOpen;
    }
    entryEnd = std::min(entryEnd, link.tagEnd + kEntryWindow);
    link.entryLength = text.VisibleBytes(link.tagEnd, entryEnd);
    link.wordsInEntry = link.wordsInText || text.HasWords(link.tagEnd, entryEnd);
  }
  return links;
}

}  // namespace sorvane

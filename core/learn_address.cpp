#include "core/learn_address.h"

#include <array>
#include <vector>

#include "core/address_split.h"
#include "core/text_util.h"

namespace sorvane {

namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The byte a "%XX" at `at` stands for, or -1.
int PercentByte(std::string_view text, std::size_t at) {
  if (at + 2 >= text.size() || text[at] != '%') return -1;
  const int high = HexValue(text[at + 1]);
  const int low = HexValue(text[at + 2]);
  return high < 0 || low < 0 ? -1 : high * 16 + low;
}

bool SameLetter(char a, char b) { return ToUpperAscii(a) == ToUpperAscii(b); }

// The words with their runs of white space made single spaces, ends trimmed.
std::string NormaliseWords(std::string_view words) {
  std::string result;
  bool pendingSpace = false;
  for (char c : words) {
    if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
      pendingSpace = !result.empty();
      continue;
    }
    if (pendingSpace) result += ' ';
    pendingSpace = false;
    result += c;
  }
  return result;
}

// Where the words end when they start at `start` of the address, or npos.
std::size_t MatchWordsAt(std::string_view address, std::size_t start, std::string_view words) {
  std::size_t at = start;
  for (char wanted : words) {
    if (at >= address.size()) return std::string_view::npos;
    if (wanted == ' ') {
      if (address[at] == '+' || address[at] == ' ') {
        ++at;
        continue;
      }
      if (PercentByte(address, at) == ' ') {
        at += 3;
        continue;
      }
      return std::string_view::npos;
    }
    if (address[at] != '%' && SameLetter(address[at], wanted)) {
      ++at;
      continue;
    }
    const int decoded = PercentByte(address, at);
    if (decoded >= 0 && SameLetter(static_cast<char>(decoded), wanted)) {
      at += 3;
      continue;
    }
    return std::string_view::npos;
  }
  return at;
}

bool EndsAParameter(std::string_view address, std::size_t at) {
  return at >= address.size() || address[at] == '&' || address[at] == ';' || address[at] == '/';
}

struct WordsSpan {
  std::size_t start = std::string_view::npos;
  std::size_t end = std::string_view::npos;
};

// The words as a parameter's value first ("q=wooden+boats"), then as a path
// piece ("/search/wooden%20boats"), then anywhere after the server.
WordsSpan FindWords(std::string_view address, std::size_t objectStart, std::string_view words) {
  for (int pass = 0; pass < 3; ++pass) {
    for (std::size_t start = objectStart; start < address.size(); ++start) {
      const char before = address[start - 1];
      if (pass == 0 && before != '=') continue;
      if (pass == 1 && before != '/') continue;
      const std::size_t end = MatchWordsAt(address, start, words);
      if (end == std::string_view::npos) continue;
      if (pass < 2 && !EndsAParameter(address, end)) continue;
      return {start, end};
    }
  }
  return {};
}

// Parameter names that count results to skip; their number becomes the offset.
constexpr std::array<std::string_view, 13> kOffsetNames = {
    "start", "offset", "first", "s", "b", "from", "skip", "startindex", "start_index", "startat", "pos",
    "o", "begin"};
// Names that hold a count or a page number, never an offset.
constexpr std::array<std::string_view, 12> kCountNames = {
    "limit", "count", "num", "n", "size", "rows", "per_page", "perpage", "page", "p", "pagesize", "results"};

bool NameIn(std::string_view name, auto& names) {
  for (std::string_view known : names) {
    if (EqualsIgnoringAsciiCase(name, known)) return true;
  }
  return false;
}

bool AllDigits(std::string_view text) {
  if (text.empty() || text.size() > 9) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

struct ValueSpan {
  std::size_t start = std::string_view::npos;
  std::size_t end = std::string_view::npos;
};

// The value of the offset parameter in the query of `address` (outside the
// words' span): a known offset name first; failing that, a number that is a
// whole multiple of ten under a name that is no count or page, as "&r=20".
ValueSpan FindOffsetValue(std::string_view address, const WordsSpan& words) {
  const std::size_t query = address.find('?');
  if (query == std::string_view::npos) return {};
  ValueSpan byName;
  ValueSpan byValue;
  std::size_t at = query + 1;
  while (at <= address.size()) {
    std::size_t end = address.find_first_of("&;", at);
    if (end == std::string_view::npos) end = address.size();
    const std::string_view parameter = address.substr(at, end - at);
    const std::size_t equals = parameter.find('=');
    const bool holdsWords = at <= words.start && words.start <= end;
    if (equals != std::string_view::npos && !holdsWords) {
      const std::string_view name = parameter.substr(0, equals);
      const std::string_view value = parameter.substr(equals + 1);
      if (AllDigits(value)) {
        const ValueSpan span{at + equals + 1, end};
        if (NameIn(name, kOffsetNames) && byName.start == std::string_view::npos) byName = span;
        const long number = std::stol(std::string(value));
        if (!NameIn(name, kCountNames) && number > 0 && number % 10 == 0 && number <= 1000 &&
            byValue.start == std::string_view::npos) {
          byValue = span;
        }
      }
    }
    at = end + 1;
  }
  return byName.start != std::string_view::npos ? byName : byValue;
}

std::string HostName(std::string_view server) {
  std::string host(server);
  if (host.size() > 4 && EqualsIgnoringAsciiCase(std::string_view(host).substr(0, 4), "www.")) host.erase(0, 4);
  return host;
}

// `text` as a pattern, with the bytes of [offsetStart, offsetEnd) replaced by "%d".
std::string PatternWithOffset(std::string_view text, std::size_t offsetStart, std::size_t offsetEnd) {
  if (offsetStart >= text.size() || offsetEnd > text.size()) return EscapePattern(text);
  return EscapePattern(text.substr(0, offsetStart)) + "%d" + EscapePattern(text.substr(offsetEnd));
}

std::size_t ObjectStart(std::string_view address) {
  const std::size_t scheme = address.find("://");
  if (scheme == std::string_view::npos) return std::string_view::npos;
  const std::size_t object = address.find_first_of("/?", scheme + 3);
  return object == std::string_view::npos ? address.size() : object;
}

}  // namespace

std::string EscapePattern(std::string_view literal) {
  std::string pattern;
  pattern.reserve(literal.size());
  for (char c : literal) {
    pattern += c;
    if (c == '%') pattern += '%';
  }
  return pattern;
}

std::optional<SearchAddressSplit> SplitSearchAddress(std::string_view rawAddress, std::string_view rawWords) {
  const std::string words = NormaliseWords(rawWords);
  if (words.empty()) return std::nullopt;
  // The fragment never reaches the server; a browser's copy may carry one.
  std::string address(rawAddress.substr(0, rawAddress.find('#')));
  while (!address.empty() && (address.back() == ' ' || address.back() == '\n' || address.back() == '\r')) {
    address.pop_back();
  }
  AddressParts parts = SplitAddress(address);
  if (!parts.ok) {
    address.insert(0, "http://");
    parts = SplitAddress(address);
  }
  if (!parts.ok || parts.server.empty()) return std::nullopt;
  const std::size_t objectStart = ObjectStart(address);
  if (objectStart == std::string_view::npos || objectStart >= address.size()) return std::nullopt;

  const WordsSpan span = FindWords(address, objectStart + 1, words);
  if (span.start == std::string_view::npos) return std::nullopt;
  const ValueSpan offset = FindOffsetValue(address, span);

  SearchAddressSplit split;
  split.literalBefore = address.substr(0, span.start);
  split.host = HostName(parts.server);
  const std::string_view whole = address;
  if (offset.start != std::string_view::npos) split.searchType = StartIndex;
  if (offset.start != std::string_view::npos && offset.start < span.start) {
    split.beforePattern = PatternWithOffset(whole.substr(0, span.start), offset.start, offset.end);
    split.afterPattern = EscapePattern(whole.substr(span.end));
  } else if (offset.start != std::string_view::npos) {
    split.beforePattern = EscapePattern(whole.substr(0, span.start));
    split.afterPattern = PatternWithOffset(whole.substr(span.end), offset.start - span.end, offset.end - span.end);
  } else {
    split.beforePattern = EscapePattern(whole.substr(0, span.start));
    split.afterPattern = EscapePattern(whole.substr(span.end));
  }
  return split;
}

bool ApplyAddressSplit(const SearchAddressSplit& split, std::string_view url, SearchEngine& engine) {
  // The url completes links as it stands and starts requests as a pattern; a
  // "%" would read differently in the two, so such a base is refused.
  if (url.find('%') != std::string_view::npos) return false;
  if (!std::string_view(split.literalBefore).starts_with(url)) return false;
  if (!std::string_view(split.beforePattern).starts_with(url)) return false;
  engine.url = std::string(url);
  engine.prefix = split.beforePattern.substr(url.size());
  engine.suffix = split.afterPattern;
  engine.searchType = split.searchType;
  engine.nextPageCommand.clear();
  return true;
}

std::optional<AddressBases> BasesOfAddress(std::string_view address) {
  const std::size_t colon = address.find("://");
  if (colon == std::string_view::npos || colon == 0) return std::nullopt;
  const std::size_t objectStart = ObjectStart(address);
  if (objectStart == colon + 3) return std::nullopt;
  AddressBases bases;
  bases.scheme = std::string(address.substr(0, colon + 1));
  bases.origin = std::string(address.substr(0, objectStart));
  const std::size_t query = address.find('?', objectStart);
  const std::string_view path = address.substr(0, query);
  const std::size_t lastSlash = path.rfind('/');
  bases.folder = lastSlash != std::string_view::npos && lastSlash >= objectStart
                     ? std::string(path.substr(0, lastSlash + 1))
                     : bases.origin;
  return bases;
}

// OpenSearch templates -------------------------------------------------------

namespace {

constexpr char kWordsMark = '\x01';
constexpr char kOffsetMark = '\x02';
constexpr char kDropMark = '\x03';

// The value a template parameter takes: the words and the offset become marks;
// known parameters take the defaults of the format; any other optional one is
// dropped with its name, any other required one is left empty.
std::string ParameterValue(std::string_view name, bool optional, bool& isOffset) {
  const std::size_t colon = name.find(':');
  const std::string_view local = colon == std::string_view::npos ? name : name.substr(colon + 1);
  const bool namespaced = colon != std::string_view::npos;
  if (!namespaced && local == "searchTerms") return std::string(1, kWordsMark);
  if (!namespaced && local == "startIndex") {
    isOffset = true;
    return std::string(1, kOffsetMark);
  }
  if (!namespaced && local == "startPage") return "1";
  if (optional) return std::string(1, kDropMark);
  if (!namespaced && local == "count") return "10";
  if (!namespaced && local == "language") return "*";
  if (!namespaced && (local == "inputEncoding" || local == "outputEncoding")) return "UTF-8";
  return "";
}

// Removes each query parameter whose value holds the drop mark.
std::string DropParameters(const std::string& address) {
  const std::size_t query = address.find('?');
  if (query == std::string::npos) {
    std::string kept = address;
    std::erase(kept, kDropMark);
    return kept;
  }
  std::string result = address.substr(0, query + 1);
  std::string_view rest = std::string_view(address).substr(query + 1);
  bool first = true;
  while (true) {
    const std::size_t end = rest.find('&');
    const std::string_view parameter = rest.substr(0, end);
    if (parameter.find(kDropMark) == std::string_view::npos && !parameter.empty()) {
      if (!first) result += '&';
      result += parameter;
      first = false;
    }
    if (end == std::string_view::npos) break;
    rest.remove_prefix(end + 1);
  }
  std::erase(result, kDropMark);
  return result;
}

}  // namespace

std::optional<SearchAddressSplit> SplitOpenSearchTemplate(std::string_view templateAddress) {
  std::string filled;
  bool hasOffset = false;
  std::size_t at = 0;
  while (at < templateAddress.size()) {
    const char c = templateAddress[at];
    if (c == kWordsMark || c == kOffsetMark || c == kDropMark) return std::nullopt;
    if (c != '{') {
      filled += c;
      ++at;
      continue;
    }
    const std::size_t close = templateAddress.find('}', at);
    if (close == std::string_view::npos) return std::nullopt;
    std::string_view name = templateAddress.substr(at + 1, close - at - 1);
    const bool optional = name.ends_with('?');
    if (optional) name.remove_suffix(1);
    filled += ParameterValue(name, optional, hasOffset);
    at = close + 1;
  }
  std::string address = DropParameters(filled);
  while (!address.empty() && address.back() == '?') address.pop_back();

  const std::size_t words = address.find(kWordsMark);
  if (words == std::string::npos || address.find(kWordsMark, words + 1) != std::string::npos) return std::nullopt;
  const AddressParts parts = SplitAddress(address);
  if (!parts.ok || parts.server.empty() || words < ObjectStart(address)) return std::nullopt;

  auto toPattern = [](std::string_view text) {
    std::string pattern;
    for (char c : text) {
      if (c == kOffsetMark) {
        pattern += "%d";
      } else {
        pattern += c;
        if (c == '%') pattern += '%';
      }
    }
    return pattern;
  };
  SearchAddressSplit split;
  const std::string_view whole = address;
  split.literalBefore = std::string(whole.substr(0, words));
  std::erase(split.literalBefore, kOffsetMark);
  split.beforePattern = toPattern(whole.substr(0, words));
  split.afterPattern = toPattern(whole.substr(words + 1));
  split.searchType = hasOffset ? StartIndex : ResultCount;
  split.host = HostName(parts.server);
  return split;
}

}  // namespace sorvane

#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/search_engine.h"

namespace sorvane {

// A search address cut around the person's words, ready to become the request
// fields of an engine record. The pattern texts are address patterns: every "%"
// of the address is doubled, and an offset parameter's value is "%d", so the
// address builder gives back the address as it was copied.
struct SearchAddressSplit {
  std::string literalBefore;  // the address up to the words, as it stood
  std::string beforePattern;  // the same as a pattern
  std::string afterPattern;   // what follows the words, fragment dropped
  int searchType = ResultCount;  // StartIndex when an offset parameter was found
  std::string host;              // the server's name, a default name for the engine
};

// Finds the words in `address` (joined by "+", "%20" or spaces, letters in any
// case, other bytes literal or percent-encoded) and cuts the address around
// them. A parameter that counts results (start=, offset=, first= ...) holding a
// number becomes the "%d" of a StartIndex engine; otherwise the engine asks for
// one page. Nothing when the words are not in the address or the address has
// no scheme and server.
std::optional<SearchAddressSplit> SplitSearchAddress(std::string_view address, std::string_view words);

// The address cut around the words of an OpenSearch template: "{searchTerms}"
// marks the words, "{startIndex}" the offset ("%d", StartIndex), "{startPage}"
// is the first page; other parameters take their defaults, or go when optional.
// Nothing without "{searchTerms}" or a scheme and server.
std::optional<SearchAddressSplit> SplitOpenSearchTemplate(std::string_view templateAddress);

// Sets url, prefix, suffix and searchType of `engine` from the split, with `url`
// the base that the page's relative links need ("" when they are absolute).
// False when `url` is not where the address begins: a record cannot then ask
// for the page and complete its links with the same url.
bool ApplyAddressSplit(const SearchAddressSplit& split, std::string_view url, SearchEngine& engine);

// Where relative links of a page at `address` lead: the scheme ("https:"), the
// origin ("https://host:port") and the folder ("https://host/path/"), each a
// beginning of the address.
struct AddressBases {
  std::string scheme;
  std::string origin;
  std::string folder;
};
std::optional<AddressBases> BasesOfAddress(std::string_view address);

// A literal text as an address pattern: each "%" doubled.
std::string EscapePattern(std::string_view literal);

}  // namespace sorvane

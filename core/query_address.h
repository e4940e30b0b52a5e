#pragma once

#include <string>
#include <string_view>

#include "core/address_template.h"
#include "core/search_engine.h"

namespace sorvane {

// Index of the Search dialog's sorted "Options" list: how the words are sent.
enum QueryType : int {
  AllWords = 0,      // "Search for all the words"
  AnyWords = 1,      // "Search for any of the words"
  EntirePhrase = 2,  // "Search for entire phrase" (the dialog's preselection)
  Expression = 3,    // "Search using expression"
};

// Hits an engine should contribute; also what ResultCount engines ask for.
inline constexpr int kHitLimit = 10;

// The words as the engines receive them: spaces become "+" for AllWords (then the
// whole is put in double quotes) and EntirePhrase; AnyWords, Expression and any
// other value leave them as typed. Nothing else is encoded.
std::string EncodeQuery(std::string_view words, int queryType);

// For the "Email" category the words become "&F=first&L=rest" (or "&L=word" for a
// single word) before anything else sees them; other categories keep them.
std::string RewriteWordsForCategory(std::string_view categoryName, std::string_view words);

// url + prefix + encoded query + suffix, the query kept literal.
AddressTemplate FirstPageTemplate(const SearchEngine& engine, std::string_view encodedQuery);

// The address of an engine's first result page.
std::string BuildRequestAddress(const SearchEngine& engine, std::string_view encodedQuery);

// The address of the page after the ones that gave `total` hits so far. `server` is
// the host split from the previous address; `firstTemplate` is FirstPageTemplate's
// result. A MultiplePages result has no scheme (the fetch split adds "http://").
std::string BuildNextPageAddress(const SearchEngine& engine, std::string_view encodedQuery,
                                 const AddressTemplate& firstTemplate, std::string_view server,
                                 int total);

}  // namespace sorvane

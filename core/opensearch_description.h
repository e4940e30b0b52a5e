#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sorvane {

// What Sorvane takes from an OpenSearch description: the name a site gives its
// search and the address template of its result pages in HTML.
struct OpenSearchDescription {
  std::string shortName;
  std::string htmlTemplate;  // with "{searchTerms}" and maybe "{startIndex}", "{count?}" ...
};

// Descriptions larger than this are refused unread.
inline constexpr std::size_t kMaxOpenSearchBytes = 1 << 20;

// Reads a description from untrusted bytes: no network access, no document
// type declaration (and so no entities of its own), nothing larger than the
// limit. The first Url element of type text/html that is fetched with GET gives
// the template. On failure `error` says why, in words for a person.
// Thread rule: any thread, after InitXmlLibrary has run once.
std::optional<OpenSearchDescription> ReadOpenSearchDescription(std::string_view xml, std::string& error);

// The XML library's one-time set-up; safe to call more than once. Call it on the
// main thread before any worker may read a description.
void InitXmlLibrary();

}  // namespace sorvane

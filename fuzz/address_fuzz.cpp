// Any engine definition and any words: building every address never reads an
// argument that is not there, and the user's words always arrive unchanged.

#include "core/address_split.h"
#include "core/query_address.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  sorvane::fuzz::FuzzInput input(data, size);
  sorvane::SearchEngine engine;
  engine.searchType = input.NextSmallNumber(5);
  const int queryType = input.NextSmallNumber(5);
  const int total = input.NextSmallNumber(100);
  engine.url = std::string(input.NextField());
  engine.prefix = std::string(input.NextField());
  engine.suffix = std::string(input.NextField());
  engine.nextPageCommand = std::string(input.NextField());
  const std::string words(input.Rest());

  const std::string typed = sorvane::RewriteWordsForCategory(queryType == 4 ? "Email" : "Books", words);
  const std::string encoded = sorvane::EncodeQuery(typed, queryType);
  const std::string first = sorvane::BuildRequestAddress(engine, encoded);
  // The encoded words sit between the (formatted) prefix and suffix, untouched.
  FUZZ_CHECK(first.find(encoded) != std::string::npos);

  const sorvane::AddressParts parts = sorvane::SplitForFetch(first, [](std::string_view) {});
  const std::string next = sorvane::BuildNextPageAddress(
      engine, encoded, sorvane::FirstPageTemplate(engine, encoded), parts.server, total);
  if (engine.searchType == sorvane::StartIndex) FUZZ_CHECK(next.find(encoded) != std::string::npos);
  (void)sorvane::SplitForFetch(next, [](std::string_view) {});
  return 0;
}

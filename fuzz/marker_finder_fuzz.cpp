// Any page, words and address: learning never crashes or reads outside the page,
// and whatever it proposes is a record engines.dat can hold that takes from the
// page exactly the hits it claims, asking for an address with the words in it.

#include "core/learn_engine.h"
#include "core/marker_finder.h"
#include "core/query_address.h"
#include "core/result_parser.h"
#include "fuzz/fuzz_input.h"

namespace {

bool FitsALine(const std::string& field) {
  return field.find_first_of("\r\n\t") == std::string::npos &&
         (field.empty() || (field.back() != ' ' && field.back() != '\f' && field.back() != '\v'));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  sorvane::fuzz::FuzzInput input(data, size);
  const std::string words(input.NextField());
  const std::string address(input.NextField());
  const std::string page(input.Rest());

  const std::optional<sorvane::MarkerProposal> markers = sorvane::FindMarkers(page, words, address);
  if (markers) {
    FUZZ_CHECK(markers->hits > 0);
    FUZZ_CHECK(FitsALine(markers->startToken) && FitsALine(markers->endToken));
    FUZZ_CHECK(markers->startToken.size() >= 4 && !markers->endToken.empty());
  }

  const std::optional<sorvane::SearchAddressSplit> split = sorvane::SplitSearchAddress(address, words);
  if (!split) return 0;
  sorvane::LearnFailure failure;
  const std::optional<sorvane::LearnedEngine> learned = sorvane::LearnEngine(*split, page, words, "", failure);
  if (!learned) {
    FUZZ_CHECK(!failure.message.empty());
    return 0;
  }
  const sorvane::SearchEngine& engine = learned->engine;
  FUZZ_CHECK(FitsALine(engine.startToken) && FitsALine(engine.endToken));
  std::string copy = page;
  sorvane::ResultsTable table;
  FUZZ_CHECK(sorvane::ParseResultPage(engine, words, copy, table, true) == learned->hits);
  const std::string request = sorvane::BuildRequestAddress(engine, sorvane::EncodeQuery("fuzz words", sorvane::EntirePhrase));
  FUZZ_CHECK(request.find("fuzz+words") != std::string::npos);
  return 0;
}

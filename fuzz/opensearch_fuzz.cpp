// Any bytes as an OpenSearch description: the reader never crashes, never reads
// outside the input, and a description it accepts has a template with a place
// for the words; a template that splits rebuilds with the words in that place.

#include "core/learn_address.h"
#include "core/learn_engine.h"
#include "core/opensearch_description.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view xml(reinterpret_cast<const char*>(data), size);
  std::string error;
  const std::optional<sorvane::OpenSearchDescription> description = sorvane::ReadOpenSearchDescription(xml, error);
  if (!description) {
    FUZZ_CHECK(!error.empty());
    return 0;
  }
  FUZZ_CHECK(description->htmlTemplate.find("{searchTerms}") != std::string::npos);
  FUZZ_CHECK(description->shortName.find_first_of("\r\n\t") == std::string::npos);
  const std::optional<sorvane::SearchAddressSplit> split = sorvane::SplitOpenSearchTemplate(description->htmlTemplate);
  if (split) {
    const std::string address = sorvane::FirstPageAddress(*split, "fuzz words");
    FUZZ_CHECK(address.find("fuzz+words") != std::string::npos);
  }
  return 0;
}

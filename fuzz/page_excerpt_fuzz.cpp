// What an error page says, taken from any page a site may send: the excerpt is
// UTF-8 of at most 120 characters, with no control character and no stray
// blank, whatever the tags, scripts and bytes around it.

#include "core/engine_outcome.h"
#include "core/page_charset.h"
#include "fuzz/fuzz_input.h"

namespace {

std::size_t CountCharacters(std::string_view text) {
  std::size_t characters = 0;
  for (char c : text) characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return characters;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  sorvane::fuzz::FuzzInput input(data, size);
  const std::string page = sorvane::ConvertPageToUtf8(input.Rest(), "");
  for (std::size_t limit : {std::size_t{0}, std::size_t{1}, std::size_t{120}}) {
    const std::string excerpt = sorvane::PageTextExcerpt(page, limit);
    FUZZ_CHECK(CountCharacters(excerpt) <= limit);
    FUZZ_CHECK(sorvane::IsValidUtf8(excerpt));
    FUZZ_CHECK(excerpt.empty() || (excerpt.front() != ' ' && excerpt.back() != ' '));
    FUZZ_CHECK(excerpt.find("  ") == std::string::npos);
    for (char c : excerpt) {
      const auto byte = static_cast<unsigned char>(c);
      FUZZ_CHECK(byte > 32 || byte == ' ');
      FUZZ_CHECK(byte != 127);
    }
  }
  return 0;
}

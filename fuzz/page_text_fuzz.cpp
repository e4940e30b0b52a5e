// Any page with any Content-Type header: the conversion always gives UTF-8 and
// never loses the page's end, and a description cleaned from any part of it is
// UTF-8 of at most 350 bytes with no control character and no stray blank.

#include "core/page_charset.h"
#include "core/result_parser.h"
#include "fuzz/fuzz_input.h"

namespace {

void CheckDescription(std::string_view title) {
  const std::string description = sorvane::CleanDescription(title);
  FUZZ_CHECK(description.size() <= sorvane::kMaxDescriptionLength);
  FUZZ_CHECK(sorvane::IsValidUtf8(description));
  FUZZ_CHECK(description.empty() || (description.front() != ' ' && description.back() != ' '));
  FUZZ_CHECK(description.find("  ") == std::string::npos);
  for (char c : description) {
    const auto byte = static_cast<unsigned char>(c);
    FUZZ_CHECK(byte >= 32 && byte != 127);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  sorvane::fuzz::FuzzInput input(data, size);
  const std::string contentType(input.NextField());
  const std::string bytes(input.Rest());

  const std::string page = sorvane::ConvertPageToUtf8(bytes, contentType);
  FUZZ_CHECK(sorvane::IsValidUtf8(page));
  // Whatever invalid bytes come before it, the end of a page in a charset that
  // keeps ASCII as ASCII is still there after the conversion.
  const std::string ended = bytes + "\n</html>";
  const std::string charset = sorvane::DetectPageCharset(ended, contentType);
  if (charset == "UTF-8" || charset == "WINDOWS-1252" || charset == "WINDOWS-31J" || charset == "GB18030") {
    FUZZ_CHECK(sorvane::ConvertPageToUtf8(ended, contentType).ends_with("\n</html>"));
  }
  // A page that is plain ASCII and declares nothing comes back as it was.
  if (contentType.empty() && bytes.find('<') == std::string::npos) {
    bool ascii = true;
    for (char c : bytes) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (ascii) FUZZ_CHECK(page == bytes);
  }

  CheckDescription(page);
  CheckDescription(std::string_view(page).substr(page.size() / 3));
  return 0;
}

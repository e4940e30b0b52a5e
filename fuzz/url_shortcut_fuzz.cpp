// Any bytes as a Favorites ".url" shortcut file, and any two names as menu
// labels: the address read is at most 2047 characters of one trimmed line and
// reads back the same from a shortcut written with it, and the label order is
// a consistent ordering (what the menu's sorted insertion relies on).

#include <string>

#include "fuzz/fuzz_input.h"
#include "shell/favorites_builder.h"

namespace {

int Sign(int value) { return (value > 0) - (value < 0); }

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::string url = sorvane::ParseShortcutUrl(text);
  FUZZ_CHECK(url.size() <= sorvane::kMaxShortcutUrl);
  FUZZ_CHECK(url.find('\n') == std::string::npos);
  const bool quoted = url.size() >= 2 && (url.front() == '"' || url.front() == '\'') && url.back() == url.front();
  if (!url.empty() && !quoted && !IsBlank(url.front()) && !IsBlank(url.back())) {
    FUZZ_CHECK(sorvane::ParseShortcutUrl("[DEFAULT]\r\nBASEURL=x\r\n[InternetShortcut]\r\nURL=" + url + "\r\n") == url);
  }

  sorvane::fuzz::FuzzInput input(data, size);
  const std::string_view left = input.NextField();
  const std::string_view middle = input.NextField();
  const std::string_view right = input.Rest();
  FUZZ_CHECK(sorvane::CompareLabelsIgnoringCase(left, left) == 0);
  const int leftRight = Sign(sorvane::CompareLabelsIgnoringCase(left, right));
  FUZZ_CHECK(leftRight == -Sign(sorvane::CompareLabelsIgnoringCase(right, left)));
  const int leftMiddle = Sign(sorvane::CompareLabelsIgnoringCase(left, middle));
  const int middleRight = Sign(sorvane::CompareLabelsIgnoringCase(middle, right));
  if (leftMiddle <= 0 && middleRight <= 0) FUZZ_CHECK(leftRight <= 0);
  return 0;
}

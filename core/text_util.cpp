#include "core/text_util.h"

#include <algorithm>

namespace sorvane {

namespace {

unsigned char FoldCase(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

}  // namespace

int CompareNamesIgnoringCase(std::string_view a, std::string_view b) {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    const unsigned char left = FoldCase(a[i]);
    const unsigned char right = FoldCase(b[i]);
    if (left != right) return left < right ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

std::size_t SortedInsertPosition(const std::vector<std::string>& sorted, std::string_view name) {
  const auto after = std::upper_bound(sorted.begin(), sorted.end(), name,
                                      [](std::string_view wanted, const std::string& entry) {
                                        return CompareNamesIgnoringCase(wanted, entry) < 0;
                                      });
  return static_cast<std::size_t>(after - sorted.begin());
}

std::vector<std::string> SortedNames(std::vector<std::string> names) {
  std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return CompareNamesIgnoringCase(a, b) < 0;
  });
  return names;
}

std::string ToUpperAscii(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = ToUpperAscii(c);
  return upper;
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (ToUpperAscii(a[i]) != ToUpperAscii(b[i])) return false;
  }
  return true;
}

int CountOverlapping(std::string_view haystack, std::string_view needle, int limit) {
  if (needle.empty()) return 0;
  int count = 0;
  for (std::size_t at = haystack.find(needle); at != std::string_view::npos && count < limit;
       at = haystack.find(needle, at + 1)) {
    ++count;
  }
  return count;
}

std::string ReplaceByte(std::string_view text, char from, char to) {
  std::string result(text);
  for (char& c : result) {
    if (c == from) c = to;
  }
  return result;
}

void RemoveAllRepeatedly(std::string& text, std::string_view pattern) {
  if (pattern.empty()) return;
  // A removal can only form a new occurrence that ends after the cut, so the next
  // search may start pattern.size() - 1 bytes before it: the same result as
  // restarting from the very beginning, without the quadratic rescans.
  std::size_t from = 0;
  for (std::size_t at = text.find(pattern, from); at != std::string::npos;
       at = text.find(pattern, from)) {
    text.erase(at, pattern.size());
    from = at >= pattern.size() - 1 ? at - (pattern.size() - 1) : 0;
  }
}

}  // namespace sorvane

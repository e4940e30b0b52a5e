#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace sorvane {

// Byte-wise helpers shared by the store, the parser and the ranking. All of them
// treat text as bytes: only ASCII letters have a case, everything else is as is.

inline char ToUpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

std::string ToUpperAscii(std::string_view text);

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

// Occurrences of `needle` in `haystack`, overlapping ones included (the search goes
// on one byte after the start of each match). Counting stops at `limit`.
int CountOverlapping(std::string_view haystack, std::string_view needle, int limit);

// The order of the sorted name lists: bytes compared with ASCII letters folded,
// so "alpha" < "Beta" < "Zeta". Negative, zero or positive like strcmp.
int CompareNamesIgnoringCase(std::string_view a, std::string_view b);

// Where `name` goes into `sorted` (already in the order above): after every entry
// that does not sort after it, so equal names keep the order they came in.
std::size_t SortedInsertPosition(const std::vector<std::string>& sorted, std::string_view name);

// `names` in the order above, equal names keeping their order.
std::vector<std::string> SortedNames(std::vector<std::string> names);

// Every `from` byte replaced by `to`.
std::string ReplaceByte(std::string_view text, char from, char to);

// Removes `pattern` again and again from the start until it no longer occurs, so
// occurrences that an earlier removal formed go too.
void RemoveAllRepeatedly(std::string& text, std::string_view pattern);

}  // namespace sorvane

#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace sorvane {

// Measures a text in pixels as the list would draw it; the GUI answers it with
// its device context, tests with a fake.
using TextMeasure = std::function<int(std::string_view)>;

// The width a text needs in a column: its own width plus the width of an "M",
// which keeps it clear of the next column.
int TextFitWidth(const TextMeasure& measure, std::string_view text);

// The text shortened to fit a width, the caller having resolved a column's
// present width: the text itself when it fits, otherwise the text with "..."
// when that fits, otherwise the longest start of it followed by "..." that
// fits. The width counts as unsigned, so a negative one (a first column
// narrower than the row picture) leaves the text unchanged. When not even "..."
// fits, the result is empty: nothing is drawn rather than spilling over the
// next column. A cut never falls inside a UTF-8 sequence.
std::string FitText(std::string_view text, int width, const TextMeasure& measure);

// The description under a row's first line: the second line fitted to the
// width of the first three columns and, only when that line was cut, a third
// line that goes on from the first character the "..." stood for, fitted the
// same way. Anything beyond is not shown.
struct DescriptionLines {
  std::string second;
  std::optional<std::string> third;

  bool operator==(const DescriptionLines&) const = default;
};

DescriptionLines FitDescriptionLines(std::string_view description, int width, const TextMeasure& measure);

}  // namespace sorvane

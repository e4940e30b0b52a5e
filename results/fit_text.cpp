#include "results/fit_text.h"

namespace sorvane {
namespace {

constexpr std::string_view kEllipsis = "...";

bool Fits(const TextMeasure& measure, std::string_view text, int width) {
  return static_cast<unsigned>(TextFitWidth(measure, text)) <= static_cast<unsigned>(width);
}

bool IsUtf8Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

int TextFitWidth(const TextMeasure& measure, std::string_view text) { return measure(text) + measure("M"); }

std::string FitText(std::string_view text, int width, const TextMeasure& measure) {
  if (Fits(measure, text, width)) return std::string(text);
  std::string candidate(text);
  candidate += kEllipsis;
  if (Fits(measure, candidate, width)) return candidate;
  // One character fewer each time, down to "..." alone; k counts down to 0, so
  // the loop ends however narrow the width is.
  for (std::size_t k = text.size(); k-- > 0;) {
    if (k > 0 && IsUtf8Continuation(text[k])) continue;
    candidate.assign(text.substr(0, k));
    candidate += kEllipsis;
    if (Fits(measure, candidate, width)) return candidate;
  }
  return {};
}

DescriptionLines FitDescriptionLines(std::string_view description, int width, const TextMeasure& measure) {
  DescriptionLines lines;
  lines.second = FitText(description, width, measure);
  if (lines.second.size() >= description.size()) return lines;
  // A cut line is a start of the description followed by "..."; an empty line
  // showed nothing, so the third line would be just as empty.
  if (lines.second.empty()) return lines;
  const std::size_t shown = lines.second.size() - kEllipsis.size();
  lines.third = FitText(description.substr(shown), width, measure);
  return lines;
}

}  // namespace sorvane

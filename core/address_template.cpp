#include "core/address_template.h"

#include "core/lenient_number.h"

namespace sorvane {

void AddressTemplate::Append(std::string_view text, bool literal) {
  if (text.empty()) return;
  if (!segments_.empty() && segments_.back().literal == literal) {
    segments_.back().text += text;
  } else {
    segments_.push_back(Segment{std::string(text), literal});
  }
}

AddressTemplate& AddressTemplate::AppendPattern(std::string_view text) {
  Append(text, false);
  return *this;
}

AddressTemplate& AddressTemplate::AppendLiteral(std::string_view text) {
  Append(text, true);
  return *this;
}

bool AddressTemplate::PatternContains(std::string_view needle) const {
  for (const Segment& segment : segments_) {
    if (!segment.literal && segment.text.find(needle) != std::string::npos) return true;
  }
  return false;
}

AddressTemplate AddressTemplate::Format(const Arguments& arguments) const {
  AddressTemplate result;
  bool textUsed = !arguments.text.has_value();
  bool numberUsed = !arguments.number.has_value();
  for (const Segment& segment : segments_) {
    if (segment.literal) {
      result.AppendLiteral(segment.text);
      continue;
    }
    const std::string& text = segment.text;
    std::size_t plainStart = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text[i] != '%' || i + 1 >= text.size()) continue;
      const char kind = text[i + 1];
      std::optional<std::string> replacement;
      bool replacementIsLiteral = true;
      if (kind == '%') {
        replacement = "%";
        replacementIsLiteral = false;
      } else if (kind == 'd' && !numberUsed) {
        replacement = FormatDecimal(*arguments.number);
        numberUsed = true;
      } else if (kind == 's' && !textUsed) {
        replacement = std::string(*arguments.text);
        textUsed = true;
      }
      if (!replacement) continue;  // copied as it stands
      result.AppendPattern(std::string_view(text).substr(plainStart, i - plainStart));
      if (replacementIsLiteral) {
        result.AppendLiteral(*replacement);
      } else {
        result.AppendPattern(*replacement);
      }
      ++i;  // skip the placeholder's second byte
      plainStart = i + 1;
    }
    result.AppendPattern(std::string_view(text).substr(plainStart));
  }
  return result;
}

std::string AddressTemplate::Text() const {
  std::string text;
  for (const Segment& segment : segments_) text += segment.text;
  return text;
}

}  // namespace sorvane

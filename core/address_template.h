#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sorvane {

// An address under construction: pattern text from the engine definition, in which
// "%d", "%s" and "%%" are placeholders, joined with literal text that is never read
// as a pattern (the user's words, and whatever a placeholder put in).
//
// Formatting is our own and never printf on data: "%d" takes the step's number,
// "%s" its text, each at most once and in the order the placeholders appear;
// "%%" becomes "%". Any other "%" sequence, and a placeholder for which the step
// has no (more) argument, is copied as it stands.
class AddressTemplate {
 public:
  struct Arguments {
    std::optional<std::string_view> text;
    std::optional<long long> number;

    static Arguments None() { return {}; }
    static Arguments Number(long long number) { return {std::nullopt, number}; }
    static Arguments Text(std::string_view text) { return {text, std::nullopt}; }
    static Arguments TextAndNumber(std::string_view text, long long number) { return {text, number}; }
  };

  AddressTemplate& AppendPattern(std::string_view text);
  AddressTemplate& AppendLiteral(std::string_view text);

  // True when the pattern parts hold `needle` (literal parts are not looked at).
  bool PatternContains(std::string_view needle) const;

  // One formatting pass. What the pass produced from pattern text stays pattern,
  // so a "%%d" left as "%d" by one pass is a placeholder for the next; what the
  // arguments put in is literal.
  AddressTemplate Format(const Arguments& arguments) const;

  // The address as it stands, with no placeholder processing.
  std::string Text() const;

 private:
  struct Segment {
    std::string text;
    bool literal = false;
  };
  void Append(std::string_view text, bool literal);

  std::vector<Segment> segments_;
};

}  // namespace sorvane

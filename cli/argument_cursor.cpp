#include "cli/argument_cursor.h"

#include <charconv>

namespace sorvane::cli {

bool ArgumentCursor::AtOption() const {
  if (Done()) return false;
  const std::string& argument = Peek();
  return argument.size() > 1 && argument[0] == '-' && argument != "--";
}

bool ArgumentCursor::TakeOption(std::string_view name, std::string& value) {
  if (Done()) return false;
  const std::string& argument = Peek();
  if (argument == name) {
    ++pos_;
    if (Done()) throw UsageError("option " + std::string(name) + " needs a value");
    value = Take();
    return true;
  }
  if (argument.size() > name.size() && argument.compare(0, name.size(), name) == 0 &&
      argument[name.size()] == '=') {
    value = argument.substr(name.size() + 1);
    ++pos_;
    return true;
  }
  return false;
}

bool ArgumentCursor::TakeFlag(std::string_view name) {
  if (Done() || Peek() != name) return false;
  ++pos_;
  return true;
}

std::string ArgumentCursor::TakeWords(std::string_view stop) {
  if (!Done() && Peek() == "--" && stop != "--") ++pos_;  // "--" only ends the options
  std::string words;
  bool first = true;
  while (!Done()) {
    std::string word = Take();
    if (!stop.empty() && word == stop) break;
    if (!first) words += ' ';
    words += word;
    first = false;
  }
  return words;
}

std::vector<std::string> ArgumentCursor::TakeRest() {
  std::vector<std::string> rest(arguments_.begin() + static_cast<std::ptrdiff_t>(pos_), arguments_.end());
  pos_ = arguments_.size();
  return rest;
}

int ParseQueryType(std::string_view text) {
  static constexpr std::string_view kNames[] = {"all", "any", "phrase", "expression"};
  for (int i = 0; i < 4; ++i) {
    if (text == kNames[i] || text == std::to_string(i)) return i;
  }
  throw UsageError("unknown query type '" + std::string(text) +
                   "' (use 0 to 3, or all, any, phrase, expression)");
}

int ParseWholeNumber(std::string_view text, std::string_view what) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
    throw UsageError(std::string(what) + " must be a whole number, not '" + std::string(text) + "'");
  }
  return value;
}

}  // namespace sorvane::cli

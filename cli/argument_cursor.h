#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace sorvane::cli {

// A mistake in how the command was called: reported with usage help, exit status 2.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Walks a command's arguments: options first ("--name VALUE", "--name=VALUE" or a
// bare flag), then the words. "--" ends the options explicitly.
class ArgumentCursor {
 public:
  explicit ArgumentCursor(std::vector<std::string> arguments) : arguments_(std::move(arguments)) {}

  bool Done() const { return pos_ >= arguments_.size(); }
  const std::string& Peek() const { return arguments_[pos_]; }
  std::string Take() { return arguments_[pos_++]; }

  // The current argument is an option (starts with "-" and is not "-" or "--").
  bool AtOption() const;
  // Takes "--name VALUE" or "--name=VALUE"; a missing value is a usage error.
  bool TakeOption(std::string_view name, std::string& value);
  bool TakeFlag(std::string_view name);

  // Everything left up to `stop` (not included; it is consumed), joined with
  // single spaces. Without a stop, everything left.
  std::string TakeWords(std::string_view stop = {});
  std::vector<std::string> TakeRest();
  // The whole command line, taken or not (to hand it on unchanged).
  const std::vector<std::string>& All() const { return arguments_; }

 private:
  std::vector<std::string> arguments_;
  std::size_t pos_ = 0;
};

// "0".."3" or all / any / phrase / expression.
int ParseQueryType(std::string_view text);
// A whole decimal number, or a usage error naming `what`.
int ParseWholeNumber(std::string_view text, std::string_view what);

}  // namespace sorvane::cli

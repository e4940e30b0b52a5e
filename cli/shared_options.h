#pragma once

#include <optional>
#include <string>

#include "cli/argument_cursor.h"

namespace sorvane::cli {

// Options that several commands take. A command offers the ones it accepts and
// handles its own options after them.
struct SharedOptions {
  enum Accepts : unsigned { kJson = 1, kEngine = 2, kCategory = 4 };

  bool help = false;
  bool json = false;
  std::string engine;
  std::optional<std::string> category;
};

// Takes the current argument when it is --help or one of the `accepted` options;
// false when it is none of them.
bool TakeSharedOption(ArgumentCursor& arguments, SharedOptions& options, unsigned accepted);

}  // namespace sorvane::cli

#pragma once

#include <optional>
#include <string>

#include "cli/argument_cursor.h"

namespace sorvane::cli {

// How a command that prints result rows prints them: tab-separated (the
// default), CSV with a header row, or a JSON array.
enum class OutputFormat { Tsv, Csv, Json };

// Options that several commands take. A command offers the ones it accepts and
// handles its own options after them.
struct SharedOptions {
  // kFormat takes --format csv|json|tsv and --json as its synonym for json.
  enum Accepts : unsigned { kJson = 1, kEngine = 2, kCategory = 4, kFormat = 8 };

  bool help = false;
  bool json = false;
  std::optional<OutputFormat> format;  // tab-separated when not given
  std::string engine;
  std::optional<std::string> category;
};

// Takes the current argument when it is --help or one of the `accepted` options;
// false when it is none of them.
bool TakeSharedOption(ArgumentCursor& arguments, SharedOptions& options, unsigned accepted);

// Takes --format F or --json into `format`; false when the argument is neither.
// An unknown F is a usage error.
bool TakeFormatOption(ArgumentCursor& arguments, OutputFormat& format);

}  // namespace sorvane::cli

#include "cli/shared_options.h"

namespace sorvane::cli {

bool TakeSharedOption(ArgumentCursor& arguments, SharedOptions& options, unsigned accepted) {
  std::string value;
  if (arguments.TakeFlag("--help")) {
    options.help = true;
  } else if (OutputFormat format{}; (accepted & SharedOptions::kFormat) && TakeFormatOption(arguments, format)) {
    options.format = format;
    options.json = format == OutputFormat::Json;
  } else if ((accepted & SharedOptions::kJson) && arguments.TakeFlag("--json")) {
    options.json = true;
  } else if ((accepted & SharedOptions::kEngine) && arguments.TakeOption("--engine", value)) {
    options.engine = value;
  } else if ((accepted & SharedOptions::kCategory) && arguments.TakeOption("--category", value)) {
    options.category = value;
  } else {
    return false;
  }
  return true;
}

bool TakeFormatOption(ArgumentCursor& arguments, OutputFormat& format) {
  std::string value;
  if (arguments.TakeFlag("--json")) {
    format = OutputFormat::Json;
  } else if (arguments.TakeOption("--format", value)) {
    if (value == "tsv") format = OutputFormat::Tsv;
    else if (value == "csv") format = OutputFormat::Csv;
    else if (value == "json") format = OutputFormat::Json;
    else throw UsageError("--format takes csv, json or tsv, not '" + value + "'");
  } else {
    return false;
  }
  return true;
}

}  // namespace sorvane::cli

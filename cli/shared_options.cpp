#include "cli/shared_options.h"

namespace sorvane::cli {

bool TakeSharedOption(ArgumentCursor& arguments, SharedOptions& options, unsigned accepted) {
  std::string value;
  if (arguments.TakeFlag("--help")) {
    options.help = true;
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

}  // namespace sorvane::cli

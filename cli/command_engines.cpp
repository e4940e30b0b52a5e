#include <ostream>

#include "cli/commands.h"
#include "cli/engine_lines.h"
#include "cli/json_output.h"
#include "cli/shared_options.h"

namespace sorvane::cli {

namespace {
constexpr const char* kUsage =
    "usage: sorvane-cli [--home DIR] engines [--json]\n"
    "       sorvane-cli [--home DIR] engines add [--replace] FILE|-\n"
    "\n"
    "Lists the engines loaded from engines.dat, in file order, one a line with eight\n"
    "tab-separated fields: name, startToken, endToken, url, searchType, prefix,\n"
    "suffix, nextPageCommand (empty for search types 1 and 2).\n"
    "\n"
    "'engines add' appends the records of FILE ('-' for standard input), lines as\n"
    "'engines' prints them, up to the first empty line, so the output of 'learn'\n"
    "can be given as it is. A name engines.dat already has is refused unless\n"
    "--replace is given, which puts the new record in the old one's place.\n";
}  // namespace

int RunEnginesCommand(CliContext& context, ArgumentCursor& arguments) {
  if (!arguments.Done() && arguments.Peek() == "add") {
    arguments.Take();
    return RunEnginesAddCommand(context, arguments);
  }
  SharedOptions options;
  while (arguments.AtOption()) {
    if (!TakeSharedOption(arguments, options, SharedOptions::kJson)) RejectOption("engines", arguments.Peek());
  }
  if (options.help) {
    context.out() << kUsage;
    return kExitOk;
  }
  const bool json = options.json;
  if (!arguments.Done()) throw UsageError("engines takes no words: '" + arguments.Peek() + "'");

  std::vector<JsonObject> objects;
  for (const EnginePtr& engine : context.Engines()) {
    if (json) {
      objects.push_back(EngineJson(*engine));
    } else {
      context.out() << EngineLine(*engine) << '\n';
    }
  }
  if (json) WriteJsonArray(context.out(), objects);
  return kExitOk;
}

}  // namespace sorvane::cli

#include <ostream>

#include "cli/commands.h"
#include "cli/json_output.h"
#include "cli/shared_options.h"

namespace sorvane::cli {

namespace {
constexpr const char* kUsage =
    "usage: sorvane-cli [--home DIR] engines [--json]\n"
    "\n"
    "Lists the engines loaded from engines.dat, in file order, one a line with eight\n"
    "tab-separated fields: name, startToken, endToken, url, searchType, prefix,\n"
    "suffix, nextPageCommand (empty for search types 1 and 2).\n";
}  // namespace

int RunEnginesCommand(CliContext& context, ArgumentCursor& arguments) {
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
    const std::string nextPage = StoresNextPageCommand(engine->searchType) ? engine->nextPageCommand : "";
    if (json) {
      objects.push_back(JsonObject()
                            .AddString("name", engine->name)
                            .AddString("startToken", engine->startToken)
                            .AddString("endToken", engine->endToken)
                            .AddString("url", engine->url)
                            .AddNumber("searchType", engine->searchType)
                            .AddString("prefix", engine->prefix)
                            .AddString("suffix", engine->suffix)
                            .AddString("nextPageCommand", nextPage));
    } else {
      context.out() << engine->name << '\t' << engine->startToken << '\t' << engine->endToken << '\t'
                    << engine->url << '\t' << engine->searchType << '\t' << engine->prefix << '\t'
                    << engine->suffix << '\t' << nextPage << '\n';
    }
  }
  if (json) WriteJsonArray(context.out(), objects);
  return kExitOk;
}

}  // namespace sorvane::cli

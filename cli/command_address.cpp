#include <ostream>

#include "cli/commands.h"
#include "cli/json_output.h"
#include "cli/shared_options.h"
#include "core/address_split.h"
#include "core/query_address.h"

namespace sorvane::cli {

namespace {
constexpr const char* kUsage =
    "usage: sorvane-cli [--home DIR] address --engine NAME [--category NAME]\n"
    "                   [--query-type Q] [--next TOTAL]... [--json] WORDS\n"
    "\n"
    "Prints the address of the engine's first result page for WORDS, then one line\n"
    "for each --next: the address of the next page after TOTAL hits, built from the\n"
    "line before it. Q is 0 to 3 or all, any, phrase, expression (default 2,\n"
    "phrase). With --category Email the words are rewritten as that category does.\n"
    "An engine that asks for a number of results (search type 1) never pages.\n";
}  // namespace

int RunAddressCommand(CliContext& context, ArgumentCursor& arguments) {
  SharedOptions options;
  int queryType = EntirePhrase;
  std::vector<int> nextTotals;
  while (arguments.AtOption()) {
    std::string value;
    if (TakeSharedOption(arguments, options,
                         SharedOptions::kJson | SharedOptions::kEngine | SharedOptions::kCategory)) {
      continue;
    } else if (arguments.TakeOption("--query-type", value)) {
      queryType = ParseQueryType(value);
    } else if (arguments.TakeOption("--next", value)) {
      nextTotals.push_back(ParseWholeNumber(value, "--next"));
    } else {
      RejectOption("address", arguments.Peek());
    }
  }
  if (options.help) {
    context.out() << kUsage;
    return kExitOk;
  }
  const std::string words = arguments.TakeWords();
  if (options.engine.empty()) throw UsageError("address needs --engine NAME");
  if (words.empty()) throw UsageError("address needs the words to search for");
  if (options.category) RequireCategory(context, *options.category);
  const EnginePtr engine = RequireEngine(context, options.engine);

  const std::string typed = options.category ? RewriteWordsForCategory(*options.category, words) : words;
  const std::string encoded = EncodeQuery(typed, queryType);
  std::vector<std::string> addresses = {BuildRequestAddress(*engine, encoded)};

  bool invalidAddress = false;
  if (engine->searchType != ResultCount) {
    const AddressTemplate firstTemplate = FirstPageTemplate(*engine, encoded);
    for (int total : nextTotals) {
      const std::string& previous = addresses.back();
      const AddressParts parts = SplitForFetch(previous, [&](std::string_view message) {
        context.ReportError(std::string(message) + ": " + previous);
        invalidAddress = true;
      });
      addresses.push_back(BuildNextPageAddress(*engine, encoded, firstTemplate, parts.server, total));
    }
  }

  if (options.json) {
    std::vector<JsonObject> objects;
    for (std::size_t i = 0; i < addresses.size(); ++i) {
      objects.push_back(JsonObject().AddNumber("page", static_cast<long long>(i) + 1).AddString("address", addresses[i]));
    }
    WriteJsonArray(context.out(), objects);
  } else {
    for (const std::string& address : addresses) context.out() << address << '\n';
  }
  return invalidAddress ? kExitFailure : kExitOk;
}

}  // namespace sorvane::cli

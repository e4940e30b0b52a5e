#include <ostream>

#include "cli/commands.h"
#include "cli/json_output.h"
#include "cli/shared_options.h"

namespace sorvane::cli {

namespace {
constexpr const char* kUsage =
    "usage: sorvane-cli [--home DIR] categories [--json]\n"
    "\n"
    "Lists the 22 categories, one a line: the row number, a tab, the name, then a\n"
    "tab before each engine name of the category, as categories.dat assigns them.\n";
}  // namespace

int RunCategoriesCommand(CliContext& context, ArgumentCursor& arguments) {
  SharedOptions options;
  while (arguments.AtOption()) {
    if (!TakeSharedOption(arguments, options, SharedOptions::kJson)) RejectOption("categories", arguments.Peek());
  }
  if (options.help) {
    context.out() << kUsage;
    return kExitOk;
  }
  const bool json = options.json;
  if (!arguments.Done()) throw UsageError("categories takes no words: '" + arguments.Peek() + "'");

  std::vector<JsonObject> objects;
  const CategoryRows& rows = context.Categories();
  for (std::size_t row = 0; row < rows.size(); ++row) {
    const std::vector<std::string> names = rows[row].engineNames.value_or(std::vector<std::string>{});
    if (json) {
      objects.push_back(JsonObject()
                            .AddNumber("row", static_cast<long long>(row))
                            .AddString("name", rows[row].name)
                            .AddStrings("engines", names));
    } else {
      context.out() << row << '\t' << rows[row].name;
      for (const std::string& name : names) context.out() << '\t' << name;
      context.out() << '\n';
    }
  }
  if (json) WriteJsonArray(context.out(), objects);
  return kExitOk;
}

}  // namespace sorvane::cli

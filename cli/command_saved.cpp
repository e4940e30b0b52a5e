#include <ostream>

#include "cli/commands.h"
#include "cli/json_output.h"
#include "cli/shared_options.h"
#include "results/results_export.h"
#include "results/saved_search.h"

namespace sorvane::cli {

namespace {

constexpr const char* kUsage =
    "usage: sorvane-cli [--home DIR] saved list\n"
    "       sorvane-cli [--home DIR] saved show [--format csv|json|tsv] WORDS\n"
    "       sorvane-cli [--home DIR] saved delete WORDS\n"
    "\n"
    "The saved searches of the SearchResults folder, one per set of words.\n"
    "list: the words of every saved search, one a line, in the order the folder\n"
    "lists them, as the Previous Searches list shows them.\n"
    "show: the line \"category<TAB>K\" (K is the category row the search ran in),\n"
    "then one line per row: Description, URL, Rank, Hits, Engine and the viewed\n"
    "flag (0 or 1), tab-separated, in the saved order. --format json (or --json)\n"
    "prints an object with \"category\" and \"rows\" (the cells as the file holds\n"
    "them, as text); --format csv prints the rows alone, with a header row.\n"
    "delete: removes the saved search.\n"
    "WORDS are the search's words exactly as typed; there is no saved search for\n"
    "them: exit status 1.\n";

std::string RequireWords(ArgumentCursor& arguments, std::string_view action) {
  if (arguments.Done()) throw UsageError("saved " + std::string(action) + " needs the WORDS of a saved search");
  return arguments.TakeWords();
}

int List(CliContext& context, ArgumentCursor& arguments) {
  if (!arguments.Done()) throw UsageError("saved list takes no words: '" + arguments.Peek() + "'");
  for (const std::string& title : ListSavedSearches(context.ProgramFolder())) context.out() << title << '\n';
  return kExitOk;
}

int Show(CliContext& context, ArgumentCursor& arguments, OutputFormat format) {
  const std::string words = RequireWords(arguments, "show");
  const std::optional<std::filesystem::path> path = FindSavedSearch(context.ProgramFolder(), words);
  const std::optional<SavedSearch> search = path ? ReadSavedSearch(*path) : std::nullopt;
  if (!search) {
    context.ReportError("no saved search for '" + words + "'");
    return kExitFailure;
  }
  std::ostream& out = context.out();
  if (format == OutputFormat::Csv) {
    out << FormatResultsCsv(search->rows);
    return kExitOk;
  }
  if (format == OutputFormat::Json) {
    out << "{\"category\": " << search->categoryRow << ", \"rows\": [";
    for (std::size_t i = 0; i < search->rows.size(); ++i) {
      const RowCells& row = search->rows[i];
      out << (i == 0 ? "\n  " : ",\n  ")
          << JsonObject()
                 .AddString(kDescriptionColumn, row.description())
                 .AddString(kUrlColumn, row.url())
                 .AddString(kRankColumn, row.rank())
                 .AddString(kHitsColumn, row.hits())
                 .AddString(kEngineColumn, row.engine())
                 .AddNumber("viewed", row.viewed ? 1 : 0)
                 .Text();
    }
    out << (search->rows.empty() ? "]}\n" : "\n]}\n");
    return kExitOk;
  }
  out << "category\t" << search->categoryRow << '\n';
  for (const RowCells& row : search->rows) {
    for (const std::string& cell : row.cells) out << cell << '\t';
    out << (row.viewed ? 1 : 0) << '\n';
  }
  return kExitOk;
}

int Delete(CliContext& context, ArgumentCursor& arguments) {
  const std::string words = RequireWords(arguments, "delete");
  if (!DeleteSavedSearch(context.ProgramFolder(), words)) {
    context.ReportError("no saved search for '" + words + "'");
    return kExitFailure;
  }
  return kExitOk;
}

}  // namespace

int RunSavedCommand(CliContext& context, ArgumentCursor& arguments) {
  SharedOptions options;
  std::string action;
  // Options may come before or after the action: "saved --json show x" and
  // "saved show --json x" both work.
  for (;;) {
    while (arguments.AtOption()) {
      if (!TakeSharedOption(arguments, options, SharedOptions::kFormat)) RejectOption("saved", arguments.Peek());
    }
    if (!action.empty() || arguments.Done() || options.help) break;
    action = arguments.Take();
  }
  if (options.help) {
    context.out() << kUsage;
    return kExitOk;
  }
  if (action.empty()) throw UsageError("saved needs list, show or delete");
  if (options.format && action != "show") {
    throw UsageError("saved " + action + ": --format and --json go with show only");
  }
  if (action == "list") return List(context, arguments);
  if (action == "show") return Show(context, arguments, options.format.value_or(OutputFormat::Tsv));
  if (action == "delete") return Delete(context, arguments);
  throw UsageError("saved: unknown action '" + action + "' (list, show or delete)");
}

}  // namespace sorvane::cli

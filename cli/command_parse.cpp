#include <algorithm>
#include <ostream>

#include "cli/commands.h"
#include "cli/console_run.h"
#include "cli/shared_options.h"
#include "core/lenient_number.h"
#include "core/page_charset.h"
#include "core/query_address.h"
#include "core/result_parser.h"
#include "platform/file_io.h"

namespace sorvane::cli {

namespace {
constexpr const char* kUsage =
    "usage: sorvane-cli [--home DIR] parse --engine NAME [--category NAME]\n"
    "                   [--format csv|json|tsv] WORDS -- FILE...\n"
    "\n"
    "Parses each FILE, in order, as a result page of the engine into one results\n"
    "table, links already in the table skipped as a search does, and prints the\n"
    "table: Description, URL, Rank, Hits, Engine, tab-separated, best rank first\n"
    "(--format csv: with a header row and the viewed flag; --format json or\n"
    "--json: an array of objects).\n"
    "WORDS rank the hits (after the Email rewrite with --category Email). A file\n"
    "is a page without its HTTP header: it is read in the charset its meta tag\n"
    "names, else as UTF-8 when it is valid UTF-8, else as Windows-1252. Zero bytes\n"
    "in a file are dropped, as they are from a page that arrives over the network.\n";
}  // namespace

int RunParseCommand(CliContext& context, ArgumentCursor& arguments) {
  SharedOptions options;
  while (arguments.AtOption()) {
    if (!TakeSharedOption(arguments, options,
                          SharedOptions::kFormat | SharedOptions::kEngine | SharedOptions::kCategory)) {
      RejectOption("parse", arguments.Peek());
    }
  }
  if (options.help) {
    context.out() << kUsage;
    return kExitOk;
  }
  const std::string words = arguments.TakeWords("--");
  const std::vector<std::string> files = arguments.TakeRest();
  if (options.engine.empty()) throw UsageError("parse needs --engine NAME");
  if (words.empty()) throw UsageError("parse needs the words that rank the hits");
  if (files.empty()) throw UsageError("parse needs '--' and at least one FILE");
  if (options.category) RequireCategory(context, *options.category);
  const EnginePtr engine = RequireEngine(context, options.engine);

  // Every file is read before any is parsed, so a missing one prints no table.
  std::vector<std::string> pages;
  for (const std::string& file : files) {
    std::optional<std::string> page = ReadWholeFile(file);
    if (!page) {
      context.ReportError("cannot read " + file);
      return kExitFailure;
    }
    // Converted first: a page in UTF-16 has a zero byte in every ASCII letter.
    std::string text = ConvertPageToUtf8(*page, "");
    std::erase(text, '\0');
    pages.push_back(std::move(text));
  }

  const std::string rankWords = options.category ? RewriteWordsForCategory(*options.category, words) : words;
  ResultsTable table;
  for (std::string& page : pages) ParseResultPage(*engine, rankWords, page, table, true);

  PrintRows(context.out(), TakeRowCells(table), options.format.value_or(OutputFormat::Tsv));
  return kExitOk;
}

}  // namespace sorvane::cli

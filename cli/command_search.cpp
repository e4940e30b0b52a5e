#include <ostream>

#include "cli/commands.h"
#include "cli/console_run.h"
#include "cli/outcome_report.h"
#include "cli/search_progress.h"
#include "cli/user_settings.h"
#include "core/search_run.h"
#include "results/search_completion.h"

namespace sorvane::cli {

namespace {

constexpr const char* kUsage =
    "usage: sorvane-cli [--home DIR] search [--query-type Q] [--no-save] [--new]\n"
    "                   [--format csv|json|tsv] [--report] CATEGORY WORDS\n"
    "\n"
    "Sends WORDS to every engine of CATEGORY at once, as the window program does,\n"
    "and prints the merged results table: Description, URL, Rank, Hits, Engine,\n"
    "tab-separated, best rank first (--format csv: with a header row and the\n"
    "viewed flag; --format json or --json: an array of objects). CATEGORY is a\n"
    "row name (any letter case) or a row number of 'sorvane-cli categories';\n"
    "\"My PC\" is searched with 'scan'.\n"
    "Q is 0 to 3 or all, any, phrase, expression (default phrase). The connection\n"
    "settings (\"Connect Method\", \"Proxy\", \"Port\") are the window program's.\n"
    "On a terminal, standard error shows one line per engine with its progress;\n"
    "Ctrl-C stops the search as the Stop button does and still prints what was\n"
    "found. Without --no-save the search is completed as the window program\n"
    "completes it: the results page written and the search saved.\n"
    "--new prints only the rows whose address the earlier saved search of the same\n"
    "words did not have (every row when there was none), read before this search\n"
    "replaces it.\n"
    "--report writes, after the table, one line per engine on standard error\n"
    "telling how its part ended, as 'sorvane-cli doctor' prints them.\n";

// How long, at the end, the workers may take to let go of the network.
constexpr std::chrono::seconds kWorkerGrace{3};

int FindCategoryArgument(const CategoryRows& rows, const std::string& text) {
  const int byName = FindCategoryRowIgnoringCase(rows, text);
  if (byName >= 0) return byName;
  const bool allDigits = !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
  if (allDigits && text.size() <= 3) {
    const int row = std::stoi(text);
    if (row < static_cast<int>(rows.size())) return row;
  }
  throw UsageError("search: no category '" + text + "' (see 'sorvane-cli categories' for names and rows)");
}

}  // namespace

int RunSearchCommand(CliContext& context, ArgumentCursor& arguments) {
  int queryType = EntirePhrase;
  OutputFormat format = OutputFormat::Tsv;
  bool save = true;
  bool report = false;
  bool onlyNew = false;
  while (arguments.AtOption()) {
    std::string value;
    if (arguments.TakeFlag("--help")) {
      context.out() << kUsage;
      return kExitOk;
    } else if (TakeFormatOption(arguments, format)) {
    } else if (arguments.TakeFlag("--report")) {
      report = true;
    } else if (arguments.TakeFlag("--no-save")) {
      save = false;
    } else if (arguments.TakeFlag("--new")) {
      onlyNew = true;
    } else if (arguments.TakeOption("--query-type", value)) {
      queryType = ParseQueryType(value);
    } else {
      RejectOption("search", arguments.Peek());
    }
  }
  if (arguments.Done()) throw UsageError("search needs a CATEGORY and the WORDS to look for");
  const std::string categoryText = arguments.Take();
  const std::string words = arguments.TakeWords();
  if (words.empty()) throw UsageError("search needs the WORDS to look for");
  const CategoryRows& rows = context.Categories();
  const int row = FindCategoryArgument(rows, categoryText);
  if (row == kMyPcRow) throw UsageError("search: \"" + rows[row].name + "\" is searched with 'sorvane-cli scan'");
  const ConnectionSettings connection = ReadUserConnectionSettings();
  SearchRunner runner(connection);
  auto table = std::make_shared<ResultsTable>();
  // The listener needs the engine names before the first worker reports.
  const std::vector<EngineJob> jobs =
      MakeEngineJobs(rows[row].engineNames.value_or(std::vector<std::string>{}), context.Engines(), words,
                     queryType, nullptr);
  std::vector<std::string> names;
  for (const EngineJob& job : jobs) names.push_back(job.engine->name);
  auto progress = std::make_shared<SearchProgress>(names, context.err());

  InterruptGuard interrupt;
  SearchRun& run = runner.StartSearch(rows[row], words, queryType, context.Engines(), table, progress);
  if (run.Jobs().empty()) {
    context.ReportError("search: the category \"" + rows[row].name + "\" has no engines");
    run.AbandonNow();
  }
  const bool live = StderrIsTerminal();
  bool stopping = false;
  while (!progress->WaitForSearchDone(std::chrono::milliseconds(100))) {
    if (interrupt.Interrupted() && !stopping) {
      stopping = true;
      run.Stop();
    }
    if (live) progress->DrawLiveLines();
  }
  if (live) progress->DrawLiveLines();
  run.WaitForThreads(kWorkerGrace);

  // Stopped or not, the search ends as the window program ends it: the page
  // written and the search kept, with the rows found so far.
  bool completed = true;
  std::vector<RowCells> printed;
  std::optional<EarlierSearch> earlier;
  if (save) {
    int bannerIndex = 0;
    CompletionResult completion =
        CompleteSearch(context.ProgramFolder().string(), *table, runner.LastQuery(), row, bannerIndex);
    if (!completion.pageWritten) context.ReportError("search: could not write the results page");
    if (!completion.searchSaved) context.ReportError("search: could not save the search");
    completed = completion.pageWritten && completion.searchSaved;
    printed = std::move(completion.rows);
    earlier = std::move(completion.earlier);
  } else {
    printed = TakeRowCells(*table);
    if (onlyNew) earlier = ReadEarlierSearch(context.ProgramFolder(), runner.LastQuery());
  }
  if (onlyNew) printed = NewRowsOnly(earlier, printed);

  PrintRows(context.out(), printed, format);
  if (report) {
    context.out() << std::flush;
    WriteOutcomeLines(context.err(), RunOutcomes(run));
  }
  return completed ? kExitOk : kExitFailure;
}

}  // namespace sorvane::cli

#include <ostream>
#include <stop_token>
#include <thread>

#include "cli/commands.h"
#include "cli/console_run.h"
#include "cli/outcome_report.h"
#include "cli/search_progress.h"
#include "cli/user_settings.h"
#include "core/engine_check.h"
#include "core/query_address.h"
#include "core/search_engine.h"
#include "platform/file_io.h"

namespace sorvane::cli {

namespace {

constexpr const char* kUsage =
    "usage: sorvane-cli [--home DIR] doctor [--json] [--page FILE]\n"
    "                   (--engine NAME | CATEGORY) WORDS\n"
    "\n"
    "Asks the category's engines (or the one engine) for WORDS exactly as a search\n"
    "does, without writing the results page or a saved search, and tells how each\n"
    "engine's part ended, one line per engine in slot order, tab-separated:\n"
    "engine, outcome, HTTP status, bytes, pages, hits, known, milliseconds, detail.\n"
    "The outcome is one of hits, all-known, stopped, no-connection, timed-out,\n"
    "refused, http-error, empty-page, no-hits, markers-not-found, invalid-address.\n"
    "--page FILE (with --engine only) parses FILE as the engine's first page\n"
    "instead of fetching it, so a saved page is checked without a network.\n"
    "--json prints an array of objects keyed engine, outcome, status, bytes, pages,\n"
    "hits, known, ms, detail, address. CATEGORY is a row name (any letter case) or\n"
    "row number. Ctrl-C stops the engines as a search's Stop does.\n"
    "Exit status: 0 when every engine took hits, 1 otherwise, 2 bad usage or an\n"
    "unknown engine or category.\n";

struct DoctorRequest {
  bool json = false;
  std::optional<std::string> pageFile;
  std::optional<std::string> engineName;
  std::string category;
  std::string words;
};

DoctorRequest ReadRequest(CliContext& context, ArgumentCursor& arguments, bool& help) {
  DoctorRequest request;
  while (arguments.AtOption()) {
    std::string value;
    if (arguments.TakeFlag("--help")) {
      help = true;
      return request;
    } else if (arguments.TakeFlag("--json")) {
      request.json = true;
    } else if (arguments.TakeOption("--page", value)) {
      request.pageFile = value;
    } else if (arguments.TakeOption("--engine", value)) {
      request.engineName = value;
    } else {
      RejectOption("doctor", arguments.Peek());
    }
  }
  if (!request.engineName) {
    if (arguments.Done()) throw UsageError("doctor needs --engine NAME or a CATEGORY, and the WORDS to look for");
    request.category = arguments.Take();
  }
  request.words = arguments.TakeWords();
  if (request.words.empty()) throw UsageError("doctor needs the WORDS to look for");
  if (request.pageFile && !request.engineName) throw UsageError("doctor: --page needs --engine NAME");
  (void)context;
  return request;
}

int FindCategoryRow(const CategoryRows& rows, const std::string& text) {
  const int byName = FindCategoryRowIgnoringCase(rows, text);
  if (byName >= 0) return byName;
  const bool allDigits = !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
  if (allDigits && text.size() <= 3 && std::stoi(text) < static_cast<int>(rows.size())) return std::stoi(text);
  throw UsageError("doctor: no category '" + text + "' (see 'sorvane-cli categories' for names and rows)");
}

// Runs the check on a thread of its own while this one draws the live lines and
// turns Ctrl-C into the check's stop.
std::vector<EngineOutcome> RunCheck(const std::vector<SearchEngine>& engines, EngineCheckOptions options,
                                    SearchProgress& progress) {
  std::stop_source stop;
  options.stop = stop.get_token();
  options.progress = [&progress](int slot, int percent) { progress.OnEngineProgress(slot, percent); };
  std::vector<EngineOutcome> outcomes;
  InterruptGuard interrupt;
  std::thread checker([&] {
    outcomes = CheckEngines(engines, std::make_shared<ResultsTable>(), options);
    progress.OnSearchDone();
  });
  const bool live = StderrIsTerminal();
  while (!progress.WaitForSearchDone(std::chrono::milliseconds(100))) {
    if (interrupt.Interrupted()) stop.request_stop();
    if (live) progress.DrawLiveLines();
  }
  checker.join();
  if (live) progress.DrawLiveLines();
  return outcomes;
}

}  // namespace

int RunDoctorCommand(CliContext& context, ArgumentCursor& arguments) {
  bool help = false;
  const DoctorRequest request = ReadRequest(context, arguments, help);
  if (help) {
    context.out() << kUsage;
    return kExitOk;
  }

  std::vector<SearchEngine> engines;
  std::string words = request.words;
  if (request.engineName) {
    engines.push_back(*RequireEngine(context, *request.engineName));
  } else {
    const CategoryRows& rows = context.Categories();
    const int row = FindCategoryRow(rows, request.category);
    if (row == kMyPcRow) throw UsageError("doctor: \"" + rows[row].name + "\" is searched with 'sorvane-cli scan'");
    for (const std::string& name : rows[row].engineNames.value_or(std::vector<std::string>{})) {
      if (const EnginePtr engine = FindEngine(context.Engines(), name)) engines.push_back(*engine);
    }
    words = RewriteWordsForCategory(rows[row].name, words);
    if (engines.empty()) {
      context.ReportError("doctor: the category \"" + rows[row].name + "\" has no engines");
      return kExitFailure;
    }
  }

  EngineCheckOptions options;
  options.words = words;
  if (request.pageFile) {
    std::optional<std::string> page = ReadWholeFile(*request.pageFile);
    if (!page) {
      context.ReportError("cannot read " + *request.pageFile);
      return kExitFailure;
    }
    options.givenFirstPage = std::make_shared<const std::string>(std::move(*page));
  } else {
    options.session = CreateInternetSession(ReadUserConnectionSettings());
  }

  std::vector<std::string> names;
  for (const SearchEngine& engine : engines) names.push_back(engine.name);
  SearchProgress progress(names, context.err());
  const std::vector<EngineOutcome> outcomes = RunCheck(engines, options, progress);

  std::vector<NamedOutcome> named;
  bool allHits = true;
  for (std::size_t slot = 0; slot < outcomes.size(); ++slot) {
    named.push_back({names[slot], outcomes[slot]});
    allHits = allHits && outcomes[slot].word == OutcomeWord::Hits;
  }
  if (request.json) {
    WriteOutcomeJson(context.out(), named);
  } else {
    WriteOutcomeLines(context.out(), named);
  }
  return allHits ? kExitOk : kExitFailure;
}

}  // namespace sorvane::cli

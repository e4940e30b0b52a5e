#include <ostream>

#include "cli/commands.h"
#include "cli/console_run.h"
#include "cli/engine_lines.h"
#include "cli/json_output.h"
#include "cli/shared_options.h"
#include "cli/user_settings.h"
#include "core/learn_engine.h"
#include "core/opensearch_description.h"
#include "core/page_charset.h"
#include "core/result_parser.h"
#include "platform/file_io.h"

namespace sorvane::cli {

namespace {

constexpr const char* kUsage =
    "usage: sorvane-cli [--home DIR] learn [--json] [--name NAME] [--page FILE]\n"
    "                   (--address ADDRESS | --opensearch FILE) WORDS\n"
    "\n"
    "Learns an engine record from a search address in which WORDS appear (as the\n"
    "browser shows it after searching WORDS on the site), or from an OpenSearch\n"
    "description (a file, or its http or https address), and the first result page\n"
    "for WORDS: fetched with the window program's connection settings, or read\n"
    "from FILE with --page. Prints the record as 'engines' prints one (its name is\n"
    "NAME, the description's ShortName or the site's host), an empty line, then the\n"
    "hits it takes from the page as 'parse' prints them. With --json, one object:\n"
    "{\"engine\": {...}, \"hits\": [...]}. 'sorvane-cli engines add -' takes this\n"
    "output as it is. Exit status 0 when the record takes at least one hit, 1 when\n"
    "no record was found, 2 for bad usage.\n";

// A fetch that stops on Ctrl-C and shows nothing meanwhile.
class InterruptibleFetch final : public FetchControl {
 public:
  explicit InterruptibleFetch(const InterruptGuard& interrupt) : interrupt_(interrupt) {}
  void ReportProgress(int) override {}
  bool StopRequested() override { return interrupt_.Interrupted(); }

 private:
  const InterruptGuard& interrupt_;
};

bool IsWebAddress(std::string_view text) { return text.starts_with("http://") || text.starts_with("https://"); }

}  // namespace

int RunLearnCommand(CliContext& context, ArgumentCursor& arguments) {
  SharedOptions options;
  std::string name;
  std::optional<std::string> pageFile;
  std::optional<std::string> address;
  std::optional<std::string> opensearch;
  while (arguments.AtOption()) {
    std::string value;
    if (TakeSharedOption(arguments, options, SharedOptions::kJson)) continue;
    if (arguments.TakeOption("--name", value)) {
      name = value;
    } else if (arguments.TakeOption("--page", value)) {
      pageFile = value;
    } else if (arguments.TakeOption("--address", value)) {
      address = value;
    } else if (arguments.TakeOption("--opensearch", value)) {
      opensearch = value;
    } else {
      RejectOption("learn", arguments.Peek());
    }
  }
  if (options.help) {
    context.out() << kUsage;
    return kExitOk;
  }
  const std::string words = arguments.TakeWords();
  if (address.has_value() == opensearch.has_value()) {
    throw UsageError("learn needs either --address ADDRESS or --opensearch FILE");
  }
  if (words.empty()) throw UsageError("learn needs the WORDS that were searched for");
  if (name.find_first_of("\t\r\n") != std::string::npos) throw UsageError("learn: a NAME cannot hold tabs or line breaks");

  InitXmlLibrary();
  InterruptGuard interrupt;
  InterruptibleFetch control(interrupt);
  std::shared_ptr<const InternetSession> session;
  auto fetch = [&](const std::string& where) -> std::optional<std::string> {
    if (!session) session = CreateInternetSession(ReadUserConnectionSettings());
    std::optional<std::string> fetched = FetchPageAt(session, where, control);
    if (!fetched) context.ReportError("cannot fetch " + where);
    return fetched;
  };

  std::optional<SearchAddressSplit> split;
  if (address) {
    split = SplitSearchAddress(*address, words);
    if (!split) {
      context.ReportError("the words '" + words + "' are not in the address " + *address +
                          " (search them on the site and copy the address the browser then shows)");
      return kExitFailure;
    }
  } else {
    const std::optional<std::string> xml = IsWebAddress(*opensearch) ? fetch(*opensearch) : ReadWholeFile(*opensearch);
    if (!xml) {
      if (!IsWebAddress(*opensearch)) context.ReportError("cannot read " + *opensearch);
      return kExitFailure;
    }
    std::string error;
    const std::optional<OpenSearchDescription> description = ReadOpenSearchDescription(*xml, error);
    if (!description) {
      context.ReportError(*opensearch + ": " + error);
      return kExitFailure;
    }
    split = SplitOpenSearchTemplate(description->htmlTemplate);
    if (!split) {
      context.ReportError(*opensearch + ": the address template " + description->htmlTemplate + " cannot be used");
      return kExitFailure;
    }
    if (name.empty()) name = description->shortName;
  }

  std::optional<std::string> page;
  if (pageFile) {
    page = ReadWholeFile(*pageFile);
    if (!page) {
      context.ReportError("cannot read " + *pageFile);
      return kExitFailure;
    }
  } else {
    page = fetch(FirstPageAddress(*split, words));
    if (!page) return kExitFailure;
    if (interrupt.Interrupted()) {
      context.ReportError("stopped");
      return kExitFailure;
    }
  }
  // The page as a search sees it: in UTF-8, zero bytes dropped.
  *page = ConvertPageToUtf8(*page, "");
  std::erase(*page, '\0');

  LearnFailure failure;
  const std::optional<LearnedEngine> learned =
      LearnEngine(*split, *page, words, name, failure, [&] { return interrupt.Interrupted(); });
  if (!learned) {
    context.ReportError("no engine record found: " + failure.message);
    return kExitFailure;
  }
  ResultsTable table;
  std::string parsed = *page;
  ParseResultPage(learned->engine, words, parsed, table, true);
  const std::vector<RowCells> hits = TakeRowCells(table);

  if (options.json) {
    context.out() << "{\"engine\": " << EngineJson(learned->engine).Text() << ",\n\"hits\": ";
    PrintRows(context.out(), hits, OutputFormat::Json);
    context.out() << "}\n";
  } else {
    context.out() << EngineLine(learned->engine) << "\n\n";
    PrintRows(context.out(), hits, OutputFormat::Tsv);
  }
  return hits.empty() ? kExitFailure : kExitOk;
}

}  // namespace sorvane::cli

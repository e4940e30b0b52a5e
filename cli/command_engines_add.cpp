#include <iostream>
#include <iterator>
#include <ostream>
#include <sstream>

#include "cli/commands.h"
#include "cli/engine_lines.h"
#include "core/engine_store.h"
#include "platform/file_io.h"

namespace sorvane::cli {

namespace {

constexpr const char* kUsage =
    "usage: sorvane-cli [--home DIR] engines add [--replace] FILE|-\n"
    "\n"
    "Adds the records of FILE ('-' for standard input) to engines.dat: one record a\n"
    "line, as 'sorvane-cli engines' prints them, read up to the first empty line.\n"
    "The file is rewritten whole or not at all. A name engines.dat already holds is\n"
    "refused unless --replace is given; the record then takes the old one's place.\n"
    "Prints 'added NAME' or 'replaced NAME' for each record.\n";

struct Addition {
  SearchEngine engine;
  int lineNumber = 0;
};

// The records of the input, or a message naming the first line that is not one.
std::optional<std::vector<Addition>> ReadAdditions(const std::string& text, std::string& error) {
  std::vector<Addition> additions;
  std::istringstream lines(text);
  std::string line;
  int number = 0;
  while (std::getline(lines, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) break;
    std::string why;
    std::optional<SearchEngine> engine = ParseEngineLine(line, why);
    if (!engine) {
      error = "line " + std::to_string(number) + ": " + why;
      return std::nullopt;
    }
    if (!engine->valid) {
      error = "line " + std::to_string(number) +
              ": a record needs a name, both tokens and a prefix, or engines.dat drops it when read";
      return std::nullopt;
    }
    additions.push_back({std::move(*engine), number});
  }
  return additions;
}

std::optional<std::size_t> IndexOf(const EngineList& engines, std::string_view name) {
  for (std::size_t i = 0; i < engines.size(); ++i) {
    if (engines.at(i)->name == name) return i;
  }
  return std::nullopt;
}

}  // namespace

int RunEnginesAddCommand(CliContext& context, ArgumentCursor& arguments) {
  bool replace = false;
  while (arguments.AtOption()) {
    if (arguments.TakeFlag("--help")) {
      context.out() << kUsage;
      return kExitOk;
    }
    if (arguments.TakeFlag("--replace")) {
      replace = true;
      continue;
    }
    RejectOption("engines add", arguments.Peek());
  }
  const std::vector<std::string> rest = arguments.TakeRest();
  if (rest.size() != 1) throw UsageError("engines add takes one FILE, or '-' for standard input");

  std::optional<std::string> text;
  if (rest.front() == "-") {
    text = std::string(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
  } else {
    text = ReadWholeFile(rest.front());
  }
  if (!text) {
    context.ReportError("cannot read " + rest.front());
    return kExitFailure;
  }
  std::string error;
  const std::optional<std::vector<Addition>> additions = ReadAdditions(*text, error);
  if (!additions) {
    context.ReportError(rest.front() + ", " + error);
    return kExitFailure;
  }
  if (additions->empty()) {
    context.ReportError(rest.front() + " holds no record");
    return kExitFailure;
  }

  EngineList engines;
  for (const EnginePtr& engine : context.Engines()) engines.Append(*engine);
  std::vector<std::string> report;
  for (const Addition& addition : *additions) {
    const std::optional<std::size_t> existing = IndexOf(engines, addition.engine.name);
    if (existing && !replace) {
      context.ReportError("an engine named '" + addition.engine.name +
                          "' exists already (--replace puts the new record in its place); nothing was added");
      return kExitFailure;
    }
    if (existing) {
      engines.Replace(*existing, addition.engine);
      report.push_back("replaced " + addition.engine.name);
    } else {
      engines.Append(addition.engine);
      report.push_back("added " + addition.engine.name);
    }
  }
  const std::filesystem::path file = context.ProgramFolder() / kEnginesFileName;
  if (!SaveEngines(context.ProgramFolder(), engines)) {
    context.ReportError("cannot write " + file.string() + "; it is as it was");
    return kExitFailure;
  }
  for (const std::string& line : report) context.out() << line << '\n';
  return kExitOk;
}

}  // namespace sorvane::cli

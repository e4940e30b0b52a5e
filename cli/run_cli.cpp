#include "cli/run_cli.h"

#include <exception>
#include <iostream>

#include "cli/commands.h"
#include "sorvane_version.h"

namespace sorvane::cli {

namespace {

constexpr const char* kUsage =
    "usage: sorvane-cli [--home DIR] COMMAND [OPTIONS] [WORDS]\n"
    "       sorvane-cli --version\n"
    "\n"
    "Commands:\n"
    "  engines      list the engines of engines.dat; 'engines add' adds records\n"
    "  categories   list the 22 categories and their engines\n"
    "  address      print the addresses an engine is asked for\n"
    "  parse        cut the hits out of saved result pages\n"
    "  scan         look for a phrase in the files of folders or drives\n"
    "  saved        list, show or delete the saved searches\n"
    "  search       send words to the engines of a category, print the hits\n"
    "  doctor       tell how each engine of a category answers, and why not\n"
    "  learn        learn an engine record from a search address or OpenSearch file\n"
    "\n"
    "--home DIR names the program folder (engines.dat, categories.dat, saved\n"
    "searches); otherwise SORVANE_HOME, the program's own folder when it holds\n"
    "engines.dat, or the per-user data folder. 'sorvane-cli COMMAND --help' tells\n"
    "more. Exit status: 0 success, 1 failure while running, 2 bad usage or an\n"
    "unknown engine or category.\n";

}  // namespace

const std::vector<CommandEntry>& LocalCommands() {
  static const std::vector<CommandEntry> table = {
      {"engines", RunEnginesCommand},
      {"categories", RunCategoriesCommand},
      {"address", RunAddressCommand},
      {"parse", RunParseCommand},
      {"scan", RunScanCommand},
      {"saved", RunSavedCommand},
  };
  return table;
}

int RunCli(std::vector<std::string> arguments, const std::vector<CommandEntry>& commands,
           std::optional<std::filesystem::path> launcherFolder) {
  ArgumentCursor cursor(std::move(arguments));
  std::optional<std::filesystem::path> home;
  try {
    while (cursor.AtOption()) {
      std::string value;
      if (cursor.TakeFlag("-h") || cursor.TakeFlag("--help")) {
        std::cout << kUsage;
        return kExitOk;
      }
      if (cursor.TakeFlag("--version")) {
        std::cout << kVersionLine << '\n';
        return kExitOk;
      }
      if (cursor.TakeOption("--home", value)) {
        home = value;
        continue;
      }
      throw UsageError("unknown option '" + cursor.Peek() + "'");
    }
    if (cursor.Done()) throw UsageError("no command given");
    const std::string name = cursor.Take();
    const CommandEntry* command = nullptr;
    for (const CommandEntry& entry : commands) {
      if (name == entry.name) command = &entry;
    }
    if (!command) throw UsageError("unknown command '" + name + "'");

    CliContext context(home, std::cout, std::cerr);
    if (launcherFolder) context.SetLauncherFolder(*launcherFolder);
    return command->run(context, cursor);
  } catch (const UsageError& error) {
    std::cerr << "sorvane-cli: " << error.what() << "\n"
              << "Try 'sorvane-cli --help'.\n";
    return kExitUsage;
  } catch (const std::exception& error) {
    std::cerr << "sorvane-cli: " << error.what() << "\n";
    return kExitFailure;
  }
}

[[noreturn]] void RejectOption(std::string_view command, const std::string& option) {
  throw UsageError(std::string(command) + ": unknown option '" + option + "'");
}

}  // namespace sorvane::cli

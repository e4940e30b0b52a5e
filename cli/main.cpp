// sorvane-cli: the searches, engine store and saved searches of Sorvane, in a terminal.

#include <exception>
#include <iostream>
#include <map>

#include "cli/commands.h"

namespace sorvane::cli {

namespace {

constexpr const char* kUsage =
    "usage: sorvane-cli [--home DIR] COMMAND [OPTIONS] [WORDS]\n"
    "\n"
    "Commands:\n"
    "  engines      list the engines of engines.dat; 'engines add' adds records\n"
    "  categories   list the 22 categories and their engines\n"
    "  address      print the addresses an engine is asked for\n"
    "  parse        cut the hits out of saved result pages\n"
    "  scan         look for a phrase in the files of folders or drives\n"
    "  saved        list, show or delete the saved searches\n"
    "  search       send words to the engines of a category, print the hits\n"
    "  learn        learn an engine record from a search address or OpenSearch file\n"
    "\n"
    "--home DIR names the program folder (engines.dat, categories.dat, saved\n"
    "searches); otherwise SORVANE_HOME, the program's own folder when it holds\n"
    "engines.dat, or the per-user data folder. 'sorvane-cli COMMAND --help' tells\n"
    "more. Exit status: 0 success, 1 failure while running, 2 bad usage or an\n"
    "unknown engine or category.\n";

using Command = int (*)(CliContext&, ArgumentCursor&);

const std::map<std::string, Command, std::less<>>& CommandTable() {
  static const std::map<std::string, Command, std::less<>> table = {
      {"engines", RunEnginesCommand},
      {"categories", RunCategoriesCommand},
      {"address", RunAddressCommand},
      {"parse", RunParseCommand},
      {"scan", RunScanCommand},
      {"saved", RunSavedCommand},
      {"search", RunSearchCommand},
      {"learn", RunLearnCommand},
  };
  return table;
}

int Run(std::vector<std::string> arguments) {
  ArgumentCursor cursor(std::move(arguments));
  std::optional<std::filesystem::path> home;
  try {
    while (cursor.AtOption()) {
      std::string value;
      if (cursor.TakeFlag("-h") || cursor.TakeFlag("--help")) {
        std::cout << kUsage;
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
    const auto command = CommandTable().find(name);
    if (command == CommandTable().end()) throw UsageError("unknown command '" + name + "'");

    CliContext context(home, std::cout, std::cerr);
    return command->second(context, cursor);
  } catch (const UsageError& error) {
    std::cerr << "sorvane-cli: " << error.what() << "\n"
              << "Try 'sorvane-cli --help'.\n";
    return kExitUsage;
  } catch (const std::exception& error) {
    std::cerr << "sorvane-cli: " << error.what() << "\n";
    return kExitFailure;
  }
}

}  // namespace

[[noreturn]] void RejectOption(std::string_view command, const std::string& option) {
  throw UsageError(std::string(command) + ": unknown option '" + option + "'");
}

}  // namespace sorvane::cli

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  return sorvane::cli::Run(std::move(arguments));
}

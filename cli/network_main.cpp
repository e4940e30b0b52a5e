// sorvane-cli-net: the commands of sorvane-cli that may reach the network. It
// is started by sorvane-cli, which hands over its whole command line after
// "--launcher-folder DIR" (see cli/network_commands.h).

#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/run_cli.h"

namespace {

const std::vector<sorvane::cli::CommandEntry>& NetworkCommands() {
  using namespace sorvane::cli;
  static const std::vector<CommandEntry> table = {
      {"search", RunSearchCommand},
      {"learn", RunLearnCommand},
      {"doctor", RunDoctorCommand},
  };
  return table;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  std::optional<std::filesystem::path> launcherFolder;
  if (arguments.size() >= 2 && arguments[0] == "--launcher-folder") {
    launcherFolder = arguments[1];
    arguments.erase(arguments.begin(), arguments.begin() + 2);
  }
  return sorvane::cli::RunCli(std::move(arguments), NetworkCommands(), std::move(launcherFolder));
}

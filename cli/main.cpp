// sorvane-cli: the searches, engine store and saved searches of Sorvane, in a
// terminal. The commands that may reach the network run in sorvane-cli-net
// (see cli/network_commands.h for why).

#include <string>
#include <vector>

#include "cli/network_commands.h"
#include "cli/run_cli.h"

int main(int argc, char** argv) {
  using namespace sorvane::cli;
  std::vector<CommandEntry> commands = LocalCommands();
  for (std::string_view name : kNetworkCommandNames) commands.push_back({name.data(), RunInNetworkHelper});
  return RunCli(std::vector<std::string>(argv + 1, argv + argc), commands);
}

#include <errno.h>
#include <unistd.h>

#include <cstring>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

#include "cli/network_commands.h"
#include "platform/program_folder.h"

namespace sorvane::cli {

namespace {

constexpr const char* kHelperName = "sorvane-cli-net";

// Beside this program first, so a build tree or a copied folder uses its own
// helper rather than an installed one.
std::vector<std::filesystem::path> HelperCandidates(const std::filesystem::path& ownFolder) {
  return {ownFolder / kHelperName,
          (ownFolder / SORVANE_HELPER_FROM_BINDIR / kHelperName).lexically_normal()};
}

}  // namespace

int RunInNetworkHelper(CliContext& context, ArgumentCursor& arguments) {
  const std::filesystem::path ownFolder = ExecutableFolder();
  std::vector<std::string> line = {"", "--launcher-folder", ownFolder.string()};
  line.insert(line.end(), arguments.All().begin(), arguments.All().end());
  std::cout.flush();
  std::cerr.flush();
  std::string tried;
  for (const std::filesystem::path& helper : HelperCandidates(ownFolder)) {
    line[0] = helper.string();
    std::vector<char*> argv;
    for (std::string& argument : line) argv.push_back(argument.data());
    argv.push_back(nullptr);
    ::execv(argv[0], argv.data());
    const int error = errno;
    if (!tried.empty()) tried += ", ";
    tried += helper.string() + " (" + std::strerror(error) + ")";
  }
  context.ReportError("cannot start the network commands' program: " + tried);
  return kExitFailure;
}

}  // namespace sorvane::cli

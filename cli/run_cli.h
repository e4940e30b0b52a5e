#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "cli/argument_cursor.h"
#include "cli/cli_context.h"

namespace sorvane::cli {

// One command: reads its own options and words from the cursor and returns the
// exit status. A UsageError thrown from it becomes exit status 2.
using Command = int (*)(CliContext&, ArgumentCursor&);

struct CommandEntry {
  const char* name;
  Command run;
};

// The commands that read and write only local files. Both sorvane-cli and its
// network helper hold them; they must never pull in the fetcher or the toolkit.
const std::vector<CommandEntry>& LocalCommands();

// One program's command line: the global options (--home, --help, --version),
// then the command named next, looked up in `commands`. `launcherFolder`, when
// given, stands in for this executable's folder when the program folder is
// chosen (the network helper runs on behalf of sorvane-cli).
int RunCli(std::vector<std::string> arguments, const std::vector<CommandEntry>& commands,
           std::optional<std::filesystem::path> launcherFolder = std::nullopt);

}  // namespace sorvane::cli

#pragma once

#include "cli/argument_cursor.h"
#include "cli/cli_context.h"
#include "cli/run_cli.h"

namespace sorvane::cli {

// Each command reads its own options and words from `arguments` and returns the
// exit status. A UsageError thrown from a command becomes exit status 2.
int RunEnginesCommand(CliContext& context, ArgumentCursor& arguments);
int RunCategoriesCommand(CliContext& context, ArgumentCursor& arguments);
int RunAddressCommand(CliContext& context, ArgumentCursor& arguments);
int RunParseCommand(CliContext& context, ArgumentCursor& arguments);
int RunScanCommand(CliContext& context, ArgumentCursor& arguments);
int RunSavedCommand(CliContext& context, ArgumentCursor& arguments);
// Network commands: only in the helper sorvane-cli-net (see cli/network_main.cpp).
int RunSearchCommand(CliContext& context, ArgumentCursor& arguments);
int RunDoctorCommand(CliContext& context, ArgumentCursor& arguments);
int RunLearnCommand(CliContext& context, ArgumentCursor& arguments);
// "engines add" (local), reached through the engines command.
int RunEnginesAddCommand(CliContext& context, ArgumentCursor& arguments);

// Throws a UsageError naming the option the command does not know.
[[noreturn]] void RejectOption(std::string_view command, const std::string& option);

}  // namespace sorvane::cli

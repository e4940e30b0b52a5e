#pragma once

// Why sorvane-cli is two executables.
//
// Most commands (engines, categories, address, parse, scan, saved) read and
// write local files only, and people run them in loops and scripts, where the
// start-up of the process is much of the time of a small scan. libcurl drags
// some twenty shared libraries behind it (TLS, Kerberos, LDAP, SSH, ...) and
// wxWidgets' base library is large; the dynamic loader maps and relocates all of
// them before main() whether a command needs them or not. So sorvane-cli itself
// links neither: it holds the local commands and is linked with --as-needed, so
// the core's fetcher never reaches its list of needed libraries (a test reads
// that list). The commands that may reach the network, and the window
// program's settings they need (the connection), live in a second executable,
// sorvane-cli-net, which sorvane-cli replaces itself with (exec) when one of
// them is asked for. Exec keeps the process: the same standard streams, Ctrl-C,
// exit status and output; only the start-up of those commands pays the price.
//
// The helper lies beside sorvane-cli (the build tree, a portable install) or,
// installed, in the program's private folder under libexec.
//
// Adding a network command: put its name here, its function in the helper's
// table (cli/network_main.cpp), and its sources in the helper's list in
// cli/CMakeLists.txt. A command that only reads local files belongs in
// LocalCommands() (cli/run_cli.cpp) instead.

#include <string_view>

#include "cli/run_cli.h"

namespace sorvane::cli {

inline constexpr std::string_view kNetworkCommandNames[] = {"search", "learn", "doctor"};

// Replaces this process with sorvane-cli-net and the same command line; returns
// only when the helper cannot be started (exit status 1 with a message).
int RunInNetworkHelper(CliContext& context, ArgumentCursor& arguments);

}  // namespace sorvane::cli

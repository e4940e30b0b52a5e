#pragma once

#include <string_view>

namespace sorvane {

// Result codes of opening an address with the system (32 or less is a failure,
// above 32 success), as the message tables below know them.
inline constexpr int kShellOpenSucceeded = 42;
inline constexpr int kShellFileNotFound = 2;
inline constexpr int kShellNoAssociation = 31;

// The message `OpenWithShell` shows for a result; empty for success and for any
// failure the table does not list.
std::string_view OpenWithShellMessage(int result);

// The message a double-clicked result row shows when its address did not open:
// the same table, except that a failure it does not list still tells the user
// there is no program for the file.
std::string_view OpenRowMessage(int result);

// What the launcher's answer means as a result code: a launched address is a
// success; a web address that did not launch means no working default browser;
// a local file that does not exist was not found; one that exists but did not
// launch has no program associated with it.
int LaunchResultCode(bool launched, bool isWebAddress, bool localFileExists);

// True for an address the default browser should open rather than a file's
// own program ("http:", "https:", "ftp:", "mailto:", "file:" and "www." prefixes).
bool IsWebAddress(std::string_view address);

}  // namespace sorvane

#pragma once

#include <optional>
#include <string>

namespace sorvane {

// The text of the system's table of mounted file systems (the /proc/self/mounts
// format: source, mount point, type, options, two numbers; octal escapes in the
// names). Nothing when the system has no such table or it cannot be read.
std::optional<std::string> ReadMountTable();

}  // namespace sorvane

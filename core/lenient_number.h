#pragma once

#include <string>
#include <string_view>

namespace sorvane {

// Numbers in our files and table cells are decimal text read the forgiving way the
// C library reads them: leading white space skipped, an optional sign, digits up to
// the first non-digit, no digits at all reading as 0. Unlike atoi, a value beyond
// the int range is clamped instead of being undefined.
int ParseLenientInt(std::string_view text);

// Plain decimal, as "%d" would print it.
std::string FormatDecimal(long long value);

}  // namespace sorvane

#pragma once

#include <string>
#include <string_view>

namespace sorvane {

// A byte a scan window can hold: codes 32 (space) to 126 ("~").
inline bool IsWindowByte(unsigned char byte) { return byte >= 32 && byte <= 126; }

// The bytes of `text` whose codes are 32 to 126, in order; every other byte is dropped.
std::string KeepPrintable(std::string_view text);

}  // namespace sorvane

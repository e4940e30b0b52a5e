#pragma once

#include <string>
#include <string_view>

namespace sorvane {

// `text` (UTF-8) with every letter case-folded by Unicode's full folding, so
// texts that differ only in letter case come out equal: "É" and "é", "Σ", "σ"
// and "ς", "STRASSE" and "straße" ("ss"). ASCII letters become lower case. Bytes
// that are not UTF-8 pass as they are. Folding may change a text's length.
std::string FoldCase(std::string_view text);

}  // namespace sorvane

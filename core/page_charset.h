#pragma once

#include <string>
#include <string_view>

namespace sorvane {

// A result page as UTF-8, so that everything after the fetch (the parser, the
// table, the results page, saved searches) sees one encoding. The page's charset
// is, in this order: the one its bytes begin with a byte order mark for; the
// charset parameter of `contentTypeHeader` (empty when there is none, as for a
// page read from a file); a <meta charset=...> or <meta http-equiv="Content-Type"
// content="...charset=..."> within the first 4 KiB; UTF-8 when the bytes are
// valid UTF-8; otherwise Windows-1252, as browsers do. A declared charset the
// system's converter does not know is passed over as if it were not declared.
// Names are read as browsers read them: ISO-8859-1 and US-ASCII mean
// Windows-1252, Shift_JIS means Windows-31J, GB2312 and GBK mean GB18030.
// Bytes that are invalid in the charset become U+FFFD and the rest of the page
// follows; the result is always valid UTF-8 apart from zero bytes kept as they are.
// Thread rule: none; it keeps no state between calls.
std::string ConvertPageToUtf8(std::string_view pageBytes, std::string_view contentTypeHeader);

// The charset the page is read in (the converter's name for it, such as "UTF-8"
// or "WINDOWS-1252"), by the order above.
std::string DetectPageCharset(std::string_view pageBytes, std::string_view contentTypeHeader);

// `text` with every byte that starts no well-formed UTF-8 sequence replaced by
// U+FFFD; well-formed text comes back as it is.
std::string ToValidUtf8(std::string_view text);

// Whether `text` is well-formed UTF-8 (no overlong forms, surrogates or code
// points past U+10FFFF).
bool IsValidUtf8(std::string_view text);

}  // namespace sorvane

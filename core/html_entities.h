#pragma once

#include <string>
#include <string_view>

namespace sorvane {

// `text` with its character references decoded to UTF-8: numeric ones ("&#233;",
// "&#xE9;") and the named ones of HTML 4 ("&eacute;", "&amp;", "&nbsp;" as U+00A0).
// A reference must end in ";"; one that is unknown or malformed stays as written.
// A number that names no character (zero, a surrogate, past U+10FFFF) gives
// U+FFFD, and 128..159 give the Windows-1252 characters of those bytes, as in
// browsers. The result is not decoded again: "&amp;lt;" gives "&lt;".
std::string DecodeCharacterReferences(std::string_view text);

// Appends the UTF-8 form of `codePoint` (at most U+10FFFF).
void AppendUtf8(std::string& out, char32_t codePoint);

}  // namespace sorvane

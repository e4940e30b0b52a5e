#pragma once

#include <wx/string.h>

#include <string>
#include <string_view>

namespace sorvane {

// The store's texts are bytes: UTF-8 when the program wrote them, possibly an
// 8-bit code page in an older engines.dat. Texts that are not UTF-8 are shown
// byte for byte as Latin-1 rather than as nothing.
inline wxString ToWx(std::string_view text) {
  wxString converted = wxString::FromUTF8(text.data(), text.size());
  return converted.empty() && !text.empty() ? wxString::From8BitData(text.data(), text.size()) : converted;
}

inline std::string FromWx(const wxString& text) { return std::string(text.utf8_str()); }

// The text of a control that showed `original`: `original` itself, byte for
// byte, while the user has not changed it. Categories find engines by exact
// name, so opening and confirming a dialog must not re-encode an untouched one.
inline std::string FromWxKeeping(const wxString& text, const std::string& original) {
  return text == ToWx(original) ? original : FromWx(text);
}

}  // namespace sorvane

#pragma once

#include <wx/string.h>
#include <wx/window.h>

#include <map>
#include <stdexcept>
#include <string>
#include <string_view>

namespace sorvane {

// The control of a built template with program id `id`, as the kind the
// template made, or null.
template <class Control>
Control* FindControl(const std::map<int, wxWindow*>& controls, int id) {
  const auto found = controls.find(id);
  return found == controls.end() ? nullptr : dynamic_cast<Control*>(found->second);
}


// Small helpers the dialogs share when they take their controls from a built
// template and move texts between the program (UTF-8 std::string) and the
// toolkit.

// The control of a template by program id, of the expected kind. A template
// and its dialog disagreeing is a programming error, reported at once.
template <class Control>
Control& TemplateControl(const std::map<int, wxWindow*>& controls, int id) {
  const auto found = controls.find(id);
  Control* control = found == controls.end() ? nullptr : dynamic_cast<Control*>(found->second);
  if (!control) throw std::logic_error("template control " + std::to_string(id) + " is missing");
  return *control;
}

// Text that is not valid UTF-8 (a file name in another encoding) still shows,
// byte for byte.
inline wxString ToWxText(std::string_view text) {
  wxString converted = wxString::FromUTF8(text.data(), text.size());
  return converted.empty() && !text.empty() ? wxString::From8BitData(text.data(), text.size()) : converted;
}

inline std::string FromWxText(const wxString& text) { return std::string(text.utf8_str()); }

}  // namespace sorvane

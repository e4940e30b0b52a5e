#pragma once

#include <wx/window.h>

#include <map>
#include <stdexcept>
#include <string>

namespace sorvane {

// The control of a built template with program id `id`, as the kind the
// template made, or null.
template <class Control>
Control* FindControl(const std::map<int, wxWindow*>& controls, int id) {
  const auto found = controls.find(id);
  return found == controls.end() ? nullptr : dynamic_cast<Control*>(found->second);
}


// Finding the controls of a built template.

// The control of a template by program id, of the expected kind. A template
// and its dialog disagreeing is a programming error, reported at once.
template <class Control>
Control& TemplateControl(const std::map<int, wxWindow*>& controls, int id) {
  const auto found = controls.find(id);
  Control* control = found == controls.end() ? nullptr : dynamic_cast<Control*>(found->second);
  if (!control) throw std::logic_error("template control " + std::to_string(id) + " is missing");
  return *control;
}


}  // namespace sorvane

#pragma once

#include <map>

class wxWindow;

namespace sorvane {

// The control of a built template with program id `id`, as the kind the
// template made, or null.
template <class Control>
Control* FindControl(const std::map<int, wxWindow*>& controls, int id) {
  const auto found = controls.find(id);
  return found == controls.end() ? nullptr : dynamic_cast<Control*>(found->second);
}

}  // namespace sorvane

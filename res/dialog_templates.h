#pragma once

#include <string_view>
#include <vector>

namespace sorvane::res {

// A dialog template as data, in dialog units; dialog_builder.h makes the
// controls from it with the window's own font.
struct ControlTemplate {
  enum class Kind { Static, DropList, Button, DefaultButton, Picture, Icon };
  Kind kind;
  int id;  // -1 for controls nobody addresses
  std::string_view text;
  int x, y, width, height;
};

struct DialogTemplate {
  int id;
  std::string_view title;
  int width, height;
  std::vector<ControlTemplate> controls;
};

// Template 128: the Previous Searches bar.
DialogTemplate PreviousSearchesTemplate();
// Template 100: the About dialog.
DialogTemplate AboutTemplate();

}  // namespace sorvane::res

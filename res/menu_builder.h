#pragma once

#include <vector>

#include "res/menus.h"

class wxAcceleratorTable;
class wxMenu;
class wxMenuBar;
class wxWindow;

namespace sorvane::res {

// Toolkit menus from menu data; command ids go through ToWxId and every command
// carries its status-bar prompt as help text. The caller owns the result.
wxMenuBar* BuildMenuBar(const std::vector<MenuEntry>& popups);
wxMenu* BuildMenu(const std::vector<MenuEntry>& entries);

wxAcceleratorTable BuildAcceleratorTable(const std::vector<Accelerator>& entries);

}  // namespace sorvane::res

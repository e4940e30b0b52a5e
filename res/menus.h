#pragma once

#include <string_view>
#include <vector>

namespace sorvane::res {

// A menu as data: the builder (menu_builder.h) turns it into toolkit menus, and
// tests read it without a display.
struct MenuEntry {
  enum class Kind { Command, Check, Separator, Popup };
  Kind kind = Kind::Command;
  int id = 0;  // command id; 0 for separators and popups
  std::string_view text;
  std::vector<MenuEntry> children;  // popups only
};

// Menu 128, the main menu: its top-level popups in order.
std::vector<MenuEntry> MainMenu();
// Menu 151, the category pane's context menu (the entries of its one popup).
std::vector<MenuEntry> CategoryMenu();
// Menu 169, the Font button's drop-down (the entries of its one popup).
std::vector<MenuEntry> FontMenu();
// The results list's row menu; a file found on this PC opens its folder
// where a web row opens the browser.
std::vector<MenuEntry> ResultRowMenu(bool fileRow);

// Positions in the main menu that the frame works with.
inline constexpr int kViewMenuPosition = 1;
inline constexpr int kGoMenuPosition = 2;
inline constexpr int kFavoritesMenuPosition = 3;

// The status-bar prompt of a command, the text before "\n" of its string-table
// entry; empty when the command has none.
std::string_view CommandPrompt(int id);
// The tooltip of a command, the text after "\n"; empty when it has none.
std::string_view CommandTooltip(int id);

// One button of the main toolbar.
struct ToolbarButton {
  int id;
  std::string_view text;
  bool dropDown;
  int image;  // index into the toolbar's image strips
};
std::vector<ToolbarButton> ToolbarButtons();
inline constexpr int kToolbarImageWidth = 22;
inline constexpr int kToolbarImageCount = 9;

// One accelerator: the key is an upper-case letter or one of the named keys.
struct Accelerator {
  enum Key : int { Insert = 0x100, Delete, Backspace, F1, F6 };
  bool ctrl = false;
  bool shift = false;
  bool alt = false;
  int key = 0;
  int command = 0;
};
// Accelerator table 128.
std::vector<Accelerator> MainAccelerators();

}  // namespace sorvane::res

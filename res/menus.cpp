#include "res/menus.h"

#include <utility>

#include "res/resource_ids.h"

namespace sorvane::res {

namespace {

using Kind = MenuEntry::Kind;

MenuEntry Command(int id, std::string_view text) { return MenuEntry{Kind::Command, id, text, {}}; }
MenuEntry Check(int id, std::string_view text) { return MenuEntry{Kind::Check, id, text, {}}; }
MenuEntry Separator() { return MenuEntry{Kind::Separator, 0, {}, {}}; }
MenuEntry Popup(std::string_view text, std::vector<MenuEntry> children) {
  return MenuEntry{Kind::Popup, 0, text, std::move(children)};
}

// The text sizes as the View menu names them; the Font button's drop-down uses
// shorter names for the same commands.
std::vector<MenuEntry> FontsSubmenu() {
  return {Command(ids::ID_FONT_LARGEST, "Lar&gest"), Command(ids::ID_FONT_LARGE, "&Larger"),
          Command(ids::ID_FONT_MEDIUM, "&Medium"), Command(ids::ID_FONT_SMALL, "&Smaller"),
          Command(ids::ID_FONT_SMALLEST, "Sm&allest")};
}

struct PromptEntry {
  int id;
  std::string_view text;  // prompt, optionally "\n" and the tooltip
};

constexpr PromptEntry kPrompts[] = {
    {ids::ID_FILE_PREFERENCES, "Edit Sorvane Options"},
    {ids::ID_VIEW_ENGINES, "Edit the list of engines Sorvane uses to search the net\nEngines"},
    {ids::ID_VIEW_SEARCH_REPORT, "Show how each engine of the last search answered\nSearch Report"},
    {ids::ID_CATEGORY_NEW_SEARCH, "Start a new Internet search"},
    {ids::ID_CATEGORY_PROPERTIES, "Edit the properties of this category"},
    {ids::ID_VIEW_STOP, "Stops opening a file.\nStop"},
    {ids::ID_VIEW_REFRESH, "Refreshes the contents of the current page.\nRefresh"},
    {ids::ID_FONT_LARGEST, "Selects largest font size."},
    {ids::ID_FONT_LARGE, "Selects large font size."},
    {ids::ID_FONT_MEDIUM, "Selects medium font size."},
    {ids::ID_FONT_SMALL, "Selects small font size."},
    {ids::ID_FONT_SMALLEST, "Selects smallest font size."},
    {ids::ID_GO_START_PAGE, "Opens your start page.\nStart Page"},
    {ids::ID_FONT_BUTTON, "Change font size.\nFonts"},
    {ids::AFX_IDW_TOOLBAR, "Show or hide the toolbar\nToggle ToolBar"},
    {ids::AFX_IDW_STATUS_BAR, "Show or hide the status bar\nToggle StatusBar"},
    // The toolkit's standard commands keep prompts of their own kind.
    {ids::ID_FILE_OPEN, "Open an existing document\nOpen"},
    {ids::ID_APP_EXIT, "Quit the application; prompts to save documents\nExit"},
    {ids::ID_APP_ABOUT, "Display program information, version number and copyright\nAbout"},
    {ids::ID_FILE_PRINT, "Print the active document\nPrint"},
    {ids::ID_FILE_EXPORT_RESULTS, "Save the results as a CSV, JSON or HTML file"},
    {ids::ID_VIEW_FIND_RESULTS, "Show only the results that contain a text"},
};

std::string_view PromptText(int id) {
  for (const PromptEntry& entry : kPrompts) {
    if (entry.id == id) return entry.text;
  }
  return {};
}

}  // namespace

std::vector<MenuEntry> MainMenu() {
  return {
      Popup("&File", {Command(ids::ID_FILE_OPEN, "&Open...\tCtrl+O"),
                      Command(ids::ID_FILE_EXPORT_RESULTS, "&Export Results..."),
                      Command(ids::ID_FILE_PREFERENCES, "&Preferences"), Separator(),
                      Command(ids::ID_APP_EXIT, "E&xit")}),
      Popup("&View", {Check(ids::AFX_IDW_TOOLBAR, "&Toolbar"), Check(ids::AFX_IDW_STATUS_BAR, "&Status Bar"),
                      Command(ids::ID_VIEW_ENGINES, "&Engines"),
                      Command(ids::ID_VIEW_FIND_RESULTS, "&Find in Results...\tCtrl+F"),
                      Command(ids::ID_VIEW_SEARCH_REPORT, "Search &Report"), Separator(),
                      Command(ids::ID_VIEW_STOP, "Sto&p\tEsc"), Command(ids::ID_VIEW_REFRESH, "&Refresh\tF5"),
                      Separator(), Popup("Fo&nts", FontsSubmenu())}),
      Popup("&Go", {Command(ids::ID_GO_BACK, "&Back"), Command(ids::ID_GO_FORWARD, "&Forward"), Separator(),
                    Command(ids::ID_GO_START_PAGE, "&Start Page")}),
      // The one separator keeps the popup from being empty until the Favorites
      // are filled in at start.
      Popup("F&avorites", {Separator()}),
      Popup("&Help", {Command(ids::ID_HELP_CONTENTS, "&Contents"),
                      Command(ids::ID_HELP_HOW_TO_USE, "&How to Use Sorvane"), Separator(),
                      Command(ids::ID_HELP_LIVE_UPDATE, "&Live Update"), Separator(),
                      Command(ids::ID_HELP_VISIT_WEB, "&Visit Tarnwell on the web"),
                      Command(ids::ID_APP_ABOUT, "&About Sorvane...")}),
  };
}

std::vector<MenuEntry> CategoryMenu() {
  return {Command(ids::ID_CATEGORY_NEW_SEARCH, "&New Search"),
          Command(ids::ID_CATEGORY_PROPERTIES, "&Properties")};
}

std::vector<MenuEntry> FontMenu() {
  return {Command(ids::ID_FONT_LARGEST, "Largest"), Command(ids::ID_FONT_LARGE, "Large"),
          Command(ids::ID_FONT_MEDIUM, "Medium"), Command(ids::ID_FONT_SMALL, "Small"),
          Command(ids::ID_FONT_SMALLEST, "Smallest")};
}

std::vector<MenuEntry> ResultRowMenu(bool fileRow) {
  return {Command(ids::ID_ROW_OPEN, "&Open"),
          fileRow ? Command(ids::ID_ROW_OPEN_FOLDER, "Open &Containing Folder")
                  : Command(ids::ID_ROW_OPEN_BROWSER, "Open in &Browser"),
          Separator(), Command(ids::ID_ROW_COPY_ADDRESS, "Copy &Address"),
          Command(ids::ID_ROW_COPY_DESCRIPTION, "Copy &Description")};
}

std::string_view CommandPrompt(int id) {
  const std::string_view text = PromptText(id);
  return text.substr(0, text.find('\n'));
}

std::string_view CommandTooltip(int id) {
  const std::string_view text = PromptText(id);
  const std::size_t newline = text.find('\n');
  return newline == std::string_view::npos ? std::string_view() : text.substr(newline + 1);
}

std::vector<ToolbarButton> ToolbarButtons() {
  // Image 5 of the strips is not used.
  return {
      {ids::ID_GO_BACK, "Back", false, 0},       {ids::ID_GO_FORWARD, "Forward", false, 1},
      {ids::ID_VIEW_STOP, "Stop", false, 2},     {ids::ID_VIEW_REFRESH, "Refresh", false, 3},
      {ids::ID_GO_START_PAGE, "Home", false, 4}, {ids::ID_FAVORITES_BUTTON, "Favorites", true, 6},
      {ids::ID_FILE_PRINT, "Print", false, 7},   {ids::ID_FONT_BUTTON, "Font", true, 8},
  };
}

std::vector<Accelerator> MainAccelerators() {
  using A = Accelerator;
  return {
      {true, false, false, 'C', ids::ID_EDIT_COPY},       {true, false, false, A::Insert, ids::ID_EDIT_COPY},
      {true, false, false, 'X', ids::ID_EDIT_CUT},        {false, true, false, A::Delete, ids::ID_EDIT_CUT},
      {true, false, false, 'V', ids::ID_EDIT_PASTE},      {false, true, false, A::Insert, ids::ID_EDIT_PASTE},
      {true, false, false, 'Z', ids::ID_EDIT_UNDO},       {false, false, true, A::Backspace, ids::ID_EDIT_UNDO},
      {true, false, false, 'N', ids::ID_FILE_NEW},        {true, false, false, 'O', ids::ID_FILE_OPEN},
      {true, false, false, 'S', ids::ID_FILE_SAVE},       {false, false, false, A::F1, ids::ID_HELP_HOW_TO_USE},
      {false, false, false, A::F6, ids::ID_NEXT_PANE},    {false, true, false, A::F6, ids::ID_PREV_PANE},
  };
}

}  // namespace sorvane::res

#pragma once

#include <string_view>
#include <vector>

namespace sorvane::res {

// The dialog templates as data, in dialog units; dialogs/window_builder.h makes
// the controls from them with the window's own font.
struct WindowControl {
  enum class Kind {
    Static,        // plain text: one line grows to fit, more lines wrap to the width
    TitleStatic,   // centred text with a sunken border
    Edit,          // one line, scrolling, bordered
    SortedDropList,
    DefaultButton,
    Button,
    Bitmap,        // a small bitmap, empty until given one
    Picture,       // the resource picture control, sunken
    ReportList,    // a report-view list with a border
    ListBox,       // single choice, bordered, scrolls vertically; the owner sorts
    GroupBox,      // a framed caption round other controls
    DropList,      // a drop-down list kept in the order its entries are added
    CheckBox,      // automatic check box
    RadioButton,   // automatic option button; consecutive ones form a group
    SunkenText,    // text centred vertically in a sunken border, for live status
    ResultsList,   // the owner-drawn results list, bordered
    Icon,          // the program icon
  };
  Kind kind;
  int id;  // -1 for controls nobody addresses
  std::string_view text;
  int x, y, width, height;
};

struct WindowTemplate {
  int id;
  std::string_view title;
  int width, height;
  std::vector<WindowControl> controls;
};

inline constexpr int IDD_SEARCH_STATUS = 154;
inline constexpr int IDD_SEARCH = 155;
inline constexpr int IDC_STATUS_STOP = 1003;
inline constexpr int IDC_CATEGORY_NAME = 1012;
inline constexpr int IDC_CATEGORY_ICON = 1013;
inline constexpr int IDC_STATUS_LIST = 1016;
inline constexpr int IDC_SEARCH_WORDS = 1017;
inline constexpr int IDC_SEARCH_TYPE = 1018;
inline constexpr int IDC_CATEGORY_PICTURE = 1019;
inline constexpr int IDB_DEFAULT_CATEGORY_PICTURE = 189;

// The search-type entries in the order the template adds them; the list sorts
// them as they arrive.
inline constexpr std::string_view kSearchTypeEntries[] = {
    "Search for entire phrase", "Search for all the words", "Search for any of the words",
    "Search using expression"};

// Template 128: the Previous Searches bar.
WindowTemplate PreviousSearchesTemplate();
// Template 100: the About dialog.
WindowTemplate AboutTemplate();
// Template 155, "Search".
WindowTemplate SearchTemplate();
// Template 154, "Search Status".
WindowTemplate SearchStatusTemplate();

}  // namespace sorvane::res

#include "res/pc_search_templates.h"

namespace sorvane::res {

WindowTemplate SearchMyPcTemplate() {
  using K = WindowControl::Kind;
  return {IDD_SEARCH_MY_PC,
          "Search My PC",
          282,
          207,
          {
              {K::Static, -1,
               "Sorvane enables you to scan your PC and network for files that contain the phrase you specify.", 7,
               7, 268, 21},
              {K::Static, -1, "Enter the phrase you want to search for", 7, 30, 125, 8},
              {K::Edit, IDC_PC_PHRASE, "", 141, 27, 134, 14},
              {K::RadioButton, IDC_PC_ALL_DRIVES, "I want to search &all the drives on my PC and network.", 7, 45,
               183, 10},
              {K::RadioButton, IDC_PC_CHOSEN_FOLDERS, "I want to &specify the folders to search", 7, 57, 133, 10},
              {K::CheckBox, IDC_PC_RECURSE, "S&can all subfolders", 7, 70, 268, 10},
              {K::Static, IDC_PC_FOLDERS_NOTE,
               "Click the Add button to add folders to this list.  This is the list of folders that will be "
               "scanned.",
               7, 84, 268, 16},
              {K::ListBox, IDC_PC_FOLDERS, "", 7, 103, 210, 80},
              {K::Button, IDC_PC_ADD, "&Add", 225, 114, 50, 14},
              {K::Button, IDC_PC_DELETE, "&Delete", 225, 135, 50, 14},
              {K::DefaultButton, 1, "&Search Now", 84, 186, 50, 14},
              {K::Button, 2, "&Cancel", 147, 186, 50, 14},
          }};
}

WindowTemplate SearchingPcTemplate() {
  using K = WindowControl::Kind;
  return {IDD_SEARCHING_PC,
          "Searching PC...",
          341,
          54,
          {
              {K::Static, -1, "Scanning Folder", 7, 16, 52, 8},
              {K::SunkenText, IDC_PC_SCANNING, "", 63, 14, 271, 12},
              {K::Button, IDC_PC_STOP, "&Stop", 145, 33, 50, 14},
          }};
}

}  // namespace sorvane::res

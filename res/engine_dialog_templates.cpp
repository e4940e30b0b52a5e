#include "res/engine_dialog_templates.h"

namespace sorvane::res {

WindowTemplate EnginesTemplate() {
  using K = WindowControl::Kind;
  return {IDD_ENGINES,
          "Engines",
          235,
          221,
          {
              {K::DefaultButton, 1, "&Close", 178, 7, 50, 14},
              {K::ListBox, IDC_ENGINES_LIST, "", 7, 7, 160, 207},
              {K::Button, IDC_ENGINES_ADD, "A&dd", 178, 88, 50, 14},
              {K::Button, IDC_ENGINES_EDIT, "&Edit", 178, 106, 50, 14},
              {K::Button, IDC_ENGINES_DELETE, "&Delete", 178, 124, 50, 14},
          }};
}

WindowTemplate EngineDetailsTemplate() {
  using K = WindowControl::Kind;
  return {IDD_ENGINE_DETAILS,
          "Engine Details",
          273,
          178,
          {
              {K::Static, -1, "Engine", 7, 14, 25, 8},
              {K::Edit, IDC_DETAILS_NAME, "", 34, 10, 232, 14},
              {K::Static, -1, "Token that Identifies Data", 7, 34, 110, 8},
              {K::Edit, IDC_DETAILS_START_TOKEN, "", 120, 32, 146, 14},
              {K::Static, -1, "Token that identifies end of data", 7, 52, 112, 8},
              {K::Edit, IDC_DETAILS_END_TOKEN, "", 120, 49, 146, 14},
              {K::Static, -1, "URL", 7, 70, 20, 8},
              {K::Edit, IDC_DETAILS_URL, "", 28, 67, 238, 14},
              {K::Static, -1, "Search Type", 7, 89, 50, 8},
              {K::DropList, IDC_DETAILS_SEARCH_TYPE, "", 58, 86, 208, 51},
              {K::Static, -1, "Next Page Command", 16, 105, 70, 8},
              {K::Edit, IDC_DETAILS_NEXT_PAGE, "", 87, 102, 179, 14},
              {K::Static, -1, "Search Command Prefix", 7, 121, 79, 8},
              {K::Edit, IDC_DETAILS_PREFIX, "", 87, 119, 179, 14},
              {K::Static, -1, "Search Command Suffix", 7, 139, 79, 8},
              {K::Edit, IDC_DETAILS_SUFFIX, "", 87, 138, 179, 14},
              {K::DefaultButton, 1, "OK", 81, 157, 50, 14},
              {K::Button, 2, "Cancel", 141, 157, 50, 14},
          }};
}

WindowTemplate CategoryPropertiesTemplate() {
  using K = WindowControl::Kind;
  return {IDD_CATEGORY_PROPERTIES,
          "Category Properties",
          273,
          186,
          {
              {K::DefaultButton, 1, "OK", 83, 165, 50, 14},
              {K::Button, 2, "Cancel", 139, 165, 50, 14},
              {K::Static, -1,
               "Please select the list of engines you want to be used for the following category.", 7, 7, 259, 8},
              {K::TitleStatic, IDC_CATEGORY_NAME, "", 39, 23, 227, 20},
              {K::Bitmap, IDC_CATEGORY_ICON, "", 7, 20, 24, 23},
              {K::GroupBox, IDC_PROPERTIES_GROUP, "Engines", 7, 44, 259, 115},
              {K::ListBox, IDC_PROPERTIES_LIST, "", 14, 56, 187, 97},
              {K::Button, IDC_PROPERTIES_ADD, "&Add", 209, 88, 50, 14},
              {K::Button, IDC_PROPERTIES_DELETE, "&Delete", 209, 105, 50, 14},
          }};
}

WindowTemplate ChooseEngineTemplate() {
  using K = WindowControl::Kind;
  return {IDD_CHOOSE_ENGINE,
          "Choose an Engine",
          220,
          210,
          {
              {K::Static, -1, "Select a search engine to add to your category", 7, 9, 148, 8},
              {K::ListBox, IDC_CHOOSE_LIST, "", 7, 23, 206, 157},
              {K::DefaultButton, 1, "OK", 58, 189, 50, 14},
              {K::Button, 2, "Cancel", 112, 189, 50, 14},
          }};
}

}  // namespace sorvane::res

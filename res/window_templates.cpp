#include "res/window_templates.h"

#include "res/resource_ids.h"

namespace sorvane::res {

WindowTemplate PreviousSearchesTemplate() {
  using K = WindowControl::Kind;
  return {ids::IDD_PREVIOUS_SEARCHES,
          "",
          313,
          16,
          {
              {K::Static, -1, "Previous Searches", 4, 4, 62, 8},
              {K::DropList, ids::IDC_PREVIOUS_LIST, "", 68, 2, 158, 100},
              {K::Button, ids::IDC_PREVIOUS_SEARCH, "&Search", 230, 1, 40, 14},
              {K::Button, ids::IDC_PREVIOUS_DELETE, "&Delete", 272, 1, 40, 14},
          }};
}

WindowTemplate AboutTemplate() {
  using K = WindowControl::Kind;
  return {ids::IDD_ABOUTBOX,
          "About Sorvane",
          235,
          215,
          {
              {K::Icon, -1, "", 11, 10, 20, 20},
              {K::Static, -1, "Sorvane 3.0a", 40, 10, 119, 8},
              {K::Static, -1, "Copyright (C) Tarnwell Software", 40, 22, 130, 8},
              {K::Static, -1, "All rights reserved.", 40, 34, 130, 8},
              {K::Static, -1, "Click the picture to visit Tarnwell on the web.", 11, 50, 210, 8},
              {K::DefaultButton, ids::IDOK, "OK", 178, 7, 50, 14},
              {K::Picture, ids::IDC_ABOUT_PICTURE, "", 67, 63, 87, 145},
          }};
}

WindowTemplate SearchTemplate() {
  using K = WindowControl::Kind;
  return {IDD_SEARCH,
          "Search",
          247,
          181,
          {
              {K::Edit, IDC_SEARCH_WORDS, "", 99, 46, 141, 14},
              {K::SortedDropList, IDC_SEARCH_TYPE, "", 138, 130, 102, 62},
              {K::DefaultButton, 1, "&Search Now", 59, 160, 50, 14},
              {K::Button, 2, "Cancel", 123, 160, 50, 14},
              {K::TitleStatic, IDC_CATEGORY_NAME, "", 47, 7, 193, 20},
              {K::Bitmap, IDC_CATEGORY_ICON, "", 7, 7, 17, 15},
              {K::Picture, IDC_CATEGORY_PICTURE, "", 7, 33, 89, 122},
              {K::Static, -1, "Enter the words you want to search for", 99, 32, 122, 8},
              {K::Static, -1, "For example:", 99, 69, 41, 8},
              {K::Static, -1, "Game software\n\nAntique Glass\n\nWooden Boats", 122, 81, 118, 43},
              {K::Static, -1, "Options", 103, 133, 25, 8},
          }};
}

WindowTemplate SearchStatusTemplate() {
  using K = WindowControl::Kind;
  return {IDD_SEARCH_STATUS,
          "Search Status",
          317,
          175,
          {
              {K::Static, -1,
               "Your search is in progress.  The list below tells you what Sorvane is currently doing.", 7, 7, 294,
               8},
              {K::ReportList, IDC_STATUS_LIST, "", 7, 22, 303, 129},
              {K::Button, IDC_STATUS_STOP, "&Stop", 133, 155, 50, 14},
          }};
}

}  // namespace sorvane::res

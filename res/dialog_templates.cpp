#include "res/dialog_templates.h"

#include "res/resource_ids.h"

namespace sorvane::res {

DialogTemplate PreviousSearchesTemplate() {
  using K = ControlTemplate::Kind;
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

DialogTemplate AboutTemplate() {
  using K = ControlTemplate::Kind;
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

}  // namespace sorvane::res

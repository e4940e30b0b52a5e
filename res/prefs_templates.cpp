#include "res/prefs_templates.h"

namespace sorvane::res {

// Both pages take the size of the larger one, as pages of one sheet do.
namespace {
constexpr int kPageWidth = 262;
constexpr int kPageHeight = 135;
}  // namespace

WindowTemplate ProgramPrefsTemplate() {
  using K = WindowControl::Kind;
  return {IDD_PROGRAM_PREFS,
          "Program",
          kPageWidth,
          kPageHeight,
          {
              {K::GroupBox, -1, "List View Colors", 7, 7, 248, 100},
              {K::Button, IDC_TITLE_COLOR, "Web Site Title Color", 13, 28, 82, 14},
              {K::Button, IDC_VIEWED_COLOR, "&Viewed Web Site Color", 13, 44, 82, 14},
              {K::Button, IDC_LONG_DESC_COLOR, "&Long Description", 13, 60, 82, 14},
              {K::Button, IDC_BACKGROUND_COLOR, "&Background Color", 13, 76, 82, 14},
              {K::ResultsList, IDC_PREVIEW_LIST, "", 99, 19, 149, 84},
              {K::CheckBox, IDC_SHOW_WEB_VIEW, "&Display the Web View when a search completes", 7, 111, 168, 10},
              {K::Button, IDC_ORIGINAL_SETTINGS, "&Use Original Settings", 181, 114, 74, 14},
          }};
}

WindowTemplate CommPrefsTemplate() {
  using K = WindowControl::Kind;
  return {IDD_COMM_PREFS,
          "Communication",
          kPageWidth,
          kPageHeight,
          {
              {K::RadioButton, IDC_CONNECT_PRECONFIGURED, "Use preconfigured settings", 39, 22, 100, 10},
              {K::RadioButton, IDC_CONNECT_DIRECT, "Direct connection to the Internet", 39, 33, 138, 8},
              {K::RadioButton, IDC_CONNECT_PROXY, "Connect through a proxy server", 39, 44, 115, 10},
              {K::Static, -1, "IP Address of proxy to use", 39, 58, 83, 8},
              {K::Edit, IDC_PROXY_SERVER, "", 39, 70, 95, 14},
              {K::Static, -1, ":", 141, 73, 8, 8},
              {K::Static, -1, "Port", 150, 58, 14, 8},
              {K::Edit, IDC_PROXY_PORT, "", 150, 70, 40, 14},
          }};
}

}  // namespace sorvane::res

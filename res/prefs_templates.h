#pragma once

#include "res/window_templates.h"

namespace sorvane::res {

inline constexpr int IDD_PROGRAM_PREFS = 132;
inline constexpr int IDD_COMM_PREFS = 133;

// Program page.
inline constexpr int IDC_TITLE_COLOR = 1002;
inline constexpr int IDC_VIEWED_COLOR = 1022;
inline constexpr int IDC_LONG_DESC_COLOR = 1021;
inline constexpr int IDC_BACKGROUND_COLOR = 1023;
inline constexpr int IDC_PREVIEW_LIST = 1016;
inline constexpr int IDC_SHOW_WEB_VIEW = 1024;
inline constexpr int IDC_ORIGINAL_SETTINGS = 1027;

// Communication page.
inline constexpr int IDC_CONNECT_PRECONFIGURED = 1022;
inline constexpr int IDC_CONNECT_DIRECT = 1023;
inline constexpr int IDC_CONNECT_PROXY = 1024;
inline constexpr int IDC_PROXY_PORT = 1021;
inline constexpr int IDC_PROXY_SERVER = 1028;

// Template 132, "Program".
WindowTemplate ProgramPrefsTemplate();
// Template 133, "Communication".
WindowTemplate CommPrefsTemplate();

}  // namespace sorvane::res

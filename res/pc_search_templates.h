#pragma once

#include "res/window_templates.h"

namespace sorvane::res {

inline constexpr int IDD_SEARCH_MY_PC = 172;
inline constexpr int IDD_SEARCHING_PC = 173;

// Search My PC.
inline constexpr int IDC_PC_DELETE = 1004;
inline constexpr int IDC_PC_ADD = 1008;
inline constexpr int IDC_PC_FOLDERS_NOTE = 1011;
inline constexpr int IDC_PC_FOLDERS = 1016;
inline constexpr int IDC_PC_PHRASE = 1017;
inline constexpr int IDC_PC_ALL_DRIVES = 1029;
inline constexpr int IDC_PC_CHOSEN_FOLDERS = 1030;
inline constexpr int IDC_PC_RECURSE = 1037;

// Searching PC...
inline constexpr int IDC_PC_STOP = 1003;
inline constexpr int IDC_PC_SCANNING = 1036;

// Template 172, "Search My PC".
WindowTemplate SearchMyPcTemplate();
// Template 173, "Searching PC...".
WindowTemplate SearchingPcTemplate();

}  // namespace sorvane::res

#pragma once

// The program's fixed numeric resource and command ids. Ids that the toolkit
// reserves for its own standard commands (open, exit, print, about, the edit
// commands...) are kept here under their numbers too; standard_ids.h maps them
// onto the toolkit's ids in one table.
namespace sorvane::ids {

// Templates, menus, accelerators, icon.
inline constexpr int IDD_ABOUTBOX = 100;
inline constexpr int IDR_MAINFRAME = 128;        // main menu, accelerators, icon, document string
inline constexpr int IDD_PREVIOUS_SEARCHES = 128;  // the Previous Searches bar
inline constexpr int IDD_SORVANE_FORM = 130;
inline constexpr int IDR_CATEGORY_MENU = 151;
inline constexpr int IDR_FONT_MENU = 169;

// Bitmaps, cursor.
inline constexpr int IDB_ROW_PICTURE = 158;
inline constexpr int IDB_TOOLBAR_NORMAL = 167;
inline constexpr int IDB_TOOLBAR_HOT = 168;
inline constexpr int IDB_ABOUT_PICTURE = 231;
inline constexpr int IDC_HAND_CURSOR = 232;
inline constexpr int IDB_FIRST_CATEGORY_BITMAP = 203;  // sets the category image size

// String table entries.
inline constexpr int IDS_DOCUMENT_TYPE = 128;
inline constexpr int IDS_APP_TITLE = 57344;

// Controls.
inline constexpr int IDC_PREVIOUS_LIST = 1001;
inline constexpr int IDC_PREVIOUS_SEARCH = 1002;
inline constexpr int IDC_PREVIOUS_DELETE = 1004;
inline constexpr int IDC_RESULTS_LIST = 1005;
inline constexpr int IDC_RESULTS_TABS = 1006;
inline constexpr int IDC_ABOUT_PICTURE = 1039;
inline constexpr int IDC_WEB_VIEW = 100;

// Control bars (the address box shares the status bar's number; the kind of
// event tells them apart).
inline constexpr int AFX_IDW_TOOLBAR = 59392;
inline constexpr int AFX_IDW_STATUS_BAR = 59393;
inline constexpr int IDC_ADDRESS_BOX = 59393;
inline constexpr int IDC_THROBBER = 59394;
inline constexpr int AFX_IDW_REBAR = 59396;
inline constexpr int AFX_IDW_DIALOGBAR = 59397;

// Program commands.
inline constexpr int ID_FILE_PREFERENCES = 32771;
inline constexpr int ID_VIEW_ENGINES = 32773;
inline constexpr int ID_CATEGORY_NEW_SEARCH = 32774;
inline constexpr int ID_CATEGORY_PROPERTIES = 32775;
inline constexpr int ID_GO_BACK = 32776;
inline constexpr int ID_GO_FORWARD = 32777;
inline constexpr int ID_VIEW_STOP = 32778;
inline constexpr int ID_VIEW_REFRESH = 32779;
inline constexpr int ID_HELP_CONTENTS = 32780;
inline constexpr int ID_HELP_HOW_TO_USE = 32781;
inline constexpr int ID_FONT_LARGEST = 32782;
inline constexpr int ID_FONT_LARGE = 32783;
inline constexpr int ID_FONT_MEDIUM = 32784;
inline constexpr int ID_FONT_SMALL = 32785;
inline constexpr int ID_FONT_SMALLEST = 32786;
inline constexpr int ID_HELP_LIVE_UPDATE = 32787;
inline constexpr int ID_HELP_VISIT_WEB = 32788;
inline constexpr int ID_GO_START_PAGE = 32789;
inline constexpr int ID_FAVORITES_BUTTON = 32791;
inline constexpr int ID_FONT_BUTTON = 32793;
inline constexpr int ID_VIEW_SEARCH_REPORT = 32794;
// The results: the row menu, finding in the list, exporting the table.
inline constexpr int ID_ROW_OPEN = 32800;
inline constexpr int ID_ROW_OPEN_BROWSER = 32801;
inline constexpr int ID_ROW_OPEN_FOLDER = 32802;
inline constexpr int ID_ROW_COPY_ADDRESS = 32803;
inline constexpr int ID_ROW_COPY_DESCRIPTION = 32804;
inline constexpr int ID_VIEW_FIND_RESULTS = 32805;
inline constexpr int ID_FILE_EXPORT_RESULTS = 32806;
inline constexpr int IDC_FIND_TEXT = 1040;
inline constexpr int IDC_FIND_NEW_ONLY = 1041;

// Favorites entries: one id per entry, 512 of them.
inline constexpr int ID_FAVORITE_FIRST = 3584;
inline constexpr int ID_FAVORITE_LAST = 4095;

// Standard commands, under their own numbers (see standard_ids.h).
inline constexpr int IDOK = 1;
inline constexpr int ID_FILE_NEW = 57600;
inline constexpr int ID_FILE_OPEN = 57601;
inline constexpr int ID_FILE_SAVE = 57603;
inline constexpr int ID_FILE_PRINT = 57607;
inline constexpr int ID_EDIT_COPY = 57634;
inline constexpr int ID_EDIT_CUT = 57635;
inline constexpr int ID_EDIT_PASTE = 57637;
inline constexpr int ID_EDIT_UNDO = 57643;
inline constexpr int ID_APP_ABOUT = 57664;
inline constexpr int ID_APP_EXIT = 57665;
inline constexpr int ID_NEXT_PANE = 57680;
inline constexpr int ID_PREV_PANE = 57681;

}  // namespace sorvane::ids

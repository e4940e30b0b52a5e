#pragma once

#include "res/window_templates.h"

namespace sorvane::res {

// The templates of the engine dialogs and the Category Properties dialog.
inline constexpr int IDD_ENGINES = 146;
inline constexpr int IDD_ENGINE_DETAILS = 147;
inline constexpr int IDD_CATEGORY_PROPERTIES = 152;
inline constexpr int IDD_CHOOSE_ENGINE = 153;

// Engines (146).
inline constexpr int IDC_ENGINES_LIST = 1007;
inline constexpr int IDC_ENGINES_ADD = 1008;
inline constexpr int IDC_ENGINES_EDIT = 1009;
inline constexpr int IDC_ENGINES_DELETE = 1004;

// Engine Details (147), one edit per text of the record.
inline constexpr int IDC_DETAILS_NAME = 1011;
inline constexpr int IDC_DETAILS_START_TOKEN = 1012;
inline constexpr int IDC_DETAILS_END_TOKEN = 1013;
inline constexpr int IDC_DETAILS_URL = 1014;
inline constexpr int IDC_DETAILS_SEARCH_TYPE = 1015;
inline constexpr int IDC_DETAILS_PREFIX = 1016;
inline constexpr int IDC_DETAILS_SUFFIX = 1017;
inline constexpr int IDC_DETAILS_NEXT_PAGE = 1018;

// Category Properties (152); the name and icon controls share the Search
// dialog's numbers (IDC_CATEGORY_NAME, IDC_CATEGORY_ICON).
inline constexpr int IDC_PROPERTIES_GROUP = 1007;
inline constexpr int IDC_PROPERTIES_LIST = 1014;
inline constexpr int IDC_PROPERTIES_ADD = 1008;
inline constexpr int IDC_PROPERTIES_DELETE = 1004;

// Choose an Engine (153).
inline constexpr int IDC_CHOOSE_LIST = 1015;

WindowTemplate EnginesTemplate();
WindowTemplate EngineDetailsTemplate();
WindowTemplate CategoryPropertiesTemplate();
WindowTemplate ChooseEngineTemplate();

}  // namespace sorvane::res

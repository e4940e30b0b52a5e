#pragma once

#include <functional>

#include "shell/app_settings.h"

namespace sorvane {

// What the Preferences pages edit: the settings the main frame holds in memory
// (showWebView and the connection) and the results list's colours, read and
// given back through the two calls. The pages change them only when the
// sheet's OK or Apply is pressed.
struct PreferencesTarget {
  AppSettings& settings;
  std::function<ListColours()> currentColours;
  std::function<void(const ListColours&)> applyColours;
};

}  // namespace sorvane

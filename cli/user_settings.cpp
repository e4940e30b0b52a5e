#include "cli/user_settings.h"

#include <wx/init.h>

#include "shell/config_settings_store.h"

namespace sorvane::cli {

ConnectionSettings ReadUserConnectionSettings() {
  // wx's config classes ask the application object where files go; the CLI has
  // none, so wx makes a console one for the time of the read.
  wxInitializer wx;
  ConfigSettingsStore store;
  return ReadConnectionSettings(store);
}

}  // namespace sorvane::cli

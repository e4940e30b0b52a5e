#pragma once

#include "core/settings_store.h"

namespace sorvane::cli {

// The connection settings of the window program's per-user store.
ConnectionSettings ReadUserConnectionSettings();

}  // namespace sorvane::cli

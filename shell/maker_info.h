#pragma once

#include "core/maker_site.h"

namespace sorvane {

// The update server and the product's name and version as the update component
// and the Help menu use them; the maker's web site is kMakerWebSite, the one
// address every link to it uses.
inline constexpr const char* kUpdateServerHost = "update.tarnwell.example";
inline constexpr const char* kProductTitle = "Sorvane";
inline constexpr const char* kProductVersion = "3.0";
inline constexpr const char* kApplicationName = "sorvane";

}  // namespace sorvane

#pragma once

#include <string_view>

namespace sorvane {

// The maker's web site, wherever the program links to it (the results page's
// banner, the About box). One place, so a new home page is a one-line change.
inline constexpr std::string_view kMakerWebSite = "https://sorvane.example/";

}  // namespace sorvane

#pragma once

namespace sorvane {

// The maker's addresses and the product's name and version as the update
// component and the Help menu use them.
inline constexpr const char* kMakerWebSite = "https://www.tarnwell.example/";
inline constexpr const char* kUpdateServerHost = "update.tarnwell.example";
inline constexpr const char* kProductTitle = "Sorvane";
inline constexpr const char* kProductVersion = "3.0";
inline constexpr const char* kApplicationName = "sorvane";

}  // namespace sorvane

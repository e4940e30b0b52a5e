#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/settings_store.h"

namespace sorvane {

// A colour as the settings store keeps it: 0x00BBGGRR.
using ColorRef = std::uint32_t;

inline constexpr ColorRef MakeColorRef(int red, int green, int blue) {
  return static_cast<ColorRef>(red & 0xFF) | (static_cast<ColorRef>(green & 0xFF) << 8) |
         (static_cast<ColorRef>(blue & 0xFF) << 16);
}
inline constexpr int RedOf(ColorRef colour) { return static_cast<int>(colour & 0xFF); }
inline constexpr int GreenOf(ColorRef colour) { return static_cast<int>((colour >> 8) & 0xFF); }
inline constexpr int BlueOf(ColorRef colour) { return static_cast<int>((colour >> 16) & 0xFF); }

// The results list's four colours, kept by the list and saved with the settings.
struct ListColours {
  ColorRef background = 0xFFFFFF;
  ColorRef webViewColor = 0;         // site titles
  ColorRef viewedSiteColor = 255;    // sites already visited (red)
  ColorRef longDescColor = 0xFF0000;  // long descriptions (blue)
};

// The main window's persisted settings in the section "Settings". The window
// edges are left, top, RIGHT and BOTTOM, -1 when never saved.
struct AppSettings {
  int x = -1;
  int y = -1;
  int w = -1;
  int h = -1;
  ListColours colours;
  int showWebView = 0;
  ConnectionSettings connection;  // "Connect Method", "Proxy", "Port"
};

// Reads every value, each missing one taking its default; `systemWindowColour`
// is the background's default (the system's window colour).
AppSettings LoadAppSettings(const SettingsStore& store, ColorRef systemWindowColour);
// Writes every value of the section.
void SaveAppSettings(SettingsStore& store, const AppSettings& settings);

// Where the window goes: the saved edges as position and size, or nothing (keep
// the place the system gave) when any of the four edges is -1.
struct WindowPlacement {
  int left, top, width, height;
};
std::optional<WindowPlacement> PlacementFromEdges(const AppSettings& settings);

// Takes the window's rectangle as the edges to save. A minimised window reports
// a place that is no place to come back to (off screen on some systems), so it
// keeps the edges it had instead.
void TakeWindowEdges(AppSettings& settings, int left, int top, int width, int height, bool minimised);

}  // namespace sorvane

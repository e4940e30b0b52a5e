#include "shell/app_settings.h"

namespace sorvane {

namespace {

int ReadInt(const SettingsStore& store, std::string_view name, long fallback) {
  return static_cast<int>(store.NumberOr(name, fallback));
}

ColorRef ReadColour(const SettingsStore& store, std::string_view name, ColorRef fallback) {
  // Stored as an integer; only the low 24 bits mean anything.
  return static_cast<ColorRef>(store.NumberOr(name, static_cast<long>(fallback))) & 0xFFFFFF;
}

}  // namespace

AppSettings LoadAppSettings(const SettingsStore& store, ColorRef systemWindowColour) {
  AppSettings settings;
  settings.x = ReadInt(store, "X", -1);
  settings.y = ReadInt(store, "Y", -1);
  settings.w = ReadInt(store, "W", -1);
  settings.h = ReadInt(store, "H", -1);
  settings.colours.background = ReadColour(store, "BackgroundColor", systemWindowColour);
  settings.colours.webViewColor = ReadColour(store, "WebViewColor", 0);
  settings.colours.viewedSiteColor = ReadColour(store, "ViewedSiteColor", 255);
  settings.colours.longDescColor = ReadColour(store, "LongDescColor", 0xFF0000);
  settings.showWebView = ReadInt(store, "ShowWebView", 0);
  settings.connection = ReadConnectionSettings(store);
  return settings;
}

void SaveAppSettings(SettingsStore& store, const AppSettings& settings) {
  store.WriteNumber("X", settings.x);
  store.WriteNumber("Y", settings.y);
  store.WriteNumber("W", settings.w);
  store.WriteNumber("H", settings.h);
  store.WriteNumber("BackgroundColor", static_cast<long>(settings.colours.background));
  store.WriteNumber("WebViewColor", static_cast<long>(settings.colours.webViewColor));
  store.WriteNumber("ViewedSiteColor", static_cast<long>(settings.colours.viewedSiteColor));
  store.WriteNumber("LongDescColor", static_cast<long>(settings.colours.longDescColor));
  store.WriteNumber("ShowWebView", settings.showWebView);
  WriteConnectionSettings(store, settings.connection);
}

std::optional<WindowPlacement> PlacementFromEdges(const AppSettings& settings) {
  if (settings.x == -1 || settings.y == -1 || settings.w == -1 || settings.h == -1) return std::nullopt;
  return WindowPlacement{settings.x, settings.y, settings.w - settings.x, settings.h - settings.y};
}

void TakeWindowEdges(AppSettings& settings, int left, int top, int width, int height, bool minimised) {
  if (minimised) return;
  settings.x = left;
  settings.y = top;
  settings.w = left + width;
  settings.h = top + height;
}

}  // namespace sorvane

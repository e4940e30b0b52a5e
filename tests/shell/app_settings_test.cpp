#include "shell/app_settings.h"

#include <gtest/gtest.h>

#include "core/settings_store.h"

namespace sorvane {
namespace {

constexpr ColorRef kSystemWindow = 0xF0F0F0;

TEST(AppSettings, FirstRunTakesEveryDefault) {
  const MemorySettingsStore empty;
  const AppSettings settings = LoadAppSettings(empty, kSystemWindow);
  EXPECT_EQ(settings.x, -1);
  EXPECT_EQ(settings.y, -1);
  EXPECT_EQ(settings.w, -1);
  EXPECT_EQ(settings.h, -1);
  EXPECT_EQ(settings.colours.background, kSystemWindow);
  EXPECT_EQ(settings.colours.webViewColor, 0u);
  EXPECT_EQ(settings.colours.viewedSiteColor, 255u);
  EXPECT_EQ(settings.colours.longDescColor, 0xFF0000u);
  EXPECT_EQ(settings.showWebView, 0);
  EXPECT_EQ(settings.connection.connectMethod, 1);
  EXPECT_EQ(settings.connection.proxy, "");
  EXPECT_EQ(settings.connection.port, "");
  EXPECT_FALSE(PlacementFromEdges(settings).has_value());
}

TEST(AppSettings, EdgesBecomePositionAndSizeAndSaveBackUnchanged) {
  MemorySettingsStore store;
  store.WriteNumber("X", 100);
  store.WriteNumber("Y", 50);
  store.WriteNumber("W", 900);
  store.WriteNumber("H", 650);
  const AppSettings settings = LoadAppSettings(store, kSystemWindow);
  const std::optional<WindowPlacement> placement = PlacementFromEdges(settings);
  ASSERT_TRUE(placement.has_value());
  EXPECT_EQ(placement->left, 100);
  EXPECT_EQ(placement->top, 50);
  EXPECT_EQ(placement->width, 800);
  EXPECT_EQ(placement->height, 600);

  MemorySettingsStore saved;
  SaveAppSettings(saved, settings);
  EXPECT_EQ(saved.ReadNumber("X"), 100);
  EXPECT_EQ(saved.ReadNumber("Y"), 50);
  EXPECT_EQ(saved.ReadNumber("W"), 900);
  EXPECT_EQ(saved.ReadNumber("H"), 650);
}

TEST(AppSettings, AnyEdgeAtMinusOneSuppressesTheMove) {
  for (const char* missing : {"X", "Y", "W", "H"}) {
    MemorySettingsStore store;
    for (const char* name : {"X", "Y", "W", "H"}) {
      if (std::string_view(name) != missing) store.WriteNumber(name, 300);
    }
    EXPECT_FALSE(PlacementFromEdges(LoadAppSettings(store, kSystemWindow)).has_value()) << missing;
    // A window whose left edge really was -1 is not moved either.
    store.WriteNumber(missing, -1);
    EXPECT_FALSE(PlacementFromEdges(LoadAppSettings(store, kSystemWindow)).has_value()) << missing;
  }
}

TEST(AppSettings, EveryValueRoundTripsUnderItsName) {
  AppSettings settings;
  settings.x = 1;
  settings.y = 2;
  settings.w = 3;
  settings.h = 4;
  settings.colours = {0x112233, 0x445566, 0x778899, 0xAABBCC};
  settings.showWebView = 1;
  settings.connection = {ConnectionSettings::kNamedProxy, "proxy.example", "8080"};
  MemorySettingsStore store;
  SaveAppSettings(store, settings);
  EXPECT_EQ(store.ReadNumber("BackgroundColor"), 0x112233);
  EXPECT_EQ(store.ReadNumber("WebViewColor"), 0x445566);
  EXPECT_EQ(store.ReadNumber("ViewedSiteColor"), 0x778899);
  EXPECT_EQ(store.ReadNumber("LongDescColor"), 0xAABBCC);
  EXPECT_EQ(store.ReadNumber("ShowWebView"), 1);
  EXPECT_EQ(store.ReadNumber("Connect Method"), 3);
  EXPECT_EQ(store.ReadText("Proxy"), "proxy.example");
  EXPECT_EQ(store.ReadText("Port"), "8080");

  const AppSettings loaded = LoadAppSettings(store, kSystemWindow);
  EXPECT_EQ(loaded.colours.background, 0x112233u);
  EXPECT_EQ(loaded.colours.longDescColor, 0xAABBCCu);
  EXPECT_EQ(loaded.connection.proxy, "proxy.example");
  EXPECT_EQ(loaded.showWebView, 1);
}

TEST(AppSettings, WindowRectangleIsSavedAsEdgesUnlessMinimised) {
  AppSettings settings;
  TakeWindowEdges(settings, 100, 50, 800, 600, false);
  EXPECT_EQ(settings.x, 100);
  EXPECT_EQ(settings.y, 50);
  EXPECT_EQ(settings.w, 900);
  EXPECT_EQ(settings.h, 650);
  // A minimised window's place (-32000 on some systems) would hide the window
  // at the next start; the last real edges stay.
  TakeWindowEdges(settings, -32000, -32000, 160, 24, true);
  EXPECT_EQ(settings.x, 100);
  EXPECT_EQ(settings.w, 900);
}

TEST(AppSettings, ColorRefKeepsRedInTheLowByte) {
  EXPECT_EQ(MakeColorRef(255, 0, 0), 0x0000FFu);
  EXPECT_EQ(MakeColorRef(0, 0, 255), 0xFF0000u);
  EXPECT_EQ(RedOf(0x123456), 0x56);
  EXPECT_EQ(GreenOf(0x123456), 0x34);
  EXPECT_EQ(BlueOf(0x123456), 0x12);
}

}  // namespace
}  // namespace sorvane

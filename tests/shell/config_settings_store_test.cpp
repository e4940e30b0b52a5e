#include "shell/config_settings_store.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace sorvane {
namespace {

using testing::TempFolder;

TEST(ConfigSettingsStore, ValuesSurviveAReopenAndMissingOnesReadAsNothing) {
  TempFolder folder;
  const auto file = folder.path() / "config" / "sorvane.conf";
  {
    ConfigSettingsStore store(file);
    EXPECT_FALSE(store.ReadNumber("Connect Method").has_value());
    EXPECT_FALSE(store.ReadText("Proxy").has_value());
    EXPECT_EQ(ReadConnectionSettings(store).connectMethod, ConnectionSettings::kDirect);
    WriteConnectionSettings(store, {ConnectionSettings::kNamedProxy, "proxy.example", "3128"});
    store.WriteNumber("X", -1);
    store.WriteText("Folder0", "/home/user/My Files = caf\xC3\xA9");
    EXPECT_TRUE(store.Flush());
  }
  ConfigSettingsStore reopened(file);
  const ConnectionSettings settings = ReadConnectionSettings(reopened);
  EXPECT_EQ(settings.connectMethod, 3);
  EXPECT_EQ(settings.proxy, "proxy.example");
  EXPECT_EQ(settings.port, "3128");
  EXPECT_EQ(reopened.ReadNumber("X"), -1);
  EXPECT_EQ(reopened.ReadText("Folder0"), "/home/user/My Files = caf\xC3\xA9");
  EXPECT_NE(folder.Read("config/sorvane.conf").find("[Settings]"), std::string::npos);
}

TEST(MemorySettingsStore, DefaultsForMissingValues) {
  MemorySettingsStore store;
  EXPECT_EQ(store.NumberOr("ShowWebView", 0), 0);
  store.WriteNumber("ShowWebView", 1);
  EXPECT_EQ(store.NumberOr("ShowWebView", 0), 1);
  EXPECT_EQ(store.TextOr("Port", ""), "");
}

}  // namespace
}  // namespace sorvane

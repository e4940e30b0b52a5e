#include "dialogs/connection_choice.h"

#include <gtest/gtest.h>

namespace sorvane {
namespace {

TEST(ConnectionChoice, OptionsAndMethodsMapBothWaysAndUnknownMethodsShowAsPreconfigured) {
  EXPECT_EQ(ConnectOptionIndex(0), 0);
  EXPECT_EQ(ConnectOptionIndex(1), 1);
  EXPECT_EQ(ConnectOptionIndex(3), 2);
  for (const int unknown : {2, 4, -1, 1029}) EXPECT_EQ(ConnectOptionIndex(unknown), 0) << unknown;
  EXPECT_EQ(ConnectMethodOfOption(0), 0);
  EXPECT_EQ(ConnectMethodOfOption(1), 1);
  EXPECT_EQ(ConnectMethodOfOption(2), 3);
  EXPECT_TRUE(ProxyEditsEnabled(3));
  for (const int other : {0, 1, 2}) EXPECT_FALSE(ProxyEditsEnabled(other)) << other;
}

TEST(ConnectionChoice, TheProxyMethodNeedsAProxyAndHasBothTextsTrimmed) {
  EXPECT_FALSE(ConnectionToStore(3, "", "8080"));
  EXPECT_FALSE(ConnectionToStore(3, "  ", "8080"));
  EXPECT_FALSE(ConnectionToStore(3, "\t\r\n", ""));
  const auto stored = ConnectionToStore(3, "  proxy.local \t", " 8080 ");
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->connectMethod, 3);
  EXPECT_EQ(stored->proxy, "proxy.local");
  EXPECT_EQ(stored->port, "8080");
  // The port is text: it need not be a number, nor be there at all.
  EXPECT_EQ(ConnectionToStore(3, "proxy", "")->port, "");
  EXPECT_EQ(ConnectionToStore(3, "proxy", "http")->port, "http");
}

TEST(ConnectionChoice, OtherMethodsKeepTheTextsAsTypedAndNeedNoProxy) {
  for (const int method : {0, 1, 2}) {
    const auto stored = ConnectionToStore(method, "  proxy.local ", " 80 ");
    ASSERT_TRUE(stored) << method;
    EXPECT_EQ(stored->connectMethod, method);
    EXPECT_EQ(stored->proxy, "  proxy.local ");
    EXPECT_EQ(stored->port, " 80 ");
    EXPECT_TRUE(ConnectionToStore(method, "", "")) << method;
  }
}

}  // namespace
}  // namespace sorvane

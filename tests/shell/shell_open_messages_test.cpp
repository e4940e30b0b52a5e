#include "shell/shell_open_messages.h"

#include <gtest/gtest.h>

namespace sorvane {
namespace {

TEST(OpenWithShellMessage, ListedFailuresHaveTheirTextsOthersNone) {
  EXPECT_EQ(OpenWithShellMessage(0), "The operating system is out of memory or resources.");
  for (int code : {2, 3, 27}) {
    EXPECT_EQ(OpenWithShellMessage(code), "It seems that your default Web browser is not properly set up.") << code;
  }
  EXPECT_EQ(OpenWithShellMessage(5), "The operating system denied access to the specified file. ");
  EXPECT_EQ(OpenWithShellMessage(8), "There was not enough memory to complete the operation.");
  EXPECT_EQ(OpenWithShellMessage(11), "The .EXE file is invalid (non-Win32 .EXE or error in .EXE image).");
  EXPECT_EQ(OpenWithShellMessage(28), "The DDE transaction could not be completed because the request timed out.");
  EXPECT_EQ(OpenWithShellMessage(29), "The DDE transaction failed.");
  EXPECT_EQ(OpenWithShellMessage(30),
            "The DDE transaction could not be completed because other DDE transactions were being processed.");
  EXPECT_EQ(OpenWithShellMessage(31), "There is no application associated with the given filename extension.");
  EXPECT_EQ(OpenWithShellMessage(32), "The specified dynamic-link library was not found. ");
  // Unlisted failures and every success say nothing.
  for (int code : {1, 4, 26, 33, 42, 100}) EXPECT_TRUE(OpenWithShellMessage(code).empty()) << code;
}

TEST(OpenWithShellMessage, OpenRowNamesEveryFailureTheTableDoesNotList) {
  for (int code : {0, 2, 5, 31, 32}) EXPECT_EQ(OpenRowMessage(code), OpenWithShellMessage(code)) << code;
  for (int code : {1, 4, 26}) {
    EXPECT_EQ(OpenRowMessage(code), "You do not have a program set up to view this file.") << code;
  }
  for (int code : {33, 42}) EXPECT_TRUE(OpenRowMessage(code).empty()) << code;
}

TEST(OpenWithShellMessage, LauncherAnswersMapOntoResultCodes) {
  EXPECT_GT(LaunchResultCode(true, true, false), 32);
  EXPECT_GT(LaunchResultCode(true, false, true), 32);
  EXPECT_EQ(OpenWithShellMessage(LaunchResultCode(false, true, false)),
            "It seems that your default Web browser is not properly set up.");
  EXPECT_EQ(LaunchResultCode(false, false, false), 2);
  EXPECT_EQ(OpenWithShellMessage(LaunchResultCode(false, false, true)),
            "There is no application associated with the given filename extension.");
}

TEST(OpenWithShellMessage, WebAddressesAreToldFromFiles) {
  EXPECT_TRUE(IsWebAddress("http://a.example/"));
  EXPECT_TRUE(IsWebAddress("HTTPS://a.example/"));
  EXPECT_TRUE(IsWebAddress("www.tarnwell.example"));
  EXPECT_TRUE(IsWebAddress("mailto:someone@example.org"));
  EXPECT_FALSE(IsWebAddress("/home/user/report.txt"));
  EXPECT_FALSE(IsWebAddress("httpfile.txt"));
  EXPECT_FALSE(IsWebAddress(""));
}

}  // namespace
}  // namespace sorvane

#pragma once

#include <filesystem>
#include <functional>
#include <string>

namespace sorvane {

class SettingsStore;

// What the main frame is built with; the application fills it from the command
// line and the environment, tests from their own temporary folders.
struct FrameOptions {
  std::filesystem::path programFolder;    // engines.dat, index.htm, the results page
  std::filesystem::path favoritesFolder;  // the user's tree of .url shortcuts
  SettingsStore* settings = nullptr;      // the section "Settings"; outlives the frame
  bool browserView = true;                // false: the trimmed window without a browser
  // Opens an address with the system's program for it and gives the launch's
  // result code (above 32: success); empty means the desktop's own launcher.
  std::function<int(const std::string& address)> launcher;
};

// Whether the window gets a browser view: a browser backend must exist, and
// neither the --no-webview option nor a non-empty SORVANE_NO_WEBVIEW variable
// may ask for the trimmed window.
bool UseBrowserView(bool noWebViewOption);

}  // namespace sorvane

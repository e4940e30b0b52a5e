#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace sorvane {

// The window program's command line: [--home DIR] [--no-webview] [FILE.htm].
struct GuiCommandLine {
  std::optional<std::filesystem::path> home;  // the program folder
  bool noWebView = false;                     // the window without a browser view
  std::string file;                           // an HTML page to open as the document
  bool valid = true;                          // false: an unknown option or a second file
  bool version = false;                       // --version: print the version line, open no window
  bool help = false;                          // --help: print the usage line, open no window
};

// Reads the arguments after the program's name.
GuiCommandLine ParseGuiCommandLine(const std::vector<std::string>& arguments);

inline constexpr const char* kGuiUsage = "Usage: sorvane [--home DIR] [--no-webview] [FILE.htm] | --version | --help";

}  // namespace sorvane

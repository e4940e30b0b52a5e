#include "shell/command_line.h"

namespace sorvane {

GuiCommandLine ParseGuiCommandLine(const std::vector<std::string>& arguments) {
  GuiCommandLine line;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--home") {
      if (i + 1 >= arguments.size()) {
        line.valid = false;
        break;
      }
      line.home = std::filesystem::path(arguments[++i]);
    } else if (argument.rfind("--home=", 0) == 0) {
      line.home = std::filesystem::path(argument.substr(7));
    } else if (argument == "--version") {
      line.version = true;
    } else if (argument == "--help" || argument == "-h") {
      line.help = true;
    } else if (argument == "--no-webview") {
      line.noWebView = true;
    } else if (argument == "--") {
      // Everything after "--" is a file name, even when it starts with "-".
      for (++i; i < arguments.size(); ++i) {
        if (!line.file.empty()) line.valid = false;
        line.file = arguments[i];
      }
    } else if (argument.size() > 1 && argument.front() == '-') {
      line.valid = false;
    } else if (line.file.empty()) {
      line.file = argument;
    } else {
      line.valid = false;
    }
  }
  return line;
}

}  // namespace sorvane

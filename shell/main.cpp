#include <cstdio>
#include <string>
#include <vector>

#include "shell/command_line.h"
#include "shell/sorvane_app.h"
#include "sorvane_version.h"

wxIMPLEMENT_APP_NO_MAIN(sorvane::CSorvaneApp);

int main(int argc, char** argv) {
  // --version and --help answer on the terminal before the toolkit opens the
  // display, so they work where there is none (package checks, ssh sessions).
  const sorvane::GuiCommandLine line = sorvane::ParseGuiCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  if (line.valid && line.version) {
    std::printf("%s\n", sorvane::kVersionLine);
    return 0;
  }
  if (line.valid && line.help) {
    std::printf("%s\n", sorvane::kGuiUsage);
    return 0;
  }
  return wxEntry(argc, argv);
}

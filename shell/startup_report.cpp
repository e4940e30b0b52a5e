#include "shell/startup_report.h"

#include <wx/frame.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

namespace sorvane {

namespace {

std::optional<long> ResidentKilobytes() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  }
  return std::nullopt;
}

}  // namespace

std::optional<long> MillisecondsSinceProcessStart() {
  std::ifstream statFile("/proc/self/stat");
  std::string stat((std::istreambuf_iterator<char>(statFile)), std::istreambuf_iterator<char>());
  // The command name may hold spaces; the fields after it are plain numbers.
  const std::size_t close = stat.rfind(')');
  if (close == std::string::npos) return std::nullopt;
  std::istringstream fields(stat.substr(close + 2));
  std::string field;
  unsigned long long startTicks = 0;
  for (int index = 3; fields >> field; ++index) {
    if (index == 22) {
      startTicks = std::stoull(field);
      break;
    }
  }
  std::ifstream uptimeFile("/proc/uptime");
  double uptimeSeconds = 0;
  if (!(uptimeFile >> uptimeSeconds) || startTicks == 0) return std::nullopt;
  const double ticksPerSecond = static_cast<double>(sysconf(_SC_CLK_TCK));
  return static_cast<long>((uptimeSeconds - static_cast<double>(startTicks) / ticksPerSecond) * 1000.0);
}

void ReportStartupWhenIdle(wxFrame& frame) {
  if (!std::getenv("SORVANE_STARTUP_REPORT")) return;
  auto reported = std::make_shared<bool>(false);
  frame.Bind(wxEVT_IDLE, [reported](wxIdleEvent& event) {
    event.Skip();
    if (*reported) return;
    *reported = true;
    std::fprintf(stderr, "startup-idle-ms %ld\nstartup-rss-kb %ld\n", MillisecondsSinceProcessStart().value_or(-1),
                 ResidentKilobytes().value_or(-1));
    std::fflush(stderr);
  });
}

}  // namespace sorvane

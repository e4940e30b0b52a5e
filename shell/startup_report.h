#pragma once

#include <optional>

class wxFrame;

namespace sorvane {

// Milliseconds since this process was started, from the system's own record of
// its start (so loading the libraries counts too); nothing where unknown.
std::optional<long> MillisecondsSinceProcessStart();

// When SORVANE_STARTUP_REPORT is set, writes "startup-idle-ms N" and
// "startup-rss-kb N" to standard error at the first idle moment after the frame
// is shown, for the start-up measurements (scripts/measure-startup).
void ReportStartupWhenIdle(wxFrame& frame);

}  // namespace sorvane

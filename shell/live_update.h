#pragma once

#include <filesystem>

namespace sorvane {

// The exported entry point of the optional update component
// (libliveupdate.so / liveupdate.dll): int LiveUpdateCheck(const char* title,
// const char* version, const char* host).
inline constexpr const char* kLiveUpdateEntry = "LiveUpdateCheck";

// Calls the update component, looked for in the program folder and then on the
// system's library path, with the product title, the version and the update
// server's host. Its answer, or 0 when the component or its entry is missing.
int CallLiveUpdate(const std::filesystem::path& programFolder);

}  // namespace sorvane

// A stand-in update component for the tests: it answers 7 when it was called
// with the program's title, version and update host, and 0 otherwise.
#include <cstring>

extern "C" __attribute__((visibility("default"))) int LiveUpdateCheck(const char* title, const char* version,
                                                                       const char* host) {
  const bool expected = std::strcmp(title, "Sorvane") == 0 && std::strcmp(version, "3.0") == 0 &&
                        std::strcmp(host, "update.tarnwell.example") == 0;
  return expected ? 7 : 0;
}

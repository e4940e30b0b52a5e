#include "pcsearch/keep_printable.h"

namespace sorvane {

std::string KeepPrintable(std::string_view text) {
  std::string kept;
  kept.reserve(text.size());
  for (const char c : text) {
    if (IsWindowByte(static_cast<unsigned char>(c))) kept += c;
  }
  return kept;
}

}  // namespace sorvane

#include "res/strings.h"

namespace sorvane::res {

std::string_view DocumentTypePart(DocumentPart part) {
  std::string_view rest = kDocumentType;
  for (int index = 0; index < static_cast<int>(part); ++index) {
    const std::size_t newline = rest.find('\n');
    if (newline == std::string_view::npos) return {};
    rest.remove_prefix(newline + 1);
  }
  return rest.substr(0, rest.find('\n'));
}

}  // namespace sorvane::res

#include <algorithm>

#include "res/embedded_files.h"
#include "res/embedded_table.h"

namespace sorvane::res {

std::span<const unsigned char> EmbeddedFile(std::string_view name) {
  const std::span<const EmbeddedEntry> table = EmbeddedTable();
  const auto found = std::find_if(table.begin(), table.end(),
                                  [name](const EmbeddedEntry& entry) { return entry.name == name; });
  if (found == table.end()) return {};
  return {found->data, found->size};
}

std::vector<std::string_view> EmbeddedFileNames() {
  std::vector<std::string_view> names;
  for (const EmbeddedEntry& entry : EmbeddedTable()) names.push_back(entry.name);
  std::sort(names.begin(), names.end());
  return names;
}

std::string BitmapFileName(int id) { return "bitmap_" + std::to_string(id) + ".bmp"; }

}  // namespace sorvane::res

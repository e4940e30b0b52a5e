#pragma once

#include <cstddef>
#include <span>
#include <string_view>

namespace sorvane::res {

// One embedded file; the table is generated at build time from res/images.
struct EmbeddedEntry {
  std::string_view name;
  const unsigned char* data;
  std::size_t size;
};

std::span<const EmbeddedEntry> EmbeddedTable();

}  // namespace sorvane::res

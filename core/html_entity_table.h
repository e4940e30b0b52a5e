#pragma once

#include <span>
#include <string_view>

namespace sorvane {

struct NamedCharacter {
  std::string_view name;  // without "&" and ";"
  char32_t codePoint;
};

// The named references decoded in descriptions, sorted by name in byte order.
std::span<const NamedCharacter> NamedCharacterTable();

// The character a numeric reference to 128..159 stands for on the pages that
// write one (Windows-1252's at that byte); 0 outside that range and for the bytes
// Windows-1252 leaves undefined.
char32_t Windows1252CharacterAt(unsigned byte);

}  // namespace sorvane

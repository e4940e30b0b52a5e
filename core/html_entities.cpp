#include "core/html_entities.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "core/html_entity_table.h"

namespace sorvane {
namespace {

constexpr char32_t kReplacementCodePoint = 0xFFFD;
constexpr char32_t kMaxCodePoint = 0x10FFFF;
// The longest name of the table is 8 bytes; anything longer is no reference.
constexpr std::size_t kMaxNameLength = 8;

bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }
bool IsAsciiAlnum(char c) { return IsAsciiDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

int HexValue(char c) {
  if (IsAsciiDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

struct Reference {
  char32_t codePoint;
  std::size_t length;  // from the "&" through the ";"
};

// The numeric reference at `at` ("&#" already seen there).
std::optional<Reference> NumericReferenceAt(std::string_view text, std::size_t at) {
  std::size_t pos = at + 2;
  const bool hex = pos < text.size() && (text[pos] == 'x' || text[pos] == 'X');
  if (hex) ++pos;
  const std::size_t digitsStart = pos;
  std::uint64_t value = 0;
  for (; pos < text.size(); ++pos) {
    const int digit = hex ? HexValue(text[pos]) : (IsAsciiDigit(text[pos]) ? text[pos] - '0' : -1);
    if (digit < 0) break;
    // Past the last code point the value only has to stay out of range.
    if (value <= kMaxCodePoint) value = value * (hex ? 16 : 10) + static_cast<std::uint64_t>(digit);
  }
  if (pos == digitsStart || pos >= text.size() || text[pos] != ';') return std::nullopt;

  char32_t codePoint = kReplacementCodePoint;
  if (value >= 0x80 && value < 0xA0 && Windows1252CharacterAt(static_cast<unsigned>(value)) != 0) {
    codePoint = Windows1252CharacterAt(static_cast<unsigned>(value));
  } else if (value != 0 && value <= kMaxCodePoint && (value < 0xD800 || value > 0xDFFF)) {
    codePoint = static_cast<char32_t>(value);
  }
  return Reference{codePoint, pos + 1 - at};
}

std::optional<Reference> NamedReferenceAt(std::string_view text, std::size_t at) {
  std::size_t pos = at + 1;
  while (pos < text.size() && pos - at - 1 <= kMaxNameLength && IsAsciiAlnum(text[pos])) ++pos;
  if (pos >= text.size() || text[pos] != ';') return std::nullopt;
  const std::string_view name = text.substr(at + 1, pos - at - 1);
  const std::span<const NamedCharacter> table = NamedCharacterTable();
  const auto found = std::lower_bound(table.begin(), table.end(), name,
                                      [](const NamedCharacter& entry, std::string_view key) {
                                        return entry.name < key;
                                      });
  if (found == table.end() || found->name != name) return std::nullopt;
  return Reference{found->codePoint, pos + 1 - at};
}

}  // namespace

void AppendUtf8(std::string& out, char32_t codePoint) {
  if (codePoint < 0x80) {
    out.push_back(static_cast<char>(codePoint));
  } else if (codePoint < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (codePoint >> 6)));
    out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
  } else if (codePoint < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (codePoint >> 12)));
    out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (codePoint >> 18)));
    out.push_back(static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
  }
}

std::string DecodeCharacterReferences(std::string_view text) {
  std::string decoded;
  decoded.reserve(text.size());
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t amp = text.find('&', pos);
    if (amp == std::string_view::npos) break;
    decoded.append(text, pos, amp - pos);
    const bool numeric = amp + 1 < text.size() && text[amp + 1] == '#';
    const std::optional<Reference> reference =
        numeric ? NumericReferenceAt(text, amp) : NamedReferenceAt(text, amp);
    if (reference) {
      AppendUtf8(decoded, reference->codePoint);
      pos = amp + reference->length;
    } else {
      decoded.push_back('&');
      pos = amp + 1;
    }
  }
  decoded.append(text, pos, std::string_view::npos);
  return decoded;
}

}  // namespace sorvane

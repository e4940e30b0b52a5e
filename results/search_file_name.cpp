#include "results/search_file_name.h"

namespace sorvane {

namespace {

bool NeedsEncoding(unsigned char c) {
  if (c < 0x20) return true;
  switch (c) {
    case '\\': case '/': case ':': case '*': case '?': case '"': case '<': case '>': case '|': case '%':
      return true;
    default:
      return false;
  }
}

void AppendEncoded(std::string& out, unsigned char c) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  out.push_back('%');
  out.push_back(kHex[c >> 4]);
  out.push_back(kHex[c & 0x0F]);
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string EncodeSearchFileTitle(std::string_view words) {
  std::string out;
  if (words == "." || words == "..") {
    for (const char c : words) AppendEncoded(out, static_cast<unsigned char>(c));
    return out;
  }
  out.reserve(words.size());
  for (const char c : words) {
    if (NeedsEncoding(static_cast<unsigned char>(c))) {
      AppendEncoded(out, static_cast<unsigned char>(c));
    } else {
      out.push_back(c);
    }
  }
  return out;
}

std::string DecodeSearchFileTitle(std::string_view title) {
  std::string out;
  out.reserve(title.size());
  for (std::size_t i = 0; i < title.size(); ++i) {
    if (title[i] == '%' && i + 2 < title.size() && HexValue(title[i + 1]) >= 0 && HexValue(title[i + 2]) >= 0) {
      out.push_back(static_cast<char>(HexValue(title[i + 1]) * 16 + HexValue(title[i + 2])));
      i += 2;
    } else {
      out.push_back(title[i]);
    }
  }
  return out;
}

}  // namespace sorvane

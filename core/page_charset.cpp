#include "core/page_charset.h"

#include <iconv.h>

#include <array>
#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <optional>

namespace sorvane {
namespace {

constexpr std::size_t kMetaScanLength = 4096;
constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";
constexpr std::string_view kUtf8 = "UTF-8";
constexpr std::string_view kWindows1252 = "WINDOWS-1252";

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

std::string LowerAscii(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = LowerAscii(c);
  return lower;
}

bool IsHtmlSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

std::string_view TrimHtmlSpace(std::string_view text) {
  while (!text.empty() && IsHtmlSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsHtmlSpace(text.back())) text.remove_suffix(1);
  return text;
}

// Position of `needle` (lower case) in `text` compared without ASCII case, or npos.
std::size_t FindIgnoringCase(std::string_view text, std::string_view needle, std::size_t from = 0) {
  if (needle.size() > text.size()) return std::string_view::npos;
  for (std::size_t at = from; at + needle.size() <= text.size(); ++at) {
    std::size_t i = 0;
    while (i < needle.size() && LowerAscii(text[at + i]) == needle[i]) ++i;
    if (i == needle.size()) return at;
  }
  return std::string_view::npos;
}

// A page names its charset in the words browsers accept, and several of those
// words mean a wider charset than they say (pages labelled ISO-8859-1 are written
// in Windows-1252 more often than not); this gives the converter the charset a
// browser would actually decode with. Other names go to the converter as written.
std::string ConverterNameFor(std::string_view label) {
  struct Alias {
    std::string_view label;
    std::string_view converterName;
  };
  static constexpr Alias kAliases[] = {
      {"utf-8", "UTF-8"},           {"utf8", "UTF-8"},
      {"unicode-1-1-utf-8", "UTF-8"}, {"x-unicode20utf8", "UTF-8"},
      {"iso-8859-1", "WINDOWS-1252"}, {"iso8859-1", "WINDOWS-1252"},
      {"iso_8859-1", "WINDOWS-1252"}, {"latin1", "WINDOWS-1252"},
      {"l1", "WINDOWS-1252"},       {"us-ascii", "WINDOWS-1252"},
      {"ascii", "WINDOWS-1252"},    {"ansi_x3.4-1968", "WINDOWS-1252"},
      {"cp819", "WINDOWS-1252"},    {"ibm819", "WINDOWS-1252"},
      {"iso-ir-100", "WINDOWS-1252"}, {"csisolatin1", "WINDOWS-1252"},
      {"windows-1252", "WINDOWS-1252"}, {"cp1252", "WINDOWS-1252"},
      {"x-cp1252", "WINDOWS-1252"}, {"iso-8859-9", "WINDOWS-1254"},
      {"latin5", "WINDOWS-1254"},   {"iso-8859-11", "CP874"},
      {"tis-620", "CP874"},         {"windows-874", "CP874"},
      {"shift_jis", "WINDOWS-31J"}, {"shift-jis", "WINDOWS-31J"},
      {"sjis", "WINDOWS-31J"},      {"x-sjis", "WINDOWS-31J"},
      {"ms_kanji", "WINDOWS-31J"},  {"csshiftjis", "WINDOWS-31J"},
      {"ms932", "WINDOWS-31J"},     {"windows-31j", "WINDOWS-31J"},
      {"gb2312", "GB18030"},        {"gb_2312", "GB18030"},
      {"gb_2312-80", "GB18030"},    {"csgb2312", "GB18030"},
      {"chinese", "GB18030"},       {"iso-ir-58", "GB18030"},
      {"gbk", "GB18030"},           {"x-gbk", "GB18030"},
      {"cp936", "GB18030"},         {"windows-936", "GB18030"},
      {"euc-kr", "CP949"},          {"ks_c_5601-1987", "CP949"},
      {"korean", "CP949"},          {"windows-949", "CP949"},
      {"big5", "BIG5-HKSCS"},       {"x-x-big5", "BIG5-HKSCS"},
      {"cn-big5", "BIG5-HKSCS"},    {"csbig5", "BIG5-HKSCS"},
      {"utf-16", "UTF-16LE"},       {"macintosh", "MACINTOSH"},
      {"mac", "MACINTOSH"},         {"x-mac-roman", "MACINTOSH"},
  };
  const std::string lower = LowerAscii(label);
  for (const Alias& alias : kAliases) {
    if (alias.label == lower) return std::string(alias.converterName);
  }
  std::string upper(label);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  }
  return upper;
}

// The converter's name for a declared label, when the converter knows it. The
// label comes from the page, so only the characters of charset names pass: a
// "//" would ask the converter for transliteration or ignoring instead.
std::optional<std::string> KnownCharset(std::string_view label) {
  label = TrimHtmlSpace(label);
  if (label.empty() || label.size() > 40) return std::nullopt;
  for (char c : label) {
    const bool nameChar = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                          c == '-' || c == '_' || c == '.' || c == ':' || c == '+';
    if (!nameChar) return std::nullopt;
  }
  std::string name = ConverterNameFor(label);
  const iconv_t probe = iconv_open("UTF-8", name.c_str());
  if (probe == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  iconv_close(probe);
  return name;
}

// The value after "charset" and "=" in `text` (a Content-Type value or a meta
// tag's content attribute), unquoted, up to the next space, ";" or quote.
std::optional<std::string_view> CharsetParameter(std::string_view text) {
  std::size_t at = 0;
  while ((at = FindIgnoringCase(text, "charset", at)) != std::string_view::npos) {
    std::size_t pos = at + 7;
    while (pos < text.size() && IsHtmlSpace(text[pos])) ++pos;
    if (pos >= text.size() || text[pos] != '=') {
      at = pos;
      continue;
    }
    ++pos;
    while (pos < text.size() && IsHtmlSpace(text[pos])) ++pos;
    if (pos < text.size() && (text[pos] == '"' || text[pos] == '\'')) {
      const char quote = text[pos++];
      const std::size_t end = text.find(quote, pos);
      if (end == std::string_view::npos) return std::nullopt;
      return text.substr(pos, end - pos);
    }
    std::size_t end = pos;
    while (end < text.size() && !IsHtmlSpace(text[end]) && text[end] != ';' && text[end] != '"' &&
           text[end] != '\'') {
      ++end;
    }
    if (end == pos) return std::nullopt;
    return text.substr(pos, end - pos);
  }
  return std::nullopt;
}

struct TagAttribute {
  std::string_view name;
  std::string_view value;
};

// Reads the attribute at `pos` inside a tag, moving `pos` past it; nullopt at the
// tag's ">" or the end of the text.
std::optional<TagAttribute> NextAttribute(std::string_view page, std::size_t& pos) {
  while (pos < page.size() && (IsHtmlSpace(page[pos]) || page[pos] == '/')) ++pos;
  if (pos >= page.size() || page[pos] == '>') return std::nullopt;
  const std::size_t nameStart = pos;
  while (pos < page.size() && !IsHtmlSpace(page[pos]) && page[pos] != '=' && page[pos] != '>' &&
         page[pos] != '/') {
    ++pos;
  }
  TagAttribute attribute{page.substr(nameStart, pos - nameStart), {}};
  while (pos < page.size() && IsHtmlSpace(page[pos])) ++pos;
  if (pos >= page.size() || page[pos] != '=') return attribute;
  ++pos;
  while (pos < page.size() && IsHtmlSpace(page[pos])) ++pos;
  if (pos < page.size() && (page[pos] == '"' || page[pos] == '\'')) {
    const char quote = page[pos++];
    const std::size_t end = page.find(quote, pos);
    if (end == std::string_view::npos) {
      pos = page.size();
      return std::nullopt;
    }
    attribute.value = page.substr(pos, end - pos);
    pos = end + 1;
    return attribute;
  }
  const std::size_t valueStart = pos;
  while (pos < page.size() && !IsHtmlSpace(page[pos]) && page[pos] != '>') ++pos;
  attribute.value = page.substr(valueStart, pos - valueStart);
  return attribute;
}

// The charset label of a meta tag whose "<meta" starts at `tagStart`.
std::optional<std::string_view> MetaTagCharset(std::string_view page, std::size_t tagStart) {
  std::size_t pos = tagStart + 5;
  std::optional<std::string_view> charset;
  std::optional<std::string_view> content;
  bool contentTypeEquiv = false;
  while (const std::optional<TagAttribute> attribute = NextAttribute(page, pos)) {
    const std::string name = LowerAscii(attribute->name);
    if (name == "charset" && !charset) {
      charset = attribute->value;
    } else if (name == "content" && !content) {
      content = attribute->value;
    } else if (name == "http-equiv") {
      contentTypeEquiv = LowerAscii(TrimHtmlSpace(attribute->value)) == "content-type";
    }
  }
  if (charset) return charset;
  if (contentTypeEquiv && content) return CharsetParameter(*content);
  return std::nullopt;
}

// The charset the first meta tag within the first 4 KiB declares, if the
// converter knows it. Comments are passed over: a commented-out meta is not one.
std::optional<std::string> MetaCharset(std::string_view page) {
  std::size_t pos = 0;
  while (pos < page.size() && pos < kMetaScanLength) {
    const std::size_t open = page.find('<', pos);
    if (open == std::string_view::npos || open >= kMetaScanLength) break;
    if (page.substr(open, 4) == "<!--") {
      const std::size_t close = page.find("-->", open + 4);
      if (close == std::string_view::npos) break;
      pos = close + 3;
      continue;
    }
    if (FindIgnoringCase(page.substr(open, 5), "<meta") == 0 && open + 5 < page.size() &&
        (IsHtmlSpace(page[open + 5]) || page[open + 5] == '/')) {
      if (const std::optional<std::string_view> label = MetaTagCharset(page, open)) {
        if (std::optional<std::string> name = KnownCharset(*label)) {
          // A page that can say "utf-16" in ASCII is not UTF-16; browsers read it as UTF-8.
          if (name->starts_with("UTF-16")) return std::string(kUtf8);
          return name;
        }
      }
    }
    pos = open + 1;
  }
  return std::nullopt;
}

struct ByteOrderMark {
  std::string_view charset;
  std::size_t length = 0;
};

std::optional<ByteOrderMark> FindByteOrderMark(std::string_view page) {
  if (page.starts_with("\xEF\xBB\xBF")) return ByteOrderMark{kUtf8, 3};
  if (page.starts_with("\xFF\xFE")) return ByteOrderMark{"UTF-16LE", 2};
  if (page.starts_with("\xFE\xFF")) return ByteOrderMark{"UTF-16BE", 2};
  return std::nullopt;
}

// Length of the well-formed UTF-8 sequence at `pos`, or 0 when the bytes there
// are not one.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t pos) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(pos);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;   // overlong
    if (lead == 0xED) high = 0x9F;  // surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;   // overlong
    if (lead == 0xF4) high = 0x8F;  // past U+10FFFF
  } else {
    return 0;
  }
  if (pos + length > text.size()) return 0;
  if (byte(pos + 1) < low || byte(pos + 1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (byte(pos + i) < 0x80 || byte(pos + i) > 0xBF) return 0;
  }
  return length;
}

// The page's bytes up to the first that is not ASCII, skipped eight at a time:
// most of a page is markup.
std::size_t AsciiPrefixLength(std::string_view text, std::size_t pos) {
  while (pos + 8 <= text.size()) {
    std::uint64_t chunk;
    std::memcpy(&chunk, text.data() + pos, 8);
    if (chunk & 0x8080808080808080ULL) break;
    pos += 8;
  }
  while (pos < text.size() && static_cast<unsigned char>(text[pos]) < 0x80) ++pos;
  return pos;
}

std::string RepairUtf8(std::string_view text) {
  std::string result;
  result.reserve(text.size() + 16);
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t asciiEnd = AsciiPrefixLength(text, pos);
    result.append(text, pos, asciiEnd - pos);
    pos = asciiEnd;
    if (pos >= text.size()) break;
    const std::size_t length = Utf8SequenceLength(text, pos);
    if (length == 0) {
      result += kReplacementCharacter;
      ++pos;
    } else {
      result.append(text, pos, length);
      pos += length;
    }
  }
  return result;
}

// A charset in which every byte stands for one character on its own (the
// Windows and ISO-8859 families, KOI8, Mac Roman) converts fastest through a
// table of 256 entries, each filled by the converter itself. Empty when the
// charset is not one of those (a byte alone is incomplete or shifts a state).
struct ByteTable {
  std::array<std::array<char, 4>, 256> bytes{};
  std::array<unsigned char, 256> lengths{};
  bool asciiUnchanged = true;
};

std::optional<ByteTable> MakeByteTable(iconv_t converter) {
  ByteTable table;
  for (int value = 0; value < 256; ++value) {
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    char in = static_cast<char>(value);
    char* inPointer = &in;
    std::size_t inLeft = 1;
    std::array<char, 16> out{};
    char* outPointer = out.data();
    std::size_t outLeft = out.size();
    const std::size_t result = iconv(converter, &inPointer, &inLeft, &outPointer, &outLeft);
    std::size_t written = out.size() - outLeft;
    if (result == static_cast<std::size_t>(-1)) {
      if (errno != EILSEQ) return std::nullopt;
      std::memcpy(out.data(), kReplacementCharacter.data(), kReplacementCharacter.size());
      written = kReplacementCharacter.size();
    }
    if (written == 0 || written > 4) return std::nullopt;
    std::memcpy(table.bytes[value].data(), out.data(), written);
    table.lengths[value] = static_cast<unsigned char>(written);
    if (value < 0x80 && (written != 1 || out[0] != static_cast<char>(value))) table.asciiUnchanged = false;
  }
  iconv(converter, nullptr, nullptr, nullptr, nullptr);
  return table;
}

std::string ConvertWithTable(std::string_view text, const ByteTable& table) {
  std::string result;
  result.reserve(text.size() + text.size() / 8 + 16);
  std::size_t pos = 0;
  while (pos < text.size()) {
    if (table.asciiUnchanged) {
      const std::size_t asciiEnd = AsciiPrefixLength(text, pos);
      result.append(text, pos, asciiEnd - pos);
      pos = asciiEnd;
      if (pos >= text.size()) break;
    }
    const auto value = static_cast<unsigned char>(text[pos++]);
    result.append(table.bytes[value].data(), table.lengths[value]);
  }
  return result;
}

// The converter run over the whole text; an invalid byte becomes U+FFFD and the
// conversion goes on after it, so one bad byte never loses the rest of the page.
std::string ConvertWithIconv(std::string_view text, iconv_t converter, std::size_t unitSize) {
  std::string result(text.size() * 2 + 16, '\0');
  char* inPointer = const_cast<char*>(text.data());
  std::size_t inLeft = text.size();
  std::size_t used = 0;
  const auto appendReplacement = [&] {
    if (result.size() - used < kReplacementCharacter.size()) result.resize(result.size() * 2);
    std::memcpy(result.data() + used, kReplacementCharacter.data(), kReplacementCharacter.size());
    used += kReplacementCharacter.size();
  };
  bool flushing = false;
  for (;;) {
    char* outPointer = result.data() + used;
    std::size_t outLeft = result.size() - used;
    const std::size_t status = flushing ? iconv(converter, nullptr, nullptr, &outPointer, &outLeft)
                                        : iconv(converter, &inPointer, &inLeft, &outPointer, &outLeft);
    used = static_cast<std::size_t>(outPointer - result.data());
    if (status != static_cast<std::size_t>(-1)) {
      if (flushing) break;
      flushing = true;
      continue;
    }
    if (errno == E2BIG) {
      result.resize(result.size() * 2);
    } else if (flushing) {
      break;
    } else if (errno == EINVAL) {
      appendReplacement();  // a sequence cut off by the end of the page
      inLeft = 0;
    } else {
      appendReplacement();
      const std::size_t skip = std::min(unitSize, inLeft);
      inPointer += skip;
      inLeft -= skip;
    }
  }
  result.resize(used);
  return result;
}

struct PageCharset {
  std::string name;
  std::size_t byteOrderMarkLength = 0;
};

PageCharset DetectCharset(std::string_view page, std::string_view contentTypeHeader) {
  if (const std::optional<ByteOrderMark> mark = FindByteOrderMark(page)) {
    return {std::string(mark->charset), mark->length};
  }
  if (const std::optional<std::string_view> label = CharsetParameter(contentTypeHeader)) {
    if (std::optional<std::string> name = KnownCharset(*label)) return {std::move(*name), 0};
  }
  if (std::optional<std::string> name = MetaCharset(page)) return {std::move(*name), 0};
  if (IsValidUtf8(page)) return {std::string(kUtf8), 0};
  return {std::string(kWindows1252), 0};
}

}  // namespace

bool IsValidUtf8(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    pos = AsciiPrefixLength(text, pos);
    if (pos >= text.size()) break;
    const std::size_t length = Utf8SequenceLength(text, pos);
    if (length == 0) return false;
    pos += length;
  }
  return true;
}

std::string ToValidUtf8(std::string_view text) {
  return IsValidUtf8(text) ? std::string(text) : RepairUtf8(text);
}

std::string DetectPageCharset(std::string_view pageBytes, std::string_view contentTypeHeader) {
  return DetectCharset(pageBytes, contentTypeHeader).name;
}

std::string ConvertPageToUtf8(std::string_view pageBytes, std::string_view contentTypeHeader) {
  const PageCharset charset = DetectCharset(pageBytes, contentTypeHeader);
  const std::string_view text = pageBytes.substr(charset.byteOrderMarkLength);
  if (charset.name == kUtf8) return IsValidUtf8(text) ? std::string(text) : RepairUtf8(text);

  const iconv_t converter = iconv_open("UTF-8", charset.name.c_str());
  // Detection only names charsets the converter opened, and Windows-1252 is
  // always there; should opening fail now all the same, the bytes still arrive.
  if (converter == reinterpret_cast<iconv_t>(-1)) return RepairUtf8(text);
  std::string result;
  if (const std::optional<ByteTable> table = MakeByteTable(converter)) {
    result = ConvertWithTable(text, *table);
  } else {
    std::size_t unitSize = 1;
    if (charset.name.starts_with("UTF-16")) unitSize = 2;
    if (charset.name.starts_with("UTF-32")) unitSize = 4;
    result = ConvertWithIconv(text, converter, unitSize);
    // The converter's own UTF-8 is laxer than a browser's: under names it takes
    // for UTF-8 ("+utf-8" and the like) it passes sequences beyond U+10FFFF.
    if (!IsValidUtf8(result)) result = RepairUtf8(result);
  }
  iconv_close(converter);
  return result;
}

}  // namespace sorvane

#include "results/results_page.h"

#include <cstdint>
#include <system_error>

#include "core/lenient_number.h"
#include "core/maker_site.h"
#include "platform/file_io.h"

namespace sorvane {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kLinkTextLength = 50;
constexpr char32_t kNotAscii = 0xFFFD;

bool IsAsciiLetter(char32_t c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsAsciiDigit(char32_t c) { return c >= '0' && c <= '9'; }
int DecimalValue(char c) { return (c >= '0' && c <= '9') ? c - '0' : -1; }
int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// A character reference at text[pos] (which holds '&'), as the browser would read
// it inside an attribute: numeric ones with or without the ';', and the few named
// ones that stand for a character a scheme can be spelt with. Sets `length` to
// the bytes it covers; 0 when it is no reference and the '&' stands for itself.
char32_t DecodeReference(std::string_view text, std::size_t pos, std::size_t& length) {
  length = 0;
  std::size_t i = pos + 1;
  if (i < text.size() && text[i] == '#') {
    ++i;
    const bool hex = i < text.size() && (text[i] == 'x' || text[i] == 'X');
    if (hex) ++i;
    const std::size_t digitsStart = i;
    std::uint32_t value = 0;
    for (; i < text.size(); ++i) {
      const int digit = hex ? HexValue(text[i]) : DecimalValue(text[i]);
      if (digit < 0) break;
      value = value * (hex ? 16 : 10) + static_cast<std::uint32_t>(digit);
      if (value > 0x10FFFF) value = 0x110000;  // out of range; keep it there
    }
    if (i == digitsStart) return 0;
    if (i < text.size() && text[i] == ';') ++i;
    length = i - pos;
    return (value == 0 || value > 0x10FFFF) ? kNotAscii : static_cast<char32_t>(value);
  }
  static constexpr std::pair<std::string_view, char32_t> kNamed[] = {
      {"colon;", ':'}, {"Tab;", '\t'}, {"NewLine;", '\n'}, {"plus;", '+'}, {"period;", '.'}};
  for (const auto& [name, value] : kNamed) {
    if (text.substr(i, name.size()) == name) {
      length = 1 + name.size();
      return value;
    }
  }
  return 0;
}

// The start of the link as the browser sees it once it has read the attribute:
// references decoded, tabs and line breaks dropped, leading spaces and control
// characters skipped. It ends with the first character that cannot belong to a
// scheme, which is all a scheme test needs.
std::u32string LinkStartAsBrowserReadsIt(std::string_view link) {
  std::u32string decoded;
  for (std::size_t i = 0; i < link.size();) {
    char32_t c = static_cast<unsigned char>(link[i]);
    std::size_t length = 1;
    if (c == '&') {
      std::size_t referenceLength = 0;
      const char32_t value = DecodeReference(link, i, referenceLength);
      if (referenceLength > 0) {
        c = value;
        length = referenceLength;
      }
    }
    i += length;
    if (c == '\t' || c == '\n' || c == '\r') continue;
    if (decoded.empty() && c <= 0x20) continue;
    decoded.push_back(c >= 0x80 ? kNotAscii : c);
    if (!IsAsciiLetter(c) && !IsAsciiDigit(c) && c != '+' && c != '-' && c != '.') break;
  }
  return decoded;
}

bool IsAllowedScheme(const std::string& scheme) {
  // A single letter is a drive letter, as a PC search's rows carry on Windows.
  if (scheme.size() == 1) return true;
  return scheme == "http" || scheme == "https" || scheme == "ftp" || scheme == "mailto" ||
         scheme == "file";
}

std::string LinkWithoutQuotes(std::string_view link) {
  std::string out;
  out.reserve(link.size());
  for (const char c : link) {
    if (c == '"') {
      out += "%22";
    } else {
      out.push_back(c);
    }
  }
  return out;
}

std::string BannerPath(const fs::path& programFolder, int number) {
  return (programFolder / ("banner" + FormatDecimal(number) + ".jpg")).string();
}

}  // namespace

fs::path ResultsPagePath(const fs::path& programFolder) { return programFolder / kResultsPageFileName; }

std::string ShortenLinkText(std::string_view text) {
  // Characters, not bytes: the texts are UTF-8, and a cut inside a letter would
  // leave the page a broken byte. A continuation byte belongs to the letter before.
  std::size_t characters = 0;
  for (std::size_t pos = 0; pos < text.size(); ++pos) {
    if ((static_cast<unsigned char>(text[pos]) & 0xC0) == 0x80) continue;
    if (characters == kLinkTextLength) return std::string(text.substr(0, pos)) + "...";
    ++characters;
  }
  if (characters < kLinkTextLength) return std::string(text);
  return std::string(text) + "...";
}

std::string NextBannerPath(const fs::path& programFolder, int& bannerIndex) {
  const int number = bannerIndex++;
  std::string path = BannerPath(programFolder, number);
  std::error_code error;
  if (!fs::exists(path, error)) {
    // Past the last banner: start again at the first, whether or not it exists.
    path = BannerPath(programFolder, 0);
    bannerIndex = 1;
  }
  return path;
}

std::string EscapePageText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    if (c == '<') {
      out += "&lt;";
    } else if (c == '&') {
      out += "&amp;";
    } else if (c == '>') {
      out += "&gt;";
    } else {
      out.push_back(c);
    }
  }
  return out;
}

std::string SafeLinkTarget(std::string_view link) {
  const std::u32string seen = LinkStartAsBrowserReadsIt(link);
  std::string scheme;
  for (const char32_t c : seen) {
    if (c == ':') {
      if (!scheme.empty() && !IsAllowedScheme(scheme)) return "#";
      break;
    }
    const bool schemeCharacter =
        IsAsciiLetter(c) || (!scheme.empty() && (IsAsciiDigit(c) || c == '+' || c == '-' || c == '.'));
    if (!schemeCharacter) break;  // no scheme: a link relative to the page
    scheme.push_back(static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c));
  }
  return LinkWithoutQuotes(link);
}

std::string FormatResultsPage(const std::vector<RowCells>& rows, std::string_view bannerPath) {
  std::string page;
  // Descriptions carry the letters of every engine's page as UTF-8; without the
  // declaration a browser would guess the page's charset from the system's.
  page += "<meta charset=\"utf-8\">\n";
  page += "<p align=\"center\"><font color=\"#0000FF\" size=\"6\"><strong>Search Results</strong></font><br>\n";
  page += "<a href=\"";
  page += kMakerWebSite;
  page += "\"><img src=\"";
  page += bannerPath;
  page += "\" alt=\"Visit us on the web\"></a><br>\n";
  page += "<p align=\"center\">\n";
  if (rows.empty()) {
    page += "<br>No results were found.<br>\n";
    return page;
  }

  // A row merged from several engines or pages carries its own count, so the
  // total counts hits, not rows.
  long long total = 0;
  for (const RowCells& row : rows) total += ParseLenientInt(row.hits());
  page += "<br><strong>Sorvane found " + FormatDecimal(total) + " hits.</strong><br>\n";
  page += "<p align=\"left\">\n";
  page += "<table border=\"2\">";
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const RowCells& row = rows[i];
    page += "<tr>\n";
    page += "<td bgcolor=\"";
    page += (i % 2 == 0) ? "#FFFF99" : "#FFFFCC";
    page += "\" ><a href=\"";
    page += SafeLinkTarget(row.url());
    page += "\">";
    page += EscapePageText(ShortenLinkText(row.description()));
    page += "</a><br><font color=\"#000000\" size=\"3\">";
    page += EscapePageText(row.description());
    page += "<br><font color=\"#000000\" size=\"4\">Hits:";
    page += EscapePageText(row.hits());
    page += " Rank:";
    page += EscapePageText(row.rank());
    page += " Engines:";
    page += EscapePageText(row.engine());
    page += "\n";
    page += "</tr>\n";
  }
  page += "</table>";
  return page;
}

bool WriteResultsPage(const fs::path& programFolder, const std::vector<RowCells>& rows, int& bannerIndex) {
  const std::string bannerPath = NextBannerPath(programFolder, bannerIndex);
  return WriteFileAtomically(ResultsPagePath(programFolder), FormatResultsPage(rows, bannerPath));
}

bool WriteResultsPage(const fs::path& programFolder, ResultsTable& table, int& bannerIndex) {
  return WriteResultsPage(programFolder, TakeRowCells(table), bannerIndex);
}

}  // namespace sorvane

#include "core/result_parser.h"

#include "core/hit_merge.h"
#include "core/html_entities.h"
#include "core/page_charset.h"
#include "core/relevance.h"
#include "core/text_util.h"

namespace sorvane {

std::string StripTags(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t open = text.find('<', pos);
    if (open == std::string_view::npos) break;
    const std::size_t close = text.find('>', open);
    if (close == std::string_view::npos) break;
    result.append(text, pos, open - pos);
    pos = close + 1;
  }
  result.append(text, pos, std::string_view::npos);
  return result;
}

namespace {

// The title up to its first ">" is the rest of the tag the link stood in
// (`title="X" data-pos="0">X`) when no "<" comes before that ">". A title
// without any ">" comes from a page that is not HTML and is kept whole.
std::string_view DropTagRest(std::string_view title) {
  const std::size_t close = title.find('>');
  if (close == std::string_view::npos) return title;
  const std::size_t open = title.find('<');
  if (open != std::string_view::npos && open < close) return title;
  return title.substr(close + 1);
}

// Control characters (C0, DEL and the C1 range) and the no-break space become
// spaces; every run of them and of spaces becomes one space, none at the ends.
std::string CollapseWhiteSpace(std::string_view text) {
  std::string collapsed;
  collapsed.reserve(text.size());
  bool pendingSpace = false;
  for (std::size_t pos = 0; pos < text.size(); ++pos) {
    const auto byte = static_cast<unsigned char>(text[pos]);
    if (byte <= 32 || byte == 127) {
      pendingSpace = true;
      continue;
    }
    if (byte == 0xC2 && pos + 1 < text.size()) {
      const auto next = static_cast<unsigned char>(text[pos + 1]);
      if (next >= 0x80 && next <= 0xA0) {
        pendingSpace = true;
        ++pos;
        continue;
      }
    }
    if (pendingSpace && !collapsed.empty()) collapsed.push_back(' ');
    pendingSpace = false;
    collapsed.push_back(static_cast<char>(byte));
  }
  return collapsed;
}

// At most `limit` bytes, the cut moved back to the start of a UTF-8 sequence so
// no letter is split, and no blank left at the new end.
void CutAtCharacterBoundary(std::string& text, std::size_t limit) {
  if (text.size() <= limit) return;
  std::size_t cut = limit;
  // A sequence is at most four bytes: looking back three continuation bytes
  // finds its lead, unless the bytes are not UTF-8 at all.
  for (int back = 0; back < 3 && cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80; ++back) {
    --cut;
  }
  if ((static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) cut = limit;
  text.resize(cut);
  while (!text.empty() && text.back() == ' ') text.pop_back();
}

// The title starts two bytes after the link's quote, which in UTF-8 text may be
// inside a letter; the tail of that letter is no character of its own.
std::string_view DropSplitLetterTail(std::string_view title) {
  for (int i = 0; i < 3 && !title.empty() && (static_cast<unsigned char>(title.front()) & 0xC0) == 0x80; ++i) {
    title.remove_prefix(1);
  }
  return title;
}

}  // namespace

std::string CleanDescription(std::string_view title) {
  title = DropSplitLetterTail(title);
  // A page that was never converted may hold bytes that are no UTF-8; they show
  // as U+FFFD rather than make the whole text unreadable to the list.
  const std::string repaired = IsValidUtf8(title) ? std::string() : ToValidUtf8(title);
  if (!repaired.empty()) title = repaired;
  std::string text = CollapseWhiteSpace(DecodeCharacterReferences(StripTags(DropTagRest(title))));
  CutAtCharacterBoundary(text, kMaxDescriptionLength);
  return text;
}

std::string MakeLinkAbsolute(std::string_view link, std::string_view engineUrl) {
  for (std::string_view marker : {"http://", "mailto:", "ftp://"}) {
    if (link.find(marker) != std::string_view::npos) return std::string(link);
  }
  std::string absolute(engineUrl);
  absolute += link;
  return absolute;
}

int FindColumn(ResultsTable& table, std::string_view title) { return table.FindColumn(title); }

int ParseResultPage(const SearchEngine& engine, std::string_view words, std::string& pageText,
                    ResultsTable& table, bool skipKnownLinks) {
  return ParseResultPage(engine, words, pageText, table, skipKnownLinks, {});
}

int ParseResultPage(const SearchEngine& engine, std::string_view words, std::string& pageText,
                    ResultsTable& table, bool skipKnownLinks, const std::function<bool()>& mayMerge) {
  if (!engine.valid) return 0;
  const std::string_view startToken = engine.startToken;
  const std::string_view endToken = engine.endToken;
  const std::size_t tokenLength = startToken.size();
  const std::string_view page = pageText;

  int taken = 0;
  std::size_t at = page.find(startToken);
  while (at != std::string_view::npos) {
    const std::size_t afterToken = at + tokenLength;
    // A quote as the second byte after the token marks an empty link: the page's
    // list of hits is over.
    if (afterToken + 1 >= page.size() || page[afterToken + 1] == '"') break;

    const std::size_t linkEnd = page.find('"', afterToken);
    if (linkEnd == std::string_view::npos) break;
    // The link starts with the token's last four bytes; a shorter token would put
    // that start before the page, which then starts the link instead.
    const std::size_t linkStart = afterToken >= 4 ? afterToken - 4 : 0;
    const std::string_view rawLink = page.substr(linkStart, linkEnd - linkStart);

    const std::size_t titleStart = linkEnd + 2;
    if (titleStart > page.size()) break;
    const std::size_t titleEnd = page.find(endToken, titleStart);
    if (titleEnd == std::string_view::npos) break;

    const std::string link = MakeLinkAbsolute(rawLink, engine.url);
    const std::string description = CleanDescription(page.substr(titleStart, titleEnd - titleStart));

    // The zero byte ends the title in the page itself; the next hit is looked for
    // just after it.
    pageText[titleEnd] = '\0';
    at = page.find(startToken, titleEnd + 1);

    const int rank = ScoreRelevance(description, words);
    bool refused = false;
    const bool merged = table.WithLock([&](TableRows& rows) {
      if (mayMerge && !mayMerge()) {
        refused = true;
        return false;
      }
      if (skipKnownLinks && FindRowByText(rows, rows.FindColumn(kUrlColumn), link) >= 0) {
        return false;
      }
      MergeHit(rows, description, link, rank, engine.name);
      return true;
    });
    if (refused) break;
    if (merged) ++taken;
  }
  return taken;
}

}  // namespace sorvane

#include "core/marker_finder.h"

#include <algorithm>
#include <set>
#include <vector>

#include "core/learn_address.h"
#include "core/link_survey.h"
#include "core/result_parser.h"
#include "core/text_util.h"

namespace sorvane {

namespace {

// The parser starts a link four bytes before the start token's end.
constexpr std::size_t kLinkBytesInToken = 4;
// Longest start token looked at: enough for two or three tags of markup.
constexpr std::size_t kMaxTokenBytes = 160;
// Groups weighed member by member, after a first look at all of them.
constexpr std::size_t kGroupsWeighed = 60;
// Candidates tried with the real parser, best first.
constexpr std::size_t kCandidatesTried = 12;
// How far an entry runs after its link when no next member ends it.
constexpr std::size_t kEntryWindow = 2500;

bool EndsToken(char c) { return c == '\n' || c == '\r' || c == '\t' || c == '\0'; }

bool IsNameByte(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '-' || c == '_' ||
         c == ':';
}

// A first, generous look at one link: a title of some length and the words
// near it make a likely entry; the site's own search (pagination, refinements)
// never is one. Only the best groups by this measure are weighed properly.
double LikelyEntryValue(const SurveyedLink& link) {
  if (link.searchesAgain) return -1.5;
  double value = -0.3;
  if (link.textLength >= 6) value += 0.5;
  if (link.textLength >= 15) value += 0.5;
  if (link.wordsInEntry) value += 0.6;
  return value;
}

// How well one member of a group looks like a result entry, its entry being
// what lies between it and the next member: a title of some length, the words
// in it or in the entry, some text in the entry. Zero is the line between entry
// and navigation, so a group's sum says whether it is mostly entries.
double EntryValue(const SurveyedLink& link, const TextFacts& entry, bool repeatsALink) {
  if (link.searchesAgain) return -1.5;
  // The parser takes a link once; a group that meets it twice is less exact.
  if (repeatsALink) return -0.3;
  double value = -0.6;
  if (link.textLength >= 15) {
    value += 0.5;
  } else if (link.textLength >= 6) {
    value += 0.25;
  } else if (link.textLength == 0) {
    value -= 0.25;
  }
  if (link.wordsInText) {
    value += 1.0;
  } else if (entry.words) {
    value += 0.6;
  }
  if (entry.visible >= 60) value += 0.25;
  return value;
}

// The bytes a start token can hold for one link, read backwards from four bytes
// into the link: no line break or tab (records are lines, the CLI separates
// fields with tabs), at most kMaxTokenBytes.
struct LinkKey {
  std::size_t end = 0;     // one past the token's last byte (link start + 4)
  std::size_t length = 0;  // bytes available before `end`
  std::size_t minimum = 0; // the attribute's name, "=\"" and four link bytes, plus the byte before
};

LinkKey KeyOf(std::string_view page, const SurveyedLink& link) {
  LinkKey key;
  key.end = link.valueStart + kLinkBytesInToken;
  std::size_t start = key.end;
  while (start > 0 && key.end - start < kMaxTokenBytes && !EndsToken(page[start - 1])) --start;
  key.length = key.end - start;
  std::size_t name = link.valueStart - 2;
  while (name > 0 && IsNameByte(page[name - 1])) --name;
  key.minimum = key.end - name + 1;
  return key;
}

std::size_t CommonBackwards(std::string_view page, const LinkKey& a, const LinkKey& b) {
  const std::size_t limit = std::min(a.length, b.length);
  std::size_t k = 0;
  while (k < limit && page[a.end - 1 - k] == page[b.end - 1 - k]) ++k;
  return k;
}

bool BackwardsLess(std::string_view page, const LinkKey& a, const LinkKey& b) {
  const std::size_t common = CommonBackwards(page, a, b);
  if (common < a.length && common < b.length) {
    return static_cast<unsigned char>(page[a.end - 1 - common]) < static_cast<unsigned char>(page[b.end - 1 - common]);
  }
  return a.length < b.length;
}

// A set of links sharing the token's bytes: a run [first, last] of the links in
// backwards order, sharing `depth` bytes, where the surrounding run shares only
// `parentDepth`. Any token longer than parentDepth and at most depth takes
// exactly these links among all the page's links.
struct Group {
  std::size_t first = 0;
  std::size_t last = 0;
  std::size_t depth = 0;
  std::size_t parentDepth = 0;
  double score = 0;
  bool holdsWords = false;  // the words are in some member's entry
};

std::vector<Group> GroupsOf(const std::vector<std::size_t>& common, const std::vector<LinkKey>& keys,
                            const std::vector<std::size_t>& order) {
  std::vector<Group> groups;
  const std::size_t count = order.size();
  struct Open {
    std::size_t depth;
    std::size_t first;
  };
  std::vector<Open> open{{0, 0}};
  for (std::size_t i = 1; i <= count; ++i) {
    const std::size_t current = i < count ? common[i] : 0;
    std::size_t first = i - 1;
    while (current < open.back().depth) {
      const Open top = open.back();
      open.pop_back();
      groups.push_back({top.first, i - 1, top.depth, std::max(current, open.back().depth)});
      first = top.first;
    }
    if (current > open.back().depth) open.push_back({current, first});
  }
  // Links whose bytes no other link shares end in a group of their own.
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t before = i > 0 ? common[i] : 0;
    const std::size_t after = i + 1 < count ? common[i + 1] : 0;
    const std::size_t shared = std::max(before, after);
    if (keys[order[i]].length > shared) groups.push_back({i, i, keys[order[i]].length, shared});
  }
  return groups;
}

// The group's members weighed with their entries, each entry running to the
// next member (the last one as far as the longest entry before it).
double GroupScore(std::string_view page, const std::vector<SurveyedLink>& links, const std::vector<std::size_t>& order,
                  Group& group, const std::vector<std::string>& words, std::string& scratch) {
  std::vector<std::size_t> members(order.begin() + group.first, order.begin() + group.last + 1);
  std::sort(members.begin(), members.end());
  std::set<std::string_view> seen;
  std::size_t longestGap = 0;
  double score = 0;
  for (std::size_t m = 0; m < members.size(); ++m) {
    const SurveyedLink& link = links[members[m]];
    std::size_t entryEnd = link.tagEnd + (m + 1 < members.size() ? kEntryWindow : std::max<std::size_t>(longestGap, 200));
    if (m + 1 < members.size()) {
      const std::size_t nextLink = links[members[m + 1]].valueStart;
      const std::size_t nextTag = page.rfind('<', nextLink);
      const std::size_t nextStart = nextTag != std::string_view::npos && nextTag >= link.tagEnd ? nextTag : nextLink;
      longestGap = std::max(longestGap, nextStart > link.tagEnd ? nextStart - link.tagEnd : 0);
      entryEnd = std::min(entryEnd, nextStart);
    }
    entryEnd = std::min(entryEnd, std::min(page.size(), link.tagEnd + kEntryWindow));
    const TextFacts entry = TextBetween(page, link.tagEnd, entryEnd, words, scratch);
    if (entry.words || link.wordsInText) group.holdsWords = true;
    const bool repeated = !seen.insert(page.substr(link.valueStart, link.valueEnd - link.valueStart)).second;
    score += EntryValue(link, entry, repeated);
  }
  // One link alone is no repeated structure: it is kept only as a last resort.
  if (members.size() == 1) score -= 1.0;
  return score;
}

// The token's length for a group: the tag the link sits in, from its "<" (and
// the tag before it when the link's own tag carries nothing but the link), or
// failing that from an attribute's start; never shorter than what parts this
// group from the rest.
std::size_t TokenLength(std::string_view page, const Group& group, const LinkKey& key) {
  const std::size_t shortest = std::max(group.parentDepth + 1, key.minimum);
  if (shortest > group.depth) return 0;
  std::size_t tagLength = 0;
  for (std::size_t length = shortest; length <= group.depth; ++length) {
    if (page[key.end - length] != '<') continue;
    if (tagLength == 0) {
      tagLength = length;
      // A bare "<a href=" says little; the tag before it places the link.
      const std::size_t nameStart = key.end - key.minimum + 1;
      const std::string_view ownTag = page.substr(key.end - length, nameStart - (key.end - length));
      if (ownTag.find(' ') != ownTag.size() - 1) break;
      continue;
    }
    return length;
  }
  if (tagLength != 0) return tagLength;
  for (std::size_t length = shortest; length <= group.depth; ++length) {
    if (page[key.end - length - 1] == ' ') return length;
  }
  return group.depth;
}

std::string EndTokenFor(std::string_view page, const SurveyedLink& link) {
  // The anchor's closing tag as the page spells it.
  for (std::size_t at = page.find("</", link.tagEnd); at != std::string_view::npos && at + 3 < page.size();
       at = page.find("</", at + 2)) {
    if ((page[at + 2] == 'a' || page[at + 2] == 'A') && page[at + 3] == '>') return std::string(page.substr(at, 4));
    if (at > link.tagEnd + 4000) break;
  }
  return "</a>";
}

// The closing tag of the element the link's attribute sits in ("</div>").
std::string ElementEndTokenFor(std::string_view page, const SurveyedLink& link) {
  const std::size_t open = page.rfind('<', link.valueStart);
  if (open == std::string_view::npos) return {};
  std::size_t nameEnd = open + 1;
  while (nameEnd < page.size() && IsNameByte(page[nameEnd])) ++nameEnd;
  if (nameEnd == open + 1) return {};
  return "</" + std::string(page.substr(open + 1, nameEnd - open - 1)) + ">";
}

std::string UrlFor(LinkForm form, const std::optional<AddressBases>& bases) {
  if (!bases) return {};
  switch (form) {
    case LinkForm::SchemeRelative:
      return bases->scheme;
    case LinkForm::RootRelative:
      return bases->origin;
    case LinkForm::Relative:
      return bases->folder;
    default:
      return {};
  }
}

int HitsTaken(std::string_view page, std::string_view words, const MarkerProposal& proposal) {
  SearchEngine engine;
  engine.name = "learn";
  engine.startToken = proposal.startToken;
  engine.endToken = proposal.endToken;
  engine.url = proposal.url;
  engine.prefix = "?";
  std::string copy(page);
  ResultsTable table;
  return ParseResultPage(engine, words, copy, table, true);
}

}  // namespace

std::optional<MarkerProposal> FindMarkers(std::string_view page, std::string_view words,
                                          std::string_view pageAddress,
                                          const std::function<bool()>& stopRequested) {
  const auto stopped = [&] { return stopRequested && stopRequested(); };
  const std::vector<SurveyedLink> links = SurveyLinks(page, words, pageAddress);
  if (links.empty() || stopped()) return std::nullopt;

  std::vector<LinkKey> keys;
  keys.reserve(links.size());
  for (const SurveyedLink& link : links) keys.push_back(KeyOf(page, link));
  std::vector<std::size_t> order(links.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::sort(order.begin(), order.end(),
            [&](std::size_t a, std::size_t b) { return BackwardsLess(page, keys[a], keys[b]); });
  std::vector<std::size_t> common(order.size(), 0);
  for (std::size_t i = 1; i < order.size(); ++i) common[i] = CommonBackwards(page, keys[order[i - 1]], keys[order[i]]);

  std::vector<double> likelySums(order.size() + 1, 0);
  std::vector<int> wordSums(order.size() + 1, 0);
  for (std::size_t i = 0; i < order.size(); ++i) {
    likelySums[i + 1] = likelySums[i] + LikelyEntryValue(links[order[i]]);
    wordSums[i + 1] = wordSums[i] + (links[order[i]].wordsInEntry ? 1 : 0);
  }

  std::vector<Group> groups = GroupsOf(common, keys, order);
  // A lone link is a candidate only when the words are near it.
  std::erase_if(groups, [&](const Group& group) {
    return group.first == group.last && wordSums[group.last + 1] == wordSums[group.first];
  });
  for (Group& group : groups) group.score = likelySums[group.last + 1] - likelySums[group.first];
  std::sort(groups.begin(), groups.end(), [](const Group& a, const Group& b) { return a.score > b.score; });
  if (groups.size() > kGroupsWeighed) groups.resize(kGroupsWeighed);
  if (stopped()) return std::nullopt;

  const std::vector<std::string> searchWords = SearchWordsOf(words);
  std::string scratch;
  for (Group& group : groups) group.score = GroupScore(page, links, order, group, searchWords, scratch);
  std::erase_if(groups, [](const Group& group) { return !group.holdsWords; });
  std::sort(groups.begin(), groups.end(), [](const Group& a, const Group& b) { return a.score > b.score; });
  if (groups.size() > kCandidatesTried) groups.resize(kCandidatesTried);

  const std::optional<AddressBases> bases = BasesOfAddress(pageAddress);
  std::optional<MarkerProposal> best;
  double bestScore = 0;
  for (const Group& group : groups) {
    if (stopped()) return std::nullopt;
    const SurveyedLink& sample = links[order[group.first]];
    const LinkKey& key = keys[order[group.first]];
    const std::size_t length = TokenLength(page, group, key);
    if (length == 0) continue;
    MarkerProposal proposal;
    proposal.startToken = std::string(page.substr(key.end - length, length));
    proposal.url = UrlFor(sample.form, bases);

    std::set<std::string_view> distinct;
    for (std::size_t i = group.first; i <= group.last; ++i) {
      const SurveyedLink& link = links[order[i]];
      distinct.insert(page.substr(link.valueStart, link.valueEnd - link.valueStart));
    }
    int bestHits = 0;
    for (const std::string& endToken : {EndTokenFor(page, sample), ElementEndTokenFor(page, sample)}) {
      if (endToken.empty()) continue;
      MarkerProposal tried = proposal;
      tried.endToken = endToken;
      tried.hits = HitsTaken(page, words, tried);
      if (tried.hits > bestHits) {
        bestHits = tried.hits;
        proposal = tried;
      }
      if (bestHits >= static_cast<int>(distinct.size())) break;
    }
    if (bestHits == 0) continue;
    // Hits the parser missed (an end token past the next entry, a link cut
    // short) count against the group in proportion.
    const double score = group.score * std::min(1.0, static_cast<double>(bestHits) / distinct.size());
    if (!best || score > bestScore) {
      best = proposal;
      bestScore = score;
    }
  }
  return best;
}

}  // namespace sorvane

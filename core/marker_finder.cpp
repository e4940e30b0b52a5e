#include "core/marker_finder.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <unordered_map>
#include <cstdlib>
#include <set>
#include <vector>

#include "core/learn_address.h"
#include "core/link_survey.h"
#include "core/marker_trials.h"
#include "core/result_parser.h"
#include "core/text_util.h"
#include "core/token_groups.h"

namespace sorvane {

namespace {

// The parser starts a link four bytes before the start token's end.
constexpr std::size_t kLinkBytesInToken = 4;
// Longest start token looked at: enough for two or three tags of markup.
constexpr std::size_t kMaxTokenBytes = 100;
// Groups weighed member by member, after a first look at all of them.
constexpr std::size_t kGroupsWeighed = 30;
// Candidates tried with the real parser, best first; the first few of them
// with more end tokens.
constexpr std::size_t kCandidatesTried = 12;
constexpr std::size_t kThoroughTrials = 3;
constexpr std::size_t kEndTokensTried = 6;
// Scores closer than this are equal (sums of the same values in another order).
constexpr double kScoreTolerance = 1e-6;
// What a candidate whose token holds no tag is worth beside one that does.
constexpr double kTaglessTokenWeight = 0.7;
// How far an entry runs after its link when no next member ends it.
constexpr std::size_t kEntryWindow = 2500;

bool EndsToken(char c) { return c == '\n' || c == '\r' || c == '\t' || c == '\0'; }

// engines.dat's lines lose their trailing white space when read back, so a
// token ending in a blank (a link with a space in its first bytes) would not
// survive its own save.
bool SurvivesTheStore(std::string_view token) {
  return !token.empty() && std::string_view(" \t\n\v\f\r").find(token.back()) == std::string_view::npos;
}

bool IsNameByte(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '-' || c == '_' ||
         c == ':';
}

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

// What the page's address tells about its links.
struct PagePlace {
  std::optional<AddressBases> bases;
  std::string_view beforeQuery;  // the address up to its "?": where a url may reach
  std::string domain;            // the host's last two labels, lower case
};

PagePlace PlaceOf(std::string_view address) {
  PagePlace place;
  place.bases = BasesOfAddress(address);
  place.beforeQuery = address.substr(0, address.find('?'));
  if (place.bases) {
    std::string_view host = std::string_view(place.bases->origin).substr(place.bases->scheme.size() + 2);
    host = host.substr(0, host.find(':'));
    const std::size_t last = host.rfind('.');
    const std::size_t second = last == std::string_view::npos || last == 0 ? std::string_view::npos
                                                                           : host.rfind('.', last - 1);
    place.domain = std::string(second == std::string_view::npos ? host : host.substr(second + 1));
    for (char& c : place.domain) c = LowerAscii(c);
  }
  return place;
}

std::string BaseFor(LinkForm form, const PagePlace& place) {
  if (!place.bases) return {};
  switch (form) {
    case LinkForm::SchemeRelative:
      return place.bases->scheme;
    case LinkForm::RootRelative:
      return place.bases->origin;
    case LinkForm::Relative:
      return place.bases->folder;
    default:
      return {};
  }
}

// A link that stays on the search site itself (relative, or to its domain).
bool StaysOnSite(std::string_view link, LinkForm form, const PagePlace& place) {
  if (form == LinkForm::RootRelative || form == LinkForm::Relative) return true;
  if (place.domain.empty()) return false;
  const std::size_t hostStart = link.find("//");
  if (hostStart == std::string_view::npos) return false;
  std::string host(link.substr(hostStart + 2, link.find_first_of("/?:", hostStart + 2) - hostStart - 2));
  for (char& c : host) c = LowerAscii(c);
  return host == place.domain || host.ends_with("." + place.domain);
}

// How many bytes of `link` a token may reach into beyond the usual four: as
// many as the link shares with the page's address after the base of its form,
// since the url (the base and those bytes) must also begin the address. Links
// that carry "http://" are never completed with the url, so never extended.
std::size_t ReachIntoLink(std::string_view link, LinkForm form, const PagePlace& place) {
  if (link.find("http://") != std::string_view::npos) return 0;
  const std::string base = BaseFor(form, place);
  if (!place.beforeQuery.starts_with(base)) return 0;
  const std::string_view rest = place.beforeQuery.substr(base.size());
  std::size_t shared = 0;
  while (shared < rest.size() && shared < link.size() && rest[shared] == link[shared] && link[shared] != '%') ++shared;
  // The parser needs the link to go on two bytes past the token.
  while (shared > 0 && shared + kLinkBytesInToken + 2 > link.size()) --shared;
  return shared;
}

TokenKey KeyOf(std::string_view page, const SurveyedLink& link, std::size_t linkIndex, std::size_t reach) {
  TokenKey key;
  key.link = linkIndex;
  key.end = link.valueStart + reach + kLinkBytesInToken;
  std::size_t start = key.end;
  while (start > 0 && key.end - start < kMaxTokenBytes + reach && !EndsToken(page[start - 1])) --start;
  key.length = key.end - start;
  std::size_t name = link.valueStart - 2;
  while (name > 0 && IsNameByte(page[name - 1])) --name;
  key.minimum = key.end - name + 1;
  return key;
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
double EntryValue(const SurveyedLink& link, int entryVisible, bool entryWords) {
  double value = -0.55;
  if (link.textLength > 200) {
    value += 0.25;  // a snippet rather than a title
  } else if (link.textLength >= 15) {
    value += 0.5;
  } else if (link.textLength >= 6) {
    value += 0.25;
  } else if (link.textLength == 0) {
    value -= 0.25;
  }
  if (link.wordsInText) {
    value += 1.0;
  } else if (entryWords) {
    value += 0.6;
  }
  if (entryVisible >= 60) value += 0.25;
  return value;
}

// A link's text with its digits, markup, entities and white space left out,
// in lower case: "123 comments" and "4 comments" read the same.
std::string LabelOf(std::string_view page, const SurveyedLink& link) {
  std::string label;
  bool inTag = false;
  for (std::size_t at = link.tagEnd; at < link.textEnd && label.size() < 40; ++at) {
    const char c = page[at];
    if (c == '&' && !inTag) {  // an entity such as "&nbsp;" is no letter of the label
      const std::size_t semicolon = page.find(';', at);
      if (semicolon != std::string_view::npos && semicolon < link.textEnd && semicolon - at <= 10) at = semicolon;
      continue;
    }
    if (c == '<') inTag = true;
    if (!inTag && ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))) label += LowerAscii(c);
    if (c == '>') inTag = false;
  }
  return label;
}

// True when most members carry one and the same short label ("cached", "N
// comments", "hide"): a control repeated in each entry, not the entries' own
// titles. (A longer label may be a title all the same, a version or a suite
// name as a package list shows.)
bool RepeatsOneLabel(std::string_view page, const std::vector<SurveyedLink>& links,
                     const std::vector<std::size_t>& members) {
  if (members.size() < 3) return false;
  std::map<std::string, std::size_t> counts;
  std::size_t most = 0;
  std::string mostLabel;
  for (std::size_t index : members) {
    std::string label = LabelOf(page, links[index]);
    if (label.empty()) continue;  // a picture, which counts against itself already
    const std::size_t count = ++counts[label];
    if (count > most) {
      most = count;
      mostLabel = std::move(label);
    }
  }
  return 2 * most > members.size() && mostLabel.size() <= 10;
}

struct Candidate {
  std::vector<std::size_t> members;  // link indexes, in page order
  std::string startToken;
  std::string url;
  std::size_t reach = 0;              // link bytes the token holds beyond the usual four
  // Each link as the parser cuts it (before the url goes in front) and its
  // worth as an entry.
  std::unordered_map<std::string_view, double> linkValues;
  std::size_t bestMember = 0;         // the link that looks most like an entry
  std::size_t bestEntryEnd = 0;       // and where its entry ends
  double score = 0;
  bool holdsWords = false;
};

// The members weighed with their entries, each entry running to the next member
// (the last one as far as the longest entry before it). On a page whose entries
// mostly lead off the site, the members that stay on it (advertising through
// the site's own redirector) count against the group.
void WeighCandidate(std::string_view page, const VisibleText& text, const std::vector<SurveyedLink>& links,
                    const std::vector<bool>& onSiteLinks, Candidate& candidate) {
  const std::vector<std::size_t>& members = candidate.members;
  std::size_t onSite = 0;
  for (std::size_t index : members) onSite += onSiteLinks[index] ? 1 : 0;
  candidate.linkValues.reserve(members.size());
  const bool mostlyOffSite = 2 * (members.size() - onSite) > members.size();
  const double labelPenalty = RepeatsOneLabel(page, links, members) ? 0.5 : 0.0;
  std::size_t longestGap = 0;
  std::size_t repeats = 0;
  double bestValue = 0;
  for (std::size_t m = 0; m < members.size(); ++m) {
    const SurveyedLink& link = links[members[m]];
    const std::string_view target = page.substr(link.valueStart, link.valueEnd - link.valueStart);
    std::size_t entryEnd = link.tagEnd + (m + 1 < members.size() ? kEntryWindow : std::max<std::size_t>(longestGap, 200));
    if (m + 1 < members.size()) {
      const std::size_t nextLink = links[members[m + 1]].valueStart;
      const std::size_t nextTag = page.rfind('<', nextLink);
      const std::size_t nextStart = nextTag != std::string_view::npos && nextTag >= link.tagEnd ? nextTag : nextLink;
      longestGap = std::max(longestGap, nextStart > link.tagEnd ? nextStart - link.tagEnd : 0);
      entryEnd = std::min(entryEnd, nextStart);
    }
    entryEnd = std::min(entryEnd, std::min(page.size(), link.tagEnd + kEntryWindow));
    const int entryVisible = text.VisibleBytes(link.tagEnd, entryEnd);
    const bool entryWords = text.HasWords(link.tagEnd, entryEnd);
    if (entryWords || link.wordsInText) candidate.holdsWords = true;
    double value = 0;
    if (link.searchesAgain) {
      value = -1.5;
    } else if (mostlyOffSite && onSiteLinks[members[m]]) {
      value = -1.0;
    } else {
      value = EntryValue(link, entryVisible, entryWords) - labelPenalty;
    }
    // The parser takes a link once: a link met again (a thumbnail and a title
    // leading to the same page) counts once, at its best.
    const std::string_view cut = target.substr(std::min(candidate.reach, target.size()));
    if (m == 0 || value > bestValue) {
      bestValue = value;
      candidate.bestMember = members[m];
      candidate.bestEntryEnd = entryEnd;
    }
    const auto [entry, fresh] = candidate.linkValues.try_emplace(cut, value);
    if (!fresh) {
      entry->second = std::max(entry->second, value);
      ++repeats;
    }
  }
  double score = -0.1 * static_cast<double>(repeats);
  for (const auto& [link, value] : candidate.linkValues) score += value;
  // One link alone is no repeated structure: it is kept only as a last resort.
  if (candidate.linkValues.size() == 1) score -= 1.0;
  // A token with no tag in it (' href="/tri') is met by any link that begins
  // the same way, on this page and on the next: it must be clearly better.
  if (score > 0 && candidate.startToken.find('<') == std::string::npos) score *= kTaglessTokenWeight;
  candidate.score = score;
}

// The token's length for a group: the tag the link sits in, from its "<" (and
// the tag before it when the link's own tag carries nothing but the link), or
// failing that from an attribute's start; never shorter than what parts this
// group from the rest.
std::size_t TokenLength(std::string_view page, const TokenGroup& group, const TokenKey& key) {
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
  // A token that reaches the page's first byte has no byte before it.
  for (std::size_t length = shortest; length <= group.depth && length < key.end; ++length) {
    if (page[key.end - length - 1] == ' ') return length;
  }
  return group.depth;
}

// The candidates of one way of keying the links: the groups that look most
// like entries at first sight, each with its token and url.
void AddCandidates(std::string_view page, const std::vector<SurveyedLink>& links, const std::vector<TokenKey>& keys,
                   const std::vector<std::size_t>& reaches, const PagePlace& place,
                   std::vector<Candidate>& candidates) {
  const KeyedGroups keyed = GroupByTokenBytes(page, keys);
  const std::vector<std::size_t>& order = keyed.order;
  std::vector<double> likelySums(order.size() + 1, 0);
  std::vector<int> wordSums(order.size() + 1, 0);
  for (std::size_t i = 0; i < order.size(); ++i) {
    const SurveyedLink& link = links[keys[order[i]].link];
    likelySums[i + 1] = likelySums[i] + LikelyEntryValue(link);
    wordSums[i + 1] = wordSums[i] + (link.wordsInEntry ? 1 : 0);
  }
  std::vector<std::pair<double, const TokenGroup*>> ranked;
  for (const TokenGroup& group : keyed.groups) {
    // A lone link is a candidate only when the words are near it.
    if (group.first == group.last && wordSums[group.last + 1] == wordSums[group.first]) continue;
    ranked.emplace_back(likelySums[group.last + 1] - likelySums[group.first], &group);
  }
  const std::size_t weighed = std::min(ranked.size(), kGroupsWeighed);
  std::partial_sort(ranked.begin(), ranked.begin() + weighed, ranked.end(),
                    [](const auto& a, const auto& b) { return a.first > b.first; });
  for (std::size_t r = 0; r < weighed; ++r) {
    const TokenGroup& group = *ranked[r].second;
    const TokenKey& key = keys[order[group.first]];
    const std::size_t length = TokenLength(page, group, key);
    if (length == 0) continue;
    Candidate candidate;
    candidate.startToken = std::string(page.substr(key.end - length, length));
    if (!SurvivesTheStore(candidate.startToken)) continue;
    const SurveyedLink& sample = links[key.link];
    candidate.reach = reaches[key.link];
    candidate.url = BaseFor(sample.form, place) + std::string(page.substr(sample.valueStart, candidate.reach));
    for (std::size_t i = group.first; i <= group.last; ++i) candidate.members.push_back(keys[order[i]].link);
    std::sort(candidate.members.begin(), candidate.members.end());
    candidates.push_back(std::move(candidate));
  }
}

}  // namespace

std::optional<MarkerProposal> FindMarkers(std::string_view page, std::string_view words,
                                          std::string_view pageAddress,
                                          const std::function<bool()>& stopRequested) {
  const auto stopped = [&] { return stopRequested && stopRequested(); };
  const VisibleText text(page, words);
  const std::vector<SurveyedLink> links = SurveyLinks(page, text, pageAddress);
  if (links.empty() || stopped()) return std::nullopt;
  const PagePlace place = PlaceOf(pageAddress);

  // Tokens end four bytes into the link; and, where links share the address's
  // beginning, also further in, with the shared bytes in the url, which tells
  // apart links whose markup is the same.
  // A token reaching as far as the address allows ends four bytes past what
  // the links share with it ("app/" of ".../app/123"); one reaching three bytes
  // less ends one byte past it ("m" of ".../m/film"), for links whose own part
  // begins with a letter or two that the entries share.
  std::vector<std::size_t> fullReaches(links.size(), 0);
  std::vector<std::size_t> shortReaches(links.size(), 0);
  std::vector<TokenKey> plainKeys;
  std::vector<TokenKey> fullKeys;
  std::vector<TokenKey> shortKeys;
  for (std::size_t i = 0; i < links.size(); ++i) {
    const SurveyedLink& link = links[i];
    plainKeys.push_back(KeyOf(page, link, i, 0));
    fullReaches[i] = ReachIntoLink(page.substr(link.valueStart, link.valueEnd - link.valueStart), link.form, place);
    if (fullReaches[i] > 0) fullKeys.push_back(KeyOf(page, link, i, fullReaches[i]));
    if (fullReaches[i] > 3) {
      shortReaches[i] = fullReaches[i] - 3;
      shortKeys.push_back(KeyOf(page, link, i, shortReaches[i]));
    }
  }
  std::vector<Candidate> candidates;
  AddCandidates(page, links, plainKeys, std::vector<std::size_t>(links.size(), 0), place, candidates);
  const std::size_t plainCount = candidates.size();
  AddCandidates(page, links, fullKeys, fullReaches, place, candidates);
  AddCandidates(page, links, shortKeys, shortReaches, place, candidates);
  if (stopped()) return std::nullopt;

  std::vector<bool> onSite(links.size());
  for (std::size_t i = 0; i < links.size(); ++i) {
    onSite[i] = StaysOnSite(page.substr(links[i].valueStart, links[i].valueEnd - links[i].valueStart), links[i].form, place);
  }
  for (Candidate& candidate : candidates) WeighCandidate(page, text, links, onSite, candidate);
  // The plain candidates come first, so a reaching token wins only by being better.
  std::vector<std::size_t> ranking;
  for (std::size_t i = 0; i < candidates.size(); ++i) {
    if (candidates[i].holdsWords) ranking.push_back(i);
  }
  std::stable_sort(ranking.begin(), ranking.end(), [&](std::size_t a, std::size_t b) {
    if (std::abs(candidates[a].score - candidates[b].score) > kScoreTolerance) return candidates[a].score > candidates[b].score;
    return (a < plainCount) && (b >= plainCount);
  });
  if (ranking.size() > kCandidatesTried) ranking.resize(kCandidatesTried);


  // Each candidate is tried with the parser and its end tokens: what it then
  // takes is worth the entries it takes (a link that is no member costs), and a
  // hit without a title costs a little, so the end token that keeps out what
  // lies before or after the entries and gives titles wins.
  std::optional<MarkerProposal> best;
  double bestScore = 0;
  for (std::size_t rank = 0; rank < ranking.size(); ++rank) {
    if (stopped()) return std::nullopt;
    const Candidate& candidate = candidates[ranking[rank]];
    if (best && candidate.score <= bestScore + kScoreTolerance) break;
    const SurveyedLink& sample = links[candidate.bestMember];
    const std::size_t endTokens = rank < kThoroughTrials ? kEndTokensTried : 2;
    for (const std::string& endToken : EndTokenCandidates(page, sample, candidate.bestEntryEnd, endTokens)) {
      const std::vector<TrialHit> hits = TryMarkers(page, words, candidate.startToken, endToken, candidate.url);
      if (hits.empty()) continue;
      double score = 0;
      for (const TrialHit& hit : hits) {
        // The hit's link is the cut link, with the url in front unless the
        // cut link holds an address of its own ("http://" and the like): the
        // url is taken off again where the parser would have put it there.
        std::string_view cut = hit.url;
        if (cut.starts_with(candidate.url)) {
          const std::string_view rest = cut.substr(candidate.url.size());
          if (MakeLinkAbsolute(rest, candidate.url) == hit.url) cut = rest;
        }
        auto member = candidate.linkValues.find(cut);
        if (member == candidate.linkValues.end()) member = candidate.linkValues.find(hit.url);
        score += member != candidate.linkValues.end() ? member->second : -0.5;
        if (!hit.hasTitle) score -= 0.2;
      }
      if (candidate.linkValues.size() == 1) score -= 1.0;
      if (score > 0 && candidate.startToken.find('<') == std::string::npos) score *= kTaglessTokenWeight;
      if (!best || score > bestScore + kScoreTolerance) {
        best = MarkerProposal{candidate.startToken, endToken, candidate.url, static_cast<int>(hits.size())};
        bestScore = score;
      }
    }
  }
  return best;
}

}  // namespace sorvane

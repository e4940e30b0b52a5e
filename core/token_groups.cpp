#include "core/token_groups.h"

#include <algorithm>
#include <cstring>

namespace sorvane {

namespace {

std::size_t CommonBackwards(std::string_view page, const TokenKey& a, const TokenKey& b) {
  const std::size_t limit = std::min(a.length, b.length);
  std::size_t k = 0;
  // Eight bytes at a time while they agree (keys of repeated entries share a
  // long stretch of markup), then byte by byte.
  while (k + 8 <= limit && std::memcmp(page.data() + a.end - k - 8, page.data() + b.end - k - 8, 8) == 0) k += 8;
  while (k < limit && page[a.end - 1 - k] == page[b.end - 1 - k]) ++k;
  return k;
}

bool BackwardsLess(std::string_view page, const TokenKey& a, const TokenKey& b) {
  const std::size_t common = CommonBackwards(page, a, b);
  if (common < a.length && common < b.length) {
    return static_cast<unsigned char>(page[a.end - 1 - common]) < static_cast<unsigned char>(page[b.end - 1 - common]);
  }
  return a.length < b.length;
}

}  // namespace

KeyedGroups GroupByTokenBytes(std::string_view page, const std::vector<TokenKey>& keys) {
  KeyedGroups result;
  const std::size_t count = keys.size();
  result.order.resize(count);
  for (std::size_t i = 0; i < count; ++i) result.order[i] = i;
  std::sort(result.order.begin(), result.order.end(),
            [&](std::size_t a, std::size_t b) { return BackwardsLess(page, keys[a], keys[b]); });
  std::vector<std::size_t> common(count, 0);
  for (std::size_t i = 1; i < count; ++i) {
    common[i] = CommonBackwards(page, keys[result.order[i - 1]], keys[result.order[i]]);
  }

  // The runs of the common-suffix lengths, found bottom-up with a stack.
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
      result.groups.push_back({top.first, i - 1, top.depth, std::max(current, open.back().depth)});
      first = top.first;
    }
    if (current > open.back().depth) open.push_back({current, first});
  }
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t before = i > 0 ? common[i] : 0;
    const std::size_t after = i + 1 < count ? common[i + 1] : 0;
    const std::size_t shared = std::max(before, after);
    if (keys[result.order[i]].length > shared) result.groups.push_back({i, i, keys[result.order[i]].length, shared});
  }
  return result;
}

}  // namespace sorvane

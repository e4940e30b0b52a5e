#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace sorvane {

// Where a start token for one link may lie: it ends at `end` (four bytes into
// the link, or further for a token that reaches into the link's address) and
// may take up to `length` bytes before that; `minimum` bytes reach back to the
// space before the attribute's name.
struct TokenKey {
  std::size_t link = 0;  // which link this is the key of
  std::size_t end = 0;
  std::size_t length = 0;
  std::size_t minimum = 0;
};

// Links whose tokens share bytes: the run [first, last] of `order`, sharing
// `depth` bytes backwards from their ends, where the run around it shares only
// `parentDepth`. Any token longer than parentDepth and at most depth occurs at
// exactly these links among all the keyed ones.
struct TokenGroup {
  std::size_t first = 0;
  std::size_t last = 0;
  std::size_t depth = 0;
  std::size_t parentDepth = 0;
};

struct KeyedGroups {
  std::vector<std::size_t> order;  // indexes into the keys, in backwards byte order
  std::vector<TokenGroup> groups;
};

// Every group of keys that some token would single out: the nested runs of the
// keys sorted by their bytes read backwards (the intervals of the longest
// common suffixes), and each key on its own where no other shares its bytes.
KeyedGroups GroupByTokenBytes(std::string_view page, const std::vector<TokenKey>& keys);

}  // namespace sorvane

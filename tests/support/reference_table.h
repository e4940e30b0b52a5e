#pragma once

// The merge exactly as the program always did it: one linear scan of a plain
// list of rows per hit. Tests compare the real table against it; the merge
// benchmark uses it for the naive figure.

#include <string>
#include <vector>

#include "core/hit_merge.h"
#include "core/lenient_number.h"

namespace sorvane::testing {

struct ReferenceTable {
  std::vector<SearchHit> rows;

  InsertPosition FindInsertPosition(int rank, const std::string& link) const {
    for (std::size_t i = 0; i < rows.size(); ++i) {
      if (rows[i].url == link) return {true, static_cast<int>(i)};
      if (rows[i].rank < rank) return {false, static_cast<int>(i)};
    }
    return {false, static_cast<int>(rows.size())};
  }

  InsertPosition Merge(const std::string& description, const std::string& link, int rank,
                       const std::string& engine) {
    const InsertPosition position = FindInsertPosition(rank, link);
    if (position.found) {
      ++rows[static_cast<std::size_t>(position.row)].hits;
    } else {
      rows.insert(rows.begin() + position.row, SearchHit{description, link, rank, 1, engine});
    }
    return position;
  }
};

}  // namespace sorvane::testing

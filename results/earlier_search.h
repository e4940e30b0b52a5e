#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "results/table_cells.h"

namespace sorvane {

// The saved search of some words as it stood before a new search of the same
// words replaces it: when it was saved, how many rows it had, and their
// addresses (as the file holds them). A row of the new search whose address is
// not among them is new. The file keeps its format; this is read from the old
// file before the new save, so nothing extra is stored anywhere.
struct EarlierSearch {
  std::chrono::system_clock::time_point savedAt;
  int rowCount = 0;
  std::unordered_set<std::string> addresses;
};

// The saved file at `path`; nothing when it cannot be read.
std::optional<EarlierSearch> ReadEarlierSearch(const std::filesystem::path& path);
// The saved search of `words` (as FindSavedSearch finds it); nothing when none.
std::optional<EarlierSearch> ReadEarlierSearch(const std::filesystem::path& programFolder,
                                               std::string_view words);

// Whether a row with address `url` is new against the earlier addresses. The
// address is compared as a save would store it.
bool IsNewAddress(const std::unordered_set<std::string>& earlierAddresses, std::string_view url);

// One flag per row: new or not. With no earlier search of these words every
// row is new.
std::vector<bool> NewRowFlags(const std::optional<EarlierSearch>& earlier, const std::vector<RowCells>& rows);

// The rows that are new, in their order.
std::vector<RowCells> NewRowsOnly(const std::optional<EarlierSearch>& earlier, const std::vector<RowCells>& rows);

}  // namespace sorvane

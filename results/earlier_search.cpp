#include "results/earlier_search.h"

#include <system_error>

#include "results/saved_search.h"

namespace sorvane {

namespace fs = std::filesystem;

std::optional<EarlierSearch> ReadEarlierSearch(const fs::path& path) {
  // The date first: a file replaced between the two reads then shows the
  // older date, never a date newer than the rows read.
  std::error_code error;
  const fs::file_time_type written = fs::last_write_time(path, error);
  if (error) return std::nullopt;
  std::optional<SavedSearch> saved = ReadSavedSearch(path);
  if (!saved) return std::nullopt;
  EarlierSearch earlier;
  earlier.savedAt = std::chrono::time_point_cast<std::chrono::system_clock::duration>(
      std::chrono::file_clock::to_sys(written));
  earlier.rowCount = static_cast<int>(saved->rows.size());
  for (const RowCells& row : saved->rows) earlier.addresses.insert(row.url());
  return earlier;
}

std::optional<EarlierSearch> ReadEarlierSearch(const fs::path& programFolder, std::string_view words) {
  const std::optional<fs::path> path = FindSavedSearch(programFolder, words);
  if (!path) return std::nullopt;
  return ReadEarlierSearch(*path);
}

bool IsNewAddress(const std::unordered_set<std::string>& earlierAddresses, std::string_view url) {
  return !earlierAddresses.contains(CellAsSaved(url));
}

std::vector<bool> NewRowFlags(const std::optional<EarlierSearch>& earlier, const std::vector<RowCells>& rows) {
  std::vector<bool> flags;
  flags.reserve(rows.size());
  for (const RowCells& row : rows) flags.push_back(!earlier || IsNewAddress(earlier->addresses, row.url()));
  return flags;
}

std::vector<RowCells> NewRowsOnly(const std::optional<EarlierSearch>& earlier, const std::vector<RowCells>& rows) {
  std::vector<RowCells> fresh;
  const std::vector<bool> flags = NewRowFlags(earlier, rows);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (flags[i]) fresh.push_back(rows[i]);
  }
  return fresh;
}

}  // namespace sorvane

#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/results_table.h"
#include "results/table_cells.h"

namespace sorvane {

// Every finished search is kept as one ".svq" file named after its words, in the
// folder SearchResults of the program folder. Thread rule: these functions share
// no state; the table passed in is read or filled under its own lock.
inline constexpr const char* kSearchResultsFolderName = "SearchResults";
inline constexpr const char* kSavedSearchExtension = ".svq";

// The rows of one saved search and the category row it was run in.
struct SavedSearch {
  int categoryRow = 0;
  std::vector<RowCells> rows;

  bool operator==(const SavedSearch&) const = default;
};

// The program folder's SearchResults folder, created when it is missing (a
// failure to create it shows later, when a save fails).
std::filesystem::path SearchResultsFolder(const std::filesystem::path& programFolder);

// Where the search for `words` is saved (the folder is not created here).
std::filesystem::path SavedSearchPath(const std::filesystem::path& programFolder, std::string_view words);

// The saved file for `words`: the encoded name, or else a file placed there by
// hand under the words as they are (when they name no folder). Nothing when
// neither exists.
std::optional<std::filesystem::path> FindSavedSearch(const std::filesystem::path& programFolder,
                                                     std::string_view words);

// The file's bytes: N, the category row, then six lines per row (five cells and
// the viewed flag as 0 or 1). A line break inside a cell is written as a space
// and a cell keeps at most its first 1022 bytes, since every field must stay one
// line the reader takes whole for the file to read back.
std::string FormatSavedSearch(const SavedSearch& search);

// What a cell reads back as once saved: one line of at most 1022 bytes, line
// breaks as spaces, trailing white space gone. Comparing a row with a saved
// search compares it in this form, or a long or blank-ended address would never
// match its own saved copy.
std::string CellAsSaved(std::string_view cell);

// Reads the text leniently: numbers that are not numbers read as 0, a file that
// ends early gives empty cells and viewed 0 for the rows it still owes. A negative
// count reads no rows, and at most kMaxRowsPastEnd rows are made up past the end,
// so a damaged count cannot make a table of billions of empty rows.
inline constexpr int kMaxRowsPastEnd = 1000;
SavedSearch ParseSavedSearch(std::string_view text);

// Saves the rows for `words`, replacing an earlier save of the same words only
// once the new file is whole. `categoryRow` is the category pane's selected row
// (0 when none is selected; a negative value is written as 0). False on failure.
bool SaveSearch(const std::filesystem::path& programFolder, std::string_view words,
                const std::vector<RowCells>& rows, int categoryRow);
bool SaveSearch(const std::filesystem::path& programFolder, std::string_view words, ResultsTable& table,
                int categoryRow);

// Reads a saved search file; nothing when it cannot be opened.
std::optional<SavedSearch> ReadSavedSearch(const std::filesystem::path& path);

// Appends the saved rows at the end of `table` (the caller empties it first) and
// returns the category row to select; nothing, and the table untouched, when the
// file cannot be opened.
std::optional<int> LoadSearch(const std::filesystem::path& path, ResultsTable& table);
// The same for the saved search of `words` (as FindSavedSearch finds it), as the
// Previous Searches list's choice loads it.
std::optional<int> LoadSavedSearch(const std::filesystem::path& programFolder, std::string_view words,
                                   ResultsTable& table);

// The titles the Previous Searches list shows: the words of every ".svq" file, in
// the order the file system lists the folder, empty titles left out.
std::vector<std::string> ListSavedSearches(const std::filesystem::path& programFolder);

// Removes the saved search for `words`; false when there was none to remove.
bool DeleteSavedSearch(const std::filesystem::path& programFolder, std::string_view words);

}  // namespace sorvane

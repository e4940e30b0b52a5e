#include "results/saved_search.h"

#include "core/text_util.h"

#include <algorithm>
#include <system_error>

#include "core/lenient_number.h"
#include "core/line_reader.h"
#include "platform/file_io.h"
#include "results/search_file_name.h"

namespace sorvane {

namespace fs = std::filesystem;

namespace {

// Every field must stay one line the reader takes whole: a line break becomes a
// space, and a field longer than the reader's longest line (a result link may be
// any length) keeps its first kMaxLineLength bytes, since its rest would be read
// as the next field and shift every row after it.
void AppendLine(std::string& out, std::string_view field) {
  for (const char c : field.substr(0, LineReader::kMaxLineLength)) out.push_back(c == '\n' || c == '\r' ? ' ' : c);
  out.push_back('\n');
}

// Words that could be used as a file name as they are, without leaving the folder.
bool IsPlainFileTitle(std::string_view words) {
  return words.find_first_of(std::string_view("/\\\0", 3)) == std::string_view::npos;
}

bool IsFile(const fs::path& path) {
  std::error_code error;
  return fs::is_regular_file(path, error);
}

}  // namespace

fs::path SearchResultsFolder(const fs::path& programFolder) {
  fs::path folder = programFolder / kSearchResultsFolderName;
  std::error_code error;
  fs::create_directories(folder, error);
  return folder;
}

fs::path SavedSearchPath(const fs::path& programFolder, std::string_view words) {
  return programFolder / kSearchResultsFolderName / (EncodeSearchFileTitle(words) + kSavedSearchExtension);
}

std::optional<fs::path> FindSavedSearch(const fs::path& programFolder, std::string_view words) {
  fs::path encoded = SavedSearchPath(programFolder, words);
  if (IsFile(encoded)) return encoded;
  if (IsPlainFileTitle(words)) {
    fs::path plain = programFolder / kSearchResultsFolderName / (std::string(words) + kSavedSearchExtension);
    if (IsFile(plain)) return plain;
  }
  return std::nullopt;
}

std::string CellAsSaved(std::string_view cell) {
  std::string line;
  AppendLine(line, cell);
  line.pop_back();
  return std::string(TrimTrailingWhiteSpace(line));
}

std::string FormatSavedSearch(const SavedSearch& search) {
  std::string out;
  AppendLine(out, FormatDecimal(static_cast<long long>(search.rows.size())));
  AppendLine(out, FormatDecimal(std::max(search.categoryRow, 0)));
  for (const RowCells& row : search.rows) {
    for (const std::string& cell : row.cells) AppendLine(out, cell);
    AppendLine(out, row.viewed ? "1" : "0");
  }
  return out;
}

SavedSearch ParseSavedSearch(std::string_view text) {
  LineReader reader(text);
  SavedSearch search;
  const int count = ParseLenientInt(reader.ReadLine());
  search.categoryRow = ParseLenientInt(reader.ReadLine());
  int rowsPastEnd = 0;
  for (int i = 0; i < count; ++i) {
    RowCells row;
    row.cells[0] = reader.ReadLine();
    if (reader.LastReadWasEmptyAtEnd() && ++rowsPastEnd > kMaxRowsPastEnd) break;
    for (int cell = 1; cell < kRowCellCount; ++cell) row.cells[cell] = reader.ReadLine();
    row.viewed = ParseLenientInt(reader.ReadLine()) != 0;
    search.rows.push_back(std::move(row));
  }
  return search;
}

bool SaveSearch(const fs::path& programFolder, std::string_view words, const std::vector<RowCells>& rows,
                int categoryRow) {
  SearchResultsFolder(programFolder);
  SavedSearch search;
  search.categoryRow = categoryRow;
  search.rows = rows;
  return WriteFileAtomically(SavedSearchPath(programFolder, words), FormatSavedSearch(search));
}

bool SaveSearch(const fs::path& programFolder, std::string_view words, ResultsTable& table, int categoryRow) {
  return SaveSearch(programFolder, words, TakeRowCells(table), categoryRow);
}

std::optional<SavedSearch> ReadSavedSearch(const fs::path& path) {
  const std::optional<std::string> text = ReadWholeFile(path);
  if (!text) return std::nullopt;
  return ParseSavedSearch(*text);
}

std::optional<int> LoadSearch(const fs::path& path, ResultsTable& table) {
  std::optional<SavedSearch> search = ReadSavedSearch(path);
  if (!search) return std::nullopt;
  table.WithLock([&](TableRows& rows) {
    for (const RowCells& row : search->rows) AppendRowCells(rows, row);
  });
  return search->categoryRow;
}

std::optional<int> LoadSavedSearch(const fs::path& programFolder, std::string_view words, ResultsTable& table) {
  const std::optional<fs::path> path = FindSavedSearch(programFolder, words);
  if (!path) return std::nullopt;
  return LoadSearch(*path, table);
}

std::vector<std::string> ListSavedSearches(const fs::path& programFolder) {
  std::vector<std::string> titles;
  const fs::path folder = SearchResultsFolder(programFolder);
  const std::string_view extension = kSavedSearchExtension;
  std::error_code error;
  for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
    if (!IsFile(entry->path())) continue;
    const std::string name = entry->path().filename().string();
    if (name.size() < extension.size() || !name.ends_with(extension)) continue;
    const std::string title = name.substr(0, name.size() - extension.size());
    if (title.empty()) continue;
    titles.push_back(DecodeSearchFileTitle(title));
  }
  // The folder's own listing order is the file system's (a hash order on some),
  // useless to a person looking for a search: name order, letter case ignored.
  return SortedNames(std::move(titles));
}

bool DeleteSavedSearch(const fs::path& programFolder, std::string_view words) {
  const std::optional<fs::path> path = FindSavedSearch(programFolder, words);
  if (!path) return false;
  std::error_code error;
  return fs::remove(*path, error);
}

}  // namespace sorvane

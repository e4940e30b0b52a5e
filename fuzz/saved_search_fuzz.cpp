// Any bytes as a saved search file, read the way the Previous Searches list
// loads it: never a crash, never more rows than the file holds plus the bounded
// made-up ones, the category row the file's second line says, and what was
// loaded saves and loads back as the same rows.

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/lenient_number.h"
#include "core/line_reader.h"
#include "fuzz/fuzz_input.h"
#include "results/saved_search.h"

namespace {

// One file per fuzzing process, rewritten for every input: LoadSearch reads a
// path, and the file layer is part of what is being tried.
const std::filesystem::path& InputFile() {
  static const std::filesystem::path file = [] {
    char folder[] = "/tmp/sorvane-svq-fuzz-XXXXXX";
    if (::mkdtemp(folder) == nullptr) std::abort();
    return std::filesystem::path(folder) / "words.svq";
  }();
  return file;
}

void RemoveInputFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(InputFile().parent_path(), ignored);
}

std::size_t LineCount(std::string_view text) {
  sorvane::LineReader reader(text);
  std::size_t lines = 0;
  for (;;) {
    reader.ReadLine();
    if (reader.LastReadWasEmptyAtEnd()) return lines;
    ++lines;
  }
}

// A cell keeps no line break when saved; a lone CR inside it becomes a space.
sorvane::RowCells AsSaved(sorvane::RowCells row) {
  for (std::string& cell : row.cells) std::replace(cell.begin(), cell.end(), '\r', ' ');
  return row;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  InputFile();
  std::atexit(RemoveInputFolder);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  {
    std::ofstream out(InputFile(), std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
  }
  sorvane::ResultsTable table;
  const std::optional<int> category = sorvane::LoadSearch(InputFile(), table);
  FUZZ_CHECK(category.has_value());

  sorvane::LineReader reader(text);
  const int count = sorvane::ParseLenientInt(reader.ReadLine());
  FUZZ_CHECK(*category == sorvane::ParseLenientInt(reader.ReadLine()));

  const std::vector<sorvane::RowCells> rows = sorvane::TakeRowCells(table);
  const std::size_t lines = LineCount(text);
  FUZZ_CHECK(rows.size() <= static_cast<std::size_t>(std::max(count, 0)));
  FUZZ_CHECK(rows.size() <= lines / 6 + 1 + sorvane::kMaxRowsPastEnd);
  for (const sorvane::RowCells& row : rows) {
    for (const std::string& cell : row.cells) {
      FUZZ_CHECK(cell.size() <= sorvane::LineReader::kMaxLineLength);
      FUZZ_CHECK(cell.find('\n') == std::string::npos);
    }
  }

  // What was loaded is what the same search writes and reads back.
  sorvane::SavedSearch loaded;
  loaded.categoryRow = std::max(*category, 0);
  for (const sorvane::RowCells& row : rows) loaded.rows.push_back(AsSaved(row));
  const sorvane::SavedSearch reread = sorvane::ParseSavedSearch(sorvane::FormatSavedSearch(loaded));
  FUZZ_CHECK(reread == loaded);
  return 0;
}

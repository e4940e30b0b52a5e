#include "core/engine_store.h"

#include "core/lenient_number.h"
#include "core/line_reader.h"
#include "platform/file_io.h"

namespace sorvane {

namespace {

// A text holding a line feed would shift every later field of the file and so
// corrupt the store; it is written with the line feed turned into a space. A
// carriage return alone ends no line, so it is kept. A text longer than the
// reader's longest line would come back as two lines and shift every later
// field just the same, so only its first kMaxLineLength bytes are written.
void AppendTextLine(std::string& out, std::string_view text) {
  for (char c : text.substr(0, LineReader::kMaxLineLength)) out.push_back(c == '\n' ? ' ' : c);
  out.push_back('\n');
}

void AppendNumberLine(std::string& out, long long number) {
  out += FormatDecimal(number);
  out.push_back('\n');
}

}  // namespace

void ParseEngines(std::string_view text, EngineList& engines) {
  LineReader reader(text);
  const int count = ParseLenientInt(reader.ReadLine());
  // The count only bounds the loop; nothing is reserved from it, since it may lie.
  for (int started = 0; started < count && !reader.AtEnd(); ++started) {
    SearchEngine engine;
    engine.name = reader.ReadLine();
    if (reader.AtEnd()) break;
    engine.startToken = reader.ReadLine();
    engine.endToken = reader.ReadLine();
    engine.url = reader.ReadLine();
    engine.searchType = ParseLenientInt(reader.ReadLine());
    engine.prefix = reader.ReadLine();
    engine.suffix = reader.ReadLine();
    if (StoresNextPageCommand(engine.searchType)) engine.nextPageCommand = reader.ReadLine();
    engine.valid = HasRequiredFields(engine) ? 1 : 0;
    if (engine.valid) engines.Append(std::move(engine));
  }
}

void ParseCategories(std::string_view text, CategoryRows& rows) {
  LineReader reader(text);
  std::string name = reader.ReadLine();
  while (!reader.AtEnd()) {
    const int count = ParseLenientInt(reader.ReadLine());
    std::vector<std::string> names;
    for (int i = 0; i < count && !reader.AtEnd(); ++i) {
      std::string engineName = reader.ReadLine();
      if (reader.LastReadWasEmptyAtEnd()) break;
      names.push_back(std::move(engineName));
    }
    // A later block for the same row replaces the earlier list; a block for a row
    // that does not exist is read and dropped.
    const int row = FindCategoryRowIgnoringCase(rows, name);
    if (row >= 0) rows[static_cast<std::size_t>(row)].engineNames = std::move(names);
    name = reader.ReadLine();
  }
}

std::string FormatEngines(const EngineList& engines) {
  std::string out;
  AppendNumberLine(out, static_cast<long long>(engines.size()));
  for (const EnginePtr& engine : engines) {
    AppendTextLine(out, engine->name);
    AppendTextLine(out, engine->startToken);
    AppendTextLine(out, engine->endToken);
    AppendTextLine(out, engine->url);
    AppendNumberLine(out, engine->searchType);
    AppendTextLine(out, engine->prefix);
    AppendTextLine(out, engine->suffix);
    if (StoresNextPageCommand(engine->searchType)) AppendTextLine(out, engine->nextPageCommand);
  }
  return out;
}

std::string FormatCategories(const CategoryRows& rows) {
  std::string out;
  for (const Category& row : rows) {
    AppendTextLine(out, row.name);
    if (row.engineNames) {
      AppendNumberLine(out, static_cast<long long>(row.engineNames->size()));
      for (const std::string& name : *row.engineNames) AppendTextLine(out, name);
    } else {
      AppendNumberLine(out, 0);
    }
  }
  return out;
}

void LoadEngineStore(const std::filesystem::path& folder, EngineList& engines,
                     CategoryRows& rows) {
  const std::optional<std::string> enginesText = ReadWholeFile(folder / kEnginesFileName);
  if (!enginesText) return;
  ParseEngines(*enginesText, engines);
  if (const std::optional<std::string> categoriesText = ReadWholeFile(folder / kCategoriesFileName)) {
    ParseCategories(*categoriesText, rows);
  }
}

bool SaveEngines(const std::filesystem::path& folder, const EngineList& engines) {
  return WriteFileAtomically(folder / kEnginesFileName, FormatEngines(engines));
}

bool SaveCategories(const std::filesystem::path& folder, const CategoryRows& rows) {
  return WriteFileAtomically(folder / kCategoriesFileName, FormatCategories(rows));
}

}  // namespace sorvane

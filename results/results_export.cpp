#include "results/results_export.h"

#include "core/json_text.h"
#include "core/lenient_number.h"
#include "core/results_table.h"
#include "platform/file_io.h"
#include "results/results_page.h"

namespace sorvane {

namespace {

constexpr const char* kCellTitles[kRowCellCount] = {kDescriptionColumn, kUrlColumn, kRankColumn, kHitsColumn,
                                                    kEngineColumn};

}  // namespace

std::string CsvField(std::string_view text) {
  std::string valid = AsValidUtf8(text);
  if (valid.find_first_of(",\"\r\n") == std::string::npos) return valid;
  std::string quoted = "\"";
  for (const char c : valid) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  quoted += '"';
  return quoted;
}

std::string FormatResultsCsv(const std::vector<RowCells>& rows) {
  std::string out;
  for (const char* title : kCellTitles) out += std::string(title) + ',';
  out += kViewedCsvTitle;
  out += "\r\n";
  for (const RowCells& row : rows) {
    for (const std::string& cell : row.cells) out += CsvField(cell) + ',';
    out += row.viewed ? '1' : '0';
    out += "\r\n";
  }
  return out;
}

std::string FormatResultsJson(const std::vector<RowCells>& rows, bool withViewed) {
  if (rows.empty()) return "[]\n";
  std::string out = "[\n";
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const RowCells& row = rows[i];
    out += "  {";
    for (int cell = 0; cell < kRowCellCount; ++cell) {
      if (cell > 0) out += ", ";
      out += JsonQuote(kCellTitles[cell]) + ": ";
      const bool number = cell == 2 || cell == 3;
      out += number ? FormatDecimal(ParseLenientInt(row.cells[cell])) : JsonQuote(row.cells[cell]);
    }
    if (withViewed) out += ", " + JsonQuote(kViewedJsonKey) + ": " + (row.viewed ? "1" : "0");
    out += i + 1 < rows.size() ? "},\n" : "}\n";
  }
  out += "]\n";
  return out;
}

std::string FormatExport(const std::vector<RowCells>& rows, ExportFormat format, std::string_view bannerPath) {
  switch (format) {
    case ExportFormat::Csv: return FormatResultsCsv(rows);
    case ExportFormat::Json: return FormatResultsJson(rows, true);
    case ExportFormat::Html: return FormatResultsPage(rows, bannerPath);
  }
  return {};
}

const char* ExportExtension(ExportFormat format) {
  switch (format) {
    case ExportFormat::Csv: return ".csv";
    case ExportFormat::Json: return ".json";
    case ExportFormat::Html: return ".htm";
  }
  return "";
}

std::filesystem::path WithExportExtension(const std::filesystem::path& path, ExportFormat format) {
  if (path.has_extension() || !path.has_filename()) return path;
  std::filesystem::path named = path;
  named += ExportExtension(format);
  return named;
}

bool ExportResults(const std::filesystem::path& path, const std::vector<RowCells>& rows, ExportFormat format,
                   std::string_view bannerPath) {
  return WriteFileAtomically(path, FormatExport(rows, format, bannerPath));
}

}  // namespace sorvane

#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "results/table_cells.h"

namespace sorvane {

// Taking the results elsewhere: the table as CSV, as JSON, or as the results
// page, written wherever the user chooses.
enum class ExportFormat { Csv, Json, Html };

// The CSV header's sixth title, after the five column titles.
inline constexpr const char* kViewedCsvTitle = "Viewed";
// The JSON key of the viewed flag, after the keys the command line prints.
inline constexpr const char* kViewedJsonKey = "viewed";

// One CSV field as RFC 4180 writes it: quoted when it holds a comma, a quote, a
// CR or an LF, with each quote doubled; the text made valid UTF-8.
std::string CsvField(std::string_view text);

// A header row (the five column titles and "Viewed") and one record per row,
// each line ended by CR LF; viewed as 0 or 1.
std::string FormatResultsCsv(const std::vector<RowCells>& rows);

// A JSON array of one object per row with the keys the command line prints
// (Rank and Hits as numbers), plus "viewed" (0 or 1) when withViewed is set.
// One object a line, as the command line prints its arrays.
std::string FormatResultsJson(const std::vector<RowCells>& rows, bool withViewed);

// The file's bytes for `format`. The page names `bannerPath` as its banner.
std::string FormatExport(const std::vector<RowCells>& rows, ExportFormat format, std::string_view bannerPath);

// The extension a format's files get (".csv", ".json", ".htm").
const char* ExportExtension(ExportFormat format);

// `path` with the format's extension added when the name has none at all, so a
// name typed without one still opens with the right program.
std::filesystem::path WithExportExtension(const std::filesystem::path& path, ExportFormat format);

// Writes the export, replacing an existing file only once the new one is
// whole. False when it could not be written.
bool ExportResults(const std::filesystem::path& path, const std::vector<RowCells>& rows, ExportFormat format,
                   std::string_view bannerPath);

}  // namespace sorvane

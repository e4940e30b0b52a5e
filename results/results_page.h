#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/results_table.h"
#include "results/table_cells.h"

namespace sorvane {

// The one results page, rewritten after every search and whenever a previous
// search is brought back. It lives in the program folder, not in SearchResults.
inline constexpr const char* kResultsPageFileName = "Search Results.htm";

std::filesystem::path ResultsPagePath(const std::filesystem::path& programFolder);

// Link texts are cut to 50 characters (UTF-8 letters, never a part of one), and
// "..." marks the cut (a text of exactly 50 characters gets it too).
std::string ShortenLinkText(std::string_view text);

// The banner for the next page, advancing `bannerIndex`: banner0.jpg, banner1.jpg,
// ... for as long as the files exist, then banner0.jpg again. With no banner
// files at all every page names banner0.jpg.
std::string NextBannerPath(const std::filesystem::path& programFolder, int& bannerIndex);

// What an engine's page can put into ours is made harmless: "<", ">" and "&" in
// the texts become entities (descriptions hold decoded text, so an "&" is a
// character to show, not the start of a reference), a link naming a scheme other
// than http, https, ftp, mailto or file (or a drive letter) becomes "#", and a
// quote cannot end the href. Links are written as the engines sent them.
std::string EscapePageText(std::string_view text);
std::string SafeLinkTarget(std::string_view link);

// The page's bytes for `rows` in table order with `bannerPath` in the banner; its
// first line declares the page UTF-8.
std::string FormatResultsPage(const std::vector<RowCells>& rows, std::string_view bannerPath);

// Writes the page from `rows` (or from the table, taken in one step) into the
// program folder, replacing the old page only once the new one is whole. False
// when it could not be written; nothing is written through a failed open.
bool WriteResultsPage(const std::filesystem::path& programFolder, const std::vector<RowCells>& rows,
                      int& bannerIndex);
bool WriteResultsPage(const std::filesystem::path& programFolder, ResultsTable& table, int& bannerIndex);

}  // namespace sorvane

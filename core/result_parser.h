#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "core/results_table.h"
#include "core/search_engine.h"

namespace sorvane {

// Longest description kept from a hit's title, in bytes.
inline constexpr std::size_t kMaxDescriptionLength = 350;

// Cuts the hits out of one result page and merges each into `table`; returns how
// many it took. A hit starts at each occurrence of the engine's startToken; its
// link runs from the token's last four bytes to the next double quote, its title
// from two bytes after that quote to the next endToken. The page is changed (the
// first byte of each end token found becomes a zero byte). With `skipKnownLinks` a
// link the table already holds is neither counted nor merged; the test and the
// merge of one hit are one step under the table's lock.
int ParseResultPage(const SearchEngine& engine, std::string_view words, std::string& pageText,
                    ResultsTable& table, bool skipKnownLinks);

// The same, with `mayMerge` asked under the table's lock before each merge: once
// it says no, nothing more is merged and the parse ends. A search run uses it to
// keep a worker it has given up on out of the table.
int ParseResultPage(const SearchEngine& engine, std::string_view words, std::string& pageText,
                    ResultsTable& table, bool skipKnownLinks, const std::function<bool()>& mayMerge);

// Every run from a "<" through the next ">" removed; an unclosed "<" keeps the rest.
std::string StripTags(std::string_view text);

// The title of a hit as its row shows it, as a browser shows the title (always
// UTF-8: a split letter's tail at the start is dropped, other bytes that are no
// UTF-8 become U+FFFD): the rest
// of the link's tag dropped (the bytes through the first ">" when no "<" comes
// before it), tags stripped, character references decoded to UTF-8 ("&nbsp;"
// as a space), control characters made spaces, white space runs made one space
// and the ends trimmed, then cut to at most 350 bytes at a character boundary.
// Decoding comes after stripping, so an "&lt;b&gt;" the page escaped is shown.
std::string CleanDescription(std::string_view title);

// A link without "http://", "mailto:" or "ftp://" anywhere in it gets the engine's
// url put in front, with nothing between.
std::string MakeLinkAbsolute(std::string_view link, std::string_view engineUrl);

// Index of the column titled `title`, or -1.
int FindColumn(ResultsTable& table, std::string_view title);

}  // namespace sorvane

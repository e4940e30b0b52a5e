#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "core/category.h"
#include "core/engine_list.h"

namespace sorvane {

// The two files of the store, kept in the program folder.
inline constexpr const char* kEnginesFileName = "engines.dat";
inline constexpr const char* kCategoriesFileName = "categories.dat";

// Reads engines.dat into `engines` and then categories.dat into the rows' engine
// lists. Never fails: a missing or unreadable engines.dat leaves no engines and
// categories.dat unread; a missing categories.dat leaves no category with engines.
void LoadEngineStore(const std::filesystem::path& folder, EngineList& engines,
                     CategoryRows& rows);

// Rewrite one file of the store. The old file is replaced only once the new one
// has been written in full, so a failed save leaves it whole; false on failure.
bool SaveEngines(const std::filesystem::path& folder, const EngineList& engines);
bool SaveCategories(const std::filesystem::path& folder, const CategoryRows& rows);

// The file formats on their own, for the loaders above, the tests and the fuzzers.
// ParseEngines appends the valid records to `engines`; ParseCategories attaches
// lists to the rows that exist.
void ParseEngines(std::string_view text, EngineList& engines);
void ParseCategories(std::string_view text, CategoryRows& rows);
std::string FormatEngines(const EngineList& engines);
std::string FormatCategories(const CategoryRows& rows);

}  // namespace sorvane

#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/engine_list.h"
#include "core/text_util.h"

namespace sorvane {

// The decisions of the engine and category dialogs, apart from their windows so
// they can be checked without a display. The windows keep their list entries in
// the order these functions give and only mirror them in their controls.

// True when an entry begins with `name`, letter case ignored. The Category
// Properties dialog refuses such a name, so "Search" is not added beside
// "Search Plus", while "Search Plus" may join "Search".
bool HasEntryStartingWith(const std::vector<std::string>& entries, std::string_view name);

// The position in `engines` of the record at `record`, if it is still there.
std::optional<std::size_t> FindRecordIndex(const EngineList& engines, const SearchEngine* record);

// "Are you sure you want to delete NAME?"
std::string DeleteEngineQuestion(std::string_view engineName);
// "Are you sure you want to delete 'ENGINE' from your list of engines for 'CATEGORY'?"
std::string RemoveCategoryEngineQuestion(std::string_view engineName, std::string_view categoryName);

// Asked before the Engine Details dialog accepts a record that the next start
// would drop.
inline constexpr std::string_view kDroppedAtNextStartQuestion =
    "This engine has an empty name, start token, end token or prefix and will not be loaded the next time "
    "Sorvane starts. Keep it anyway?";

// Told when engines.dat or categories.dat could not be written: the change stays
// in memory, and the user should know it will not outlive this run.
std::string SaveFailedMessage(const std::filesystem::path& file);

}  // namespace sorvane

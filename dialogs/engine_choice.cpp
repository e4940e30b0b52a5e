#include "dialogs/engine_choice.h"

#include <algorithm>

namespace sorvane {

bool HasEntryStartingWith(const std::vector<std::string>& entries, std::string_view name) {
  return std::any_of(entries.begin(), entries.end(), [name](const std::string& entry) {
    return entry.size() >= name.size() && CompareNamesIgnoringCase(std::string_view(entry).substr(0, name.size()), name) == 0;
  });
}

std::optional<std::size_t> FindRecordIndex(const EngineList& engines, const SearchEngine* record) {
  for (std::size_t index = 0; index < engines.size(); ++index) {
    if (engines.at(index).get() == record) return index;
  }
  return std::nullopt;
}

std::string DeleteEngineQuestion(std::string_view engineName) {
  return "Are you sure you want to delete " + std::string(engineName) + "?";
}

std::string RemoveCategoryEngineQuestion(std::string_view engineName, std::string_view categoryName) {
  return "Are you sure you want to delete '" + std::string(engineName) + "' from your list of engines for '" +
         std::string(categoryName) + "'?";
}

std::string SaveFailedMessage(const std::filesystem::path& file) {
  return "Sorvane could not save " + file.string() +
         ". Your change is kept only until Sorvane is closed.";
}

}  // namespace sorvane

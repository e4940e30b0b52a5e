#include "dialogs/engine_choice.h"

#include <algorithm>

namespace sorvane {

namespace {

unsigned char FoldCase(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

}  // namespace

int CompareNamesIgnoringCase(std::string_view a, std::string_view b) {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    const unsigned char left = FoldCase(a[i]);
    const unsigned char right = FoldCase(b[i]);
    if (left != right) return left < right ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

std::size_t SortedInsertPosition(const std::vector<std::string>& sorted, std::string_view name) {
  const auto after = std::upper_bound(sorted.begin(), sorted.end(), name,
                                      [](std::string_view wanted, const std::string& entry) {
                                        return CompareNamesIgnoringCase(wanted, entry) < 0;
                                      });
  return static_cast<std::size_t>(after - sorted.begin());
}

std::vector<std::string> SortedNames(std::vector<std::string> names) {
  std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return CompareNamesIgnoringCase(a, b) < 0;
  });
  return names;
}

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

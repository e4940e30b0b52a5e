#include "core/category_engines.h"

namespace sorvane {

bool CategoryHasEngines(const Category& category, const EngineList& engines) {
  if (!category.engineNames) return false;
  for (const std::string& name : *category.engineNames) {
    if (FindEngine(engines, name)) return true;
  }
  return false;
}

std::string NoEnginesMessage(std::string_view categoryName) {
  return "There are no search engines in the category '" + std::string(categoryName) +
         "'. Right-click the category and choose Properties to add some.";
}

}  // namespace sorvane

#include "core/engine_list.h"

namespace sorvane {

const EnginePtr& EngineList::Append(SearchEngine engine) {
  engines_.push_back(std::make_shared<const SearchEngine>(std::move(engine)));
  return engines_.back();
}

const EnginePtr& EngineList::Replace(std::size_t index, SearchEngine engine) {
  engines_.at(index) = std::make_shared<const SearchEngine>(std::move(engine));
  return engines_[index];
}

void EngineList::Remove(std::size_t index) {
  engines_.erase(engines_.begin() + static_cast<std::ptrdiff_t>(index));
}

EnginePtr FindEngine(const EngineList& engines, std::string_view name) {
  for (const EnginePtr& engine : engines) {
    if (engine->name == name) return engine;
  }
  return nullptr;
}

}  // namespace sorvane

#pragma once

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

#include "core/search_engine.h"

namespace sorvane {

// Records are shared and immutable once in the list: a running search holds its
// own references, so an edit or delete from the Engines dialog replaces the list's
// entry without pulling a record from under the search's workers.
using EnginePtr = std::shared_ptr<const SearchEngine>;

// The ordered list of engines, in engines.dat order. Owned by the UI thread;
// workers only read the records they were handed.
class EngineList {
 public:
  std::size_t size() const { return engines_.size(); }
  bool empty() const { return engines_.empty(); }
  const EnginePtr& at(std::size_t index) const { return engines_.at(index); }
  auto begin() const { return engines_.begin(); }
  auto end() const { return engines_.end(); }

  const EnginePtr& Append(SearchEngine engine);
  // Puts a new record in place of the one at `index`; returns the new record.
  const EnginePtr& Replace(std::size_t index, SearchEngine engine);
  void Remove(std::size_t index);
  void Clear() { engines_.clear(); }

 private:
  std::vector<EnginePtr> engines_;
};

// The first engine whose name equals `name` byte for byte, or null. Names are not
// unique; the earlier record wins.
EnginePtr FindEngine(const EngineList& engines, std::string_view name);

}  // namespace sorvane

#pragma once

#include <string>
#include <string_view>

#include "core/category.h"
#include "core/engine_list.h"

namespace sorvane {

// Whether a web search of the category would ask anyone: its list names at
// least one engine that exists. Without one, a search would have no worker to
// end it, so the front ends say so instead of starting it.
bool CategoryHasEngines(const Category& category, const EngineList& engines);

// "There are no search engines in the category 'NAME'. Right-click the category
// and choose Properties to add some."
std::string NoEnginesMessage(std::string_view categoryName);

}  // namespace sorvane

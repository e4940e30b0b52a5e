// engines.dat and categories.dat as anything a disk may hold: loading never
// crashes, and what was loaded writes out and reads back as the same store.

#include "core/engine_store.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  sorvane::fuzz::FuzzInput input(data, size);
  const std::string_view enginesText = input.NextField();
  const std::string_view categoriesText = input.Rest();

  sorvane::EngineList engines;
  sorvane::CategoryRows rows = sorvane::DefaultCategoryRows();
  sorvane::ParseEngines(enginesText, engines);
  sorvane::ParseCategories(categoriesText, rows);
  FUZZ_CHECK(rows.size() == 22);

  sorvane::EngineList reread;
  sorvane::ParseEngines(sorvane::FormatEngines(engines), reread);
  FUZZ_CHECK(reread.size() == engines.size());
  for (std::size_t i = 0; i < engines.size(); ++i) FUZZ_CHECK(*reread.at(i) == *engines.at(i));

  sorvane::CategoryRows rereadRows = sorvane::DefaultCategoryRows();
  sorvane::ParseCategories(sorvane::FormatCategories(rows), rereadRows);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    FUZZ_CHECK(rereadRows[i].engineNames.value_or(std::vector<std::string>{}) ==
               rows[i].engineNames.value_or(std::vector<std::string>{}));
  }
  return 0;
}

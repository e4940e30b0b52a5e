#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "core/json_text.h"

namespace sorvane::cli {

// One JSON object, its members kept in the order they were added.
class JsonObject {
 public:
  JsonObject& AddString(std::string_view key, std::string_view value);
  JsonObject& AddNumber(std::string_view key, long long value);
  JsonObject& AddStrings(std::string_view key, const std::vector<std::string>& values);
  std::string Text() const;

 private:
  std::vector<std::pair<std::string, std::string>> members_;  // key, encoded value
};

using sorvane::JsonQuote;

// The listing commands' output: an array of objects, one object a line.
void WriteJsonArray(std::ostream& out, const std::vector<JsonObject>& objects);

}  // namespace sorvane::cli

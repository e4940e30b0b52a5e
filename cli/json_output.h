#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

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

// A string as a JSON literal. Our texts are bytes in no declared encoding: valid
// UTF-8 passes as it is, any other byte above 127 is taken as Latin-1.
std::string JsonQuote(std::string_view text);

// The listing commands' output: an array of objects, one object a line.
void WriteJsonArray(std::ostream& out, const std::vector<JsonObject>& objects);

}  // namespace sorvane::cli

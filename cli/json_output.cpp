#include "cli/json_output.h"

#include <ostream>

namespace sorvane::cli {

JsonObject& JsonObject::AddString(std::string_view key, std::string_view value) {
  members_.emplace_back(std::string(key), JsonQuote(value));
  return *this;
}

JsonObject& JsonObject::AddNumber(std::string_view key, long long value) {
  members_.emplace_back(std::string(key), std::to_string(value));
  return *this;
}

JsonObject& JsonObject::AddStrings(std::string_view key, const std::vector<std::string>& values) {
  std::string encoded = "[";
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (i > 0) encoded += ", ";
    encoded += JsonQuote(values[i]);
  }
  encoded += "]";
  members_.emplace_back(std::string(key), std::move(encoded));
  return *this;
}

std::string JsonObject::Text() const {
  std::string text = "{";
  for (std::size_t i = 0; i < members_.size(); ++i) {
    if (i > 0) text += ", ";
    text += JsonQuote(members_[i].first) + ": " + members_[i].second;
  }
  text += "}";
  return text;
}

void WriteJsonArray(std::ostream& out, const std::vector<JsonObject>& objects) {
  if (objects.empty()) {
    out << "[]\n";
    return;
  }
  out << "[\n";
  for (std::size_t i = 0; i < objects.size(); ++i) {
    out << "  " << objects[i].Text() << (i + 1 < objects.size() ? ",\n" : "\n");
  }
  out << "]\n";
}

}  // namespace sorvane::cli

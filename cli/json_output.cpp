#include "cli/json_output.h"

#include <cstdio>
#include <ostream>

namespace sorvane::cli {

namespace {

// Length of the valid UTF-8 sequence starting at text[i], or 0.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t i) {
  const auto lead = static_cast<unsigned char>(text[i]);
  std::size_t length = 0;
  unsigned minimum = 0;
  unsigned codePoint = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, minimum = 0x80, codePoint = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, minimum = 0x800, codePoint = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, minimum = 0x10000, codePoint = lead & 0x07;
  } else {
    return 0;
  }
  if (i + length > text.size()) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(text[i + k]);
    if ((next & 0xC0) != 0x80) return 0;
    codePoint = (codePoint << 6) | (next & 0x3F);
  }
  if (codePoint < minimum || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
    return 0;
  }
  return length;
}

void AppendEscape(std::string& out, unsigned value) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "\\u%04x", value);
  out += buffer;
}

}  // namespace

std::string JsonQuote(std::string_view text) {
  std::string out = "\"";
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    switch (byte) {
      case '"': out += "\\\""; continue;
      case '\\': out += "\\\\"; continue;
      case '\n': out += "\\n"; continue;
      case '\r': out += "\\r"; continue;
      case '\t': out += "\\t"; continue;
      default: break;
    }
    if (byte < 0x20 || byte == 0x7F) {
      AppendEscape(out, byte);
    } else if (byte < 0x80) {
      out.push_back(static_cast<char>(byte));
    } else if (const std::size_t length = Utf8SequenceLength(text, i)) {
      out.append(text.substr(i, length));
      i += length - 1;
    } else {
      AppendEscape(out, byte);
    }
  }
  out += '"';
  return out;
}

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

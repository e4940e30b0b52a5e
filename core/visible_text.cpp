#include "core/visible_text.h"

#include <algorithm>

namespace sorvane {

namespace {

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

bool IsWordByte(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
         static_cast<unsigned char>(c) >= 0x80;
}

}  // namespace

std::vector<std::string> SearchWordsOf(std::string_view words) {
  std::vector<std::string> result;
  std::string current;
  auto flush = [&] {
    if (!current.empty()) result.push_back(current);
    current.clear();
  };
  for (char c : words) {
    if (IsSpace(c) || c == '"' || c == '+') {
      flush();
    } else {
      current += LowerAscii(c);
    }
  }
  flush();
  return result;
}

VisibleText::VisibleText(std::string_view page, std::string_view words) : words_(SearchWordsOf(words)) {
  visibleBefore_.resize(page.size() + 1);
  // The visible text in lower case, a tag or a run of white space made one
  // space, with the page position of each of its bytes.
  std::string text;
  std::vector<std::uint32_t> origin;
  text.reserve(page.size() / 2);
  origin.reserve(page.size() / 2);
  std::uint32_t visible = 0;
  bool inTag = false;
  bool pendingSpace = false;
  for (std::size_t at = 0; at < page.size(); ++at) {
    visibleBefore_[at] = visible;
    const char c = page[at];
    if (inTag) {
      if (c == '>') {
        inTag = false;
        pendingSpace = true;
      }
      continue;
    }
    if (c == '<') {
      inTag = true;
      continue;
    }
    if (IsSpace(c)) {
      pendingSpace = true;
      continue;
    }
    if (pendingSpace && !text.empty()) {
      text += ' ';
      origin.push_back(static_cast<std::uint32_t>(at));
    }
    pendingSpace = false;
    text += LowerAscii(c);
    origin.push_back(static_cast<std::uint32_t>(at));
    ++visible;
  }
  visibleBefore_[page.size()] = visible;

  for (const std::string& word : words_) {
    for (std::size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) {
      if (at > 0 && IsWordByte(text[at - 1])) continue;
      wordStarts_.push_back(origin[at]);
    }
  }
  std::sort(wordStarts_.begin(), wordStarts_.end());
}

int VisibleText::VisibleBytes(std::size_t from, std::size_t to) const {
  from = Clamp(from);
  to = Clamp(to);
  return to > from ? static_cast<int>(visibleBefore_[to] - visibleBefore_[from]) : 0;
}

bool VisibleText::HasWords(std::size_t from, std::size_t to) const {
  const auto first = std::lower_bound(wordStarts_.begin(), wordStarts_.end(), from);
  return first != wordStarts_.end() && *first < to;
}

}  // namespace sorvane

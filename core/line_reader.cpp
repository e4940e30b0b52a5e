#include "core/line_reader.h"

#include <algorithm>

namespace sorvane {

namespace {
bool IsCSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
}  // namespace

std::string_view TrimTrailingWhiteSpace(std::string_view text) {
  std::size_t end = text.size();
  while (end > 0 && IsCSpace(text[end - 1])) --end;
  return text.substr(0, end);
}

std::string LineReader::ReadLine() {
  lastReadEmptyAtEnd_ = false;
  if (pos_ >= text_.size()) {
    atEnd_ = true;
    lastReadEmptyAtEnd_ = true;
    return {};
  }
  const std::size_t lineEnd = std::min(text_.find('\n', pos_), text_.size());
  // A CR right before the LF belongs to the line break, not to the line's length,
  // so a 1022-byte line reads as one line with either line ending.
  std::size_t contentEnd = lineEnd;
  if (lineEnd < text_.size() && contentEnd > pos_ && text_[contentEnd - 1] == '\r') --contentEnd;

  std::string_view piece;
  if (contentEnd - pos_ > kMaxLineLength) {
    piece = text_.substr(pos_, kMaxLineLength);
    pos_ += kMaxLineLength;
  } else {
    piece = text_.substr(pos_, lineEnd - pos_);
    if (lineEnd < text_.size()) {
      pos_ = lineEnd + 1;
    } else {
      pos_ = text_.size();
      atEnd_ = true;  // the last line had no line break
    }
  }
  return std::string(TrimTrailingWhiteSpace(piece));
}

}  // namespace sorvane

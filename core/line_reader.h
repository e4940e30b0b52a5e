#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace sorvane {

// Reads the store's text files line by line, the way the program always has: at
// most kMaxLineLength bytes a line (a longer line comes back in pieces of that
// size, each piece counting as a line), trailing white space cut, the line break
// included, so CR LF and LF read the same.
//
// AtEnd() becomes true once a read has run into the end of the text, exactly when
// a C stream's end-of-file flag would be set: a last line without a line break
// sets it, a last line with one does not (the next read then yields nothing).
class LineReader {
 public:
  static constexpr std::size_t kMaxLineLength = 1022;

  explicit LineReader(std::string_view text) : text_(text) {}

  // The next line; an empty text once the end has been reached.
  std::string ReadLine();
  // True when the last ReadLine found no bytes at all (nothing left to read).
  bool LastReadWasEmptyAtEnd() const { return lastReadEmptyAtEnd_; }
  bool AtEnd() const { return atEnd_; }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
  bool atEnd_ = false;
  bool lastReadEmptyAtEnd_ = false;
};

// Trailing bytes that isspace() accepts in the C locale, removed.
std::string_view TrimTrailingWhiteSpace(std::string_view text);

}  // namespace sorvane

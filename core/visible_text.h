#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sorvane {

// The words a person searched for, as the learning looks for them: lower case,
// quotes and "+" as separators, one entry a word.
std::vector<std::string> SearchWordsOf(std::string_view words);

// What a reader of a page sees of it, indexed once so that any stretch of the
// page can be asked about at once: how many visible bytes it holds (not in
// tags, not white space) and whether one of the search's words starts a word
// in it (letters compared without case; "boat" finds "Boats", not "houseboat").
// Thread rule: immutable once made; any thread may read it.
class VisibleText {
 public:
  VisibleText(std::string_view page, std::string_view words);

  const std::vector<std::string>& words() const { return words_; }
  int VisibleBytes(std::size_t from, std::size_t to) const;
  bool HasWords(std::size_t from, std::size_t to) const;

 private:
  std::size_t Clamp(std::size_t at) const { return at < visibleBefore_.size() ? at : visibleBefore_.size() - 1; }

  std::vector<std::string> words_;
  std::vector<std::uint32_t> visibleBefore_;  // visible bytes before each position, and at the end
  std::vector<std::size_t> wordStarts_;       // page positions where a search word starts, ascending
};

}  // namespace sorvane

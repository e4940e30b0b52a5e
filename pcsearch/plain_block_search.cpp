#include "pcsearch/plain_block_search.h"

#include <cstdio>
#include <memory>

#include "core/text_util.h"
#include "pcsearch/keep_printable.h"

namespace sorvane {

PlainBlockSearch::PlainBlockSearch(std::string_view phrase)
    : phrase_(phrase), upperPhrase_(ToUpperAscii(phrase)) {}

bool PlainBlockSearch::FeedBlock(std::string_view block) {
  if (found_ || phrase_.empty()) return found_;
  const std::size_t zero = block.find('\0');
  const std::string blockText = KeepPrintable(block.substr(0, zero));
  std::string window;
  if (window_.size() >= phrase_.size()) window = window_.substr(window_.size() - (phrase_.size() - 1));
  window += blockText;
  window_ = std::move(window);
  found_ = ToUpperAscii(window_).find(upperPhrase_) != std::string::npos;
  return found_;
}

std::optional<std::string> FindWindowPlain(std::string_view contents, std::string_view phrase) {
  if (phrase.empty()) return std::nullopt;
  PlainBlockSearch search(phrase);
  for (std::size_t at = 0; at < contents.size(); at += PlainBlockSearch::kBlockSize) {
    if (search.FeedBlock(contents.substr(at, PlainBlockSearch::kBlockSize))) return search.Window();
  }
  return std::nullopt;
}

std::optional<std::string> SearchFilePlain(const std::string& path, std::string_view phrase) {
  if (path.empty() || phrase.empty()) return std::nullopt;
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                             &std::fclose);
  if (!file) return std::nullopt;
  PlainBlockSearch search(phrase);
  char block[PlainBlockSearch::kBlockSize];
  for (;;) {
    const std::size_t got = std::fread(block, 1, sizeof block, file.get());
    if (got == 0) break;
    if (search.FeedBlock(std::string_view(block, got))) return search.Window();
    if (got < sizeof block) break;
  }
  return std::nullopt;
}

}  // namespace sorvane

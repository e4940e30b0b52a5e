#include "platform/help_book_location.h"

#include <algorithm>
#include <system_error>

namespace sorvane {

namespace fs = std::filesystem;

fs::path HelpBookPath(const fs::path& helpPath) {
  fs::path book = helpPath;
  book.replace_extension(".htb");
  return book;
}

std::vector<fs::path> HelpBookCandidates(const fs::path& helpPath, const fs::path& executableFolder,
                                         const std::vector<fs::path>& defaultsFolders) {
  const fs::path book = HelpBookPath(helpPath);
  const fs::path name = book.filename();
  std::vector<fs::path> candidates;
  auto add = [&candidates](fs::path path) {
    path = path.lexically_normal();
    if (std::find(candidates.begin(), candidates.end(), path) == candidates.end()) candidates.push_back(path);
  };
  if (!executableFolder.empty()) add(executableFolder / name);
  for (const fs::path& folder : defaultsFolders) add(folder / name);
  add(book);
  return candidates;
}

fs::path FindHelpBook(const std::vector<fs::path>& candidates) {
  std::error_code error;
  for (const fs::path& candidate : candidates) {
    if (fs::is_regular_file(candidate, error)) return candidate;
  }
  return candidates.empty() ? fs::path() : candidates.back();
}

}  // namespace sorvane

// The yardstick for bench/scan-bench: every regular file of a tree read with the
// plain 256-byte reading, one "window<TAB>path" line per file holding the phrase,
// the way the scan's Description and URL columns read.
//
//   plain_scan PHRASE DIR

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

#include "pcsearch/plain_block_search.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: plain_scan PHRASE DIR\n");
    return 2;
  }
  const std::string phrase = argv[1];
  namespace fs = std::filesystem;
  std::error_code error;
  for (fs::recursive_directory_iterator it(argv[2], error), end; !error && it != end;
       it.increment(error)) {
    if (!it->is_regular_file(error)) continue;
    const std::string path = it->path().string();
    if (const std::optional<std::string> window = sorvane::SearchFilePlain(path, phrase)) {
      std::printf("%s\t%s\n", window->c_str(), path.c_str());
    }
  }
  return error ? 1 : 0;
}

// bench/learn-quality: learns a record from each saved result page and its
// search address, and prints how many of the hand-written record's hits the
// learned one takes (recall) and how many of its hits are also the hand-written
// record's (precision), page by page and overall.
//
//   learn_quality MANIFEST.tsv...
//
// Each manifest's pages lie in the manifest's own folder. With
// LEARN_QUALITY_RECORDS set, the learned records follow the table.

#include <iostream>
#include <vector>

#include "support/learn_quality.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: learn_quality MANIFEST.tsv...\n";
    return 2;
  }
  std::vector<sorvane::quality::QualityRow> rows;
  std::vector<std::string> errors;
  for (int i = 1; i < argc; ++i) {
    const std::filesystem::path manifest = argv[i];
    for (const auto& c : sorvane::quality::ReadManifest(manifest, errors)) {
      rows.push_back(sorvane::quality::EvaluateCase(c, manifest.parent_path()));
    }
  }
  for (const std::string& error : errors) std::cerr << "learn_quality: " << error << "\n";
  std::cout << sorvane::quality::FormatTable(rows);
  if (std::getenv("LEARN_QUALITY_RECORDS")) {
    for (const auto& row : rows) {
      const auto& e = row.learned;
      std::cout << row.pageFile << "\t" << e.name << '\t' << e.startToken << '\t' << e.endToken << '\t' << e.url
                << '\t' << e.searchType << '\t' << e.prefix << '\t' << e.suffix << "\n";
    }
  }
  return errors.empty() ? 0 : 1;
}

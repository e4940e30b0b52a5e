#pragma once

// How well learned records take the hits of hand-written ones, page by page:
// shared by bench/learn-quality (the table) and the test that holds its figures.

#include <filesystem>
#include <string>
#include <vector>

#include "core/search_engine.h"

namespace sorvane::quality {

// One line of a MANIFEST.tsv: page file, words, the address a person would copy,
// the hand-written record's hit count, then its eight fields as `engines` prints.
struct QualityCase {
  std::string pageFile;
  std::string words;
  std::string address;
  int expectedHits = 0;
  SearchEngine handWritten;
};

// The cases of a manifest; a line that is not twelve tab-separated fields is
// reported in `errors` and left out.
std::vector<QualityCase> ReadManifest(const std::filesystem::path& manifest, std::vector<std::string>& errors);

struct QualityRow {
  std::string pageFile;
  std::size_t pageBytes = 0;
  int handHits = 0;      // links the hand-written record takes
  int learnedHits = 0;   // links the learned record takes
  int sharedHits = 0;    // links both take
  bool addressRebuilt = false;  // the learned record asks for the copied address
  std::string failure;          // why nothing was learned
  SearchEngine learned;
  double learnMilliseconds = 0;

  double Recall() const { return handHits == 0 ? 1.0 : static_cast<double>(sharedHits) / handHits; }
  double Precision() const { return learnedHits == 0 ? 0.0 : static_cast<double>(sharedHits) / learnedHits; }
};

QualityRow EvaluateCase(const QualityCase& qualityCase, const std::filesystem::path& pagesFolder);

struct QualityTotals {
  int handHits = 0;
  int learnedHits = 0;
  int sharedHits = 0;
  double Recall() const { return handHits == 0 ? 1.0 : static_cast<double>(sharedHits) / handHits; }
  double Precision() const { return learnedHits == 0 ? 0.0 : static_cast<double>(sharedHits) / learnedHits; }
};
QualityTotals TotalsOf(const std::vector<QualityRow>& rows);

// The table as bench/learn-quality prints it.
std::string FormatTable(const std::vector<QualityRow>& rows);

}  // namespace sorvane::quality

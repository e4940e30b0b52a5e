// The learned records against the hand-written ones over every saved result
// page: the figures bench/learn-quality prints, held here so they cannot slip.

#include <gtest/gtest.h>

#include "support/learn_quality.h"

namespace sorvane {
namespace {

const std::filesystem::path kPagesFolder = SORVANE_ENGINE_PAGES_DIR;

std::vector<quality::QualityRow> Evaluate(const std::filesystem::path& manifest) {
  std::vector<std::string> errors;
  std::vector<quality::QualityRow> rows;
  for (const auto& c : quality::ReadManifest(manifest, errors)) rows.push_back(quality::EvaluateCase(c, manifest.parent_path()));
  EXPECT_TRUE(errors.empty()) << errors.front();
  return rows;
}

TEST(LearnQuality, LearnedRecordsTakeTheHandWrittenRecordsHits) {
  std::vector<quality::QualityRow> rows = Evaluate(kPagesFolder / "MANIFEST.tsv");
  if (std::filesystem::exists(kPagesFolder / "learn" / "MANIFEST.tsv")) {
    const std::vector<quality::QualityRow> full = Evaluate(kPagesFolder / "learn" / "MANIFEST.tsv");
    rows.insert(rows.end(), full.begin(), full.end());
  }
  ASSERT_GE(rows.size(), 16u);
  for (const quality::QualityRow& row : rows) {
    SCOPED_TRACE(row.pageFile);
    EXPECT_TRUE(row.failure.empty()) << row.failure;
    EXPECT_TRUE(row.addressRebuilt);
    // Every page reaches the goal today; a page that drops below it is a fault.
    EXPECT_GE(row.Recall(), 0.95);
    EXPECT_GE(row.Precision(), 0.95);
  }
  const quality::QualityTotals totals = quality::TotalsOf(rows);
  EXPECT_GE(totals.Recall(), 0.95);
  EXPECT_GE(totals.Precision(), 0.95);
  std::cout << quality::FormatTable(rows);
}

}  // namespace
}  // namespace sorvane

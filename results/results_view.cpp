#include "results/results_view.h"

#include <algorithm>

#include "core/case_fold.h"
#include "core/lenient_number.h"
#include "core/results_table.h"
#include "results/earlier_search.h"

namespace sorvane {

namespace {

// Between the folded cells of a row, so a filter text cannot match across two
// cells; a one-line filter text never holds it.
constexpr char kCellSeparator = '\0';

}  // namespace

void ResultsView::ClickColumn(int column) {
  if (column == sortColumn_) SortBy(column, !descending_);
  else SortBy(column, false);
}

void ResultsView::SortBy(int column, bool descending) {
  sortColumn_ = std::max(column, -1);
  descending_ = sortColumn_ >= 0 && descending;
  needsRebuild_ = true;
}

void ResultsView::ClearSort() { SortBy(-1, false); }

void ResultsView::SetFilterText(std::string_view text) {
  if (text == filterText_) return;
  filterText_ = std::string(text);
  foldedFilter_ = FoldCase(text);
  needsRebuild_ = true;
}

void ResultsView::SetNewOnly(bool newOnly) {
  if (newOnly == newOnly_) return;
  newOnly_ = newOnly;
  needsRebuild_ = true;
}

void ResultsView::SetEarlierAddresses(std::optional<std::unordered_set<std::string>> addresses) {
  earlierAddresses_ = std::move(addresses);
  needsRebuild_ = true;
}

bool ResultsView::IsNewRow(const TableRows& rows, int tableRow) const {
  if (!earlierAddresses_ || tableRow < 0 || tableRow >= rows.RowCount()) return false;
  return IsNewAddress(*earlierAddresses_, rows.Cell(tableRow, rows.FindColumn(kUrlColumn)));
}

int ResultsView::ShownCount() const { return IsIdentity() ? knownRows_ : static_cast<int>(order_.size()); }

int ResultsView::TableRowAt(const TableRows& rows, int viewRow) const {
  if (viewRow < 0 || viewRow >= ShownCount()) return -1;
  if (IsIdentity()) return viewRow < rows.RowCount() ? viewRow : -1;
  return rows.RowOfId(order_[static_cast<std::size_t>(viewRow)]->id);
}

int ResultsView::ViewRowOfTableRow(const TableRows& rows, int tableRow) const {
  if (IsIdentity()) return tableRow >= 0 && tableRow < knownRows_ ? tableRow : -1;
  const auto entry = entries_.find(rows.IdAt(tableRow));
  return entry == entries_.end() ? -1 : entry->second.shownAt;
}

void ResultsView::ComputeKeys(const TableRows& rows, Entry& entry) const {
  if (sortColumn_ >= 0) {
    const std::string& cell = rows.Cell(entry.tableRow, sortColumn_);
    if (numericSort_) entry.number = ParseLenientInt(cell);
    else entry.text = FoldCase(cell);
  }
  if (!foldedFilter_.empty()) {
    entry.folded = FoldCase(rows.Cell(entry.tableRow, rows.FindColumn(kDescriptionColumn)));
    entry.folded.push_back(kCellSeparator);
    entry.folded += FoldCase(rows.Cell(entry.tableRow, rows.FindColumn(kUrlColumn)));
    entry.folded.push_back(kCellSeparator);
    entry.folded += FoldCase(rows.Cell(entry.tableRow, rows.FindColumn(kEngineColumn)));
  }
}

bool ResultsView::Passes(const TableRows& rows, const Entry& entry) const {
  if (!foldedFilter_.empty() && entry.folded.find(foldedFilter_) == std::string::npos) return false;
  if (newOnly_ && earlierAddresses_ && !IsNewRow(rows, entry.tableRow)) return false;
  return true;
}

// The view's order: the sort key (reversed when descending), then the table's
// order, which inserting rows never changes for the rows already there.
bool ResultsView::ShownBefore(const Entry* left, const Entry* right) const {
  if (sortColumn_ >= 0) {
    const int order = numericSort_ ? (left->number < right->number ? -1 : left->number > right->number ? 1 : 0)
                                   : left->text.compare(right->text);
    if (order != 0) return descending_ ? order > 0 : order < 0;
  }
  return left->tableRow < right->tableRow;
}

void ResultsView::IndexPositions() {
  for (std::size_t i = 0; i < order_.size(); ++i) order_[i]->shownAt = static_cast<int>(i);
}

void ResultsView::Rebuild(const TableRows& rows) {
  needsRebuild_ = false;
  generation_ = rows.Generation();
  revision_ = rows.Revision();
  knownRows_ = rows.RowCount();
  order_.clear();
  entries_.clear();
  if (IsIdentity()) return;
  const std::string& sortTitle = rows.ColumnTitle(sortColumn_);
  numericSort_ = sortColumn_ >= 0 && (sortTitle == kRankColumn || sortTitle == kHitsColumn);
  const std::vector<TableRows::RowStamp> stamps = rows.Stamps();
  entries_.reserve(stamps.size());
  for (std::size_t i = 0; i < stamps.size(); ++i) {
    Entry& entry = entries_[stamps[i].id];
    entry.id = stamps[i].id;
    entry.revision = stamps[i].revision;
    entry.tableRow = static_cast<int>(i);
    ComputeKeys(rows, entry);
    if (Passes(rows, entry)) order_.push_back(&entry);
  }
  std::sort(order_.begin(), order_.end(), [this](const Entry* a, const Entry* b) { return ShownBefore(a, b); });
  IndexPositions();
}

void ResultsView::Sync(const TableRows& rows) {
  if (needsRebuild_ || rows.Generation() != generation_ || rows.RowCount() < knownRows_) {
    Rebuild(rows);
    return;
  }
  if (IsIdentity()) {
    knownRows_ = rows.RowCount();
    revision_ = rows.Revision();
    return;
  }
  if (rows.Revision() == revision_) return;

  // Rows changed since the last look leave the order and come back in with the
  // new ones, each at its place; the others keep theirs, since inserting rows
  // never changes the table order of the rows already there.
  std::vector<Entry*> arriving;
  std::vector<Entry*> changed;
  const std::vector<TableRows::RowStamp> stamps = rows.Stamps();
  for (std::size_t i = 0; i < stamps.size(); ++i) {
    const auto [found, isNew] = entries_.try_emplace(stamps[i].id);
    Entry& entry = found->second;
    entry.tableRow = static_cast<int>(i);
    if (!isNew && stamps[i].revision <= revision_) continue;
    entry.id = stamps[i].id;
    entry.revision = stamps[i].revision;
    if (!isNew) changed.push_back(&entry);
    ComputeKeys(rows, entry);
    if (Passes(rows, entry)) arriving.push_back(&entry);
  }
  knownRows_ = rows.RowCount();
  revision_ = rows.Revision();
  if (!changed.empty()) {
    const std::unordered_set<const Entry*> leaving(changed.begin(), changed.end());
    std::erase_if(order_, [&](const Entry* entry) { return leaving.contains(entry); });
    for (Entry* entry : changed) entry->shownAt = -1;
  }

  const auto before = [this](const Entry* a, const Entry* b) { return ShownBefore(a, b); };
  std::sort(arriving.begin(), arriving.end(), before);
  std::vector<Entry*> merged;
  merged.reserve(order_.size() + arriving.size());
  std::merge(order_.begin(), order_.end(), arriving.begin(), arriving.end(), std::back_inserter(merged), before);
  order_ = std::move(merged);
  IndexPositions();
}

}  // namespace sorvane

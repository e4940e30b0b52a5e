#include "results/results_view.h"

#include <utf8proc.h>

#include <algorithm>

#include "core/lenient_number.h"
#include "core/results_table.h"
#include "results/earlier_search.h"

namespace sorvane {

namespace {

// Between the folded cells of a row, so a filter text cannot match across two
// cells; a one-line filter text never holds it.
constexpr char kCellSeparator = '\0';

}  // namespace

std::string FoldForView(std::string_view text) {
  std::string folded;
  folded.reserve(text.size());
  const auto* bytes = reinterpret_cast<const utf8proc_uint8_t*>(text.data());
  const auto size = static_cast<utf8proc_ssize_t>(text.size());
  for (utf8proc_ssize_t at = 0; at < size;) {
    const auto byte = bytes[at];
    if (byte < 0x80) {
      folded.push_back(static_cast<char>(byte >= 'A' && byte <= 'Z' ? byte + ('a' - 'A') : byte));
      ++at;
      continue;
    }
    utf8proc_int32_t codePoint = 0;
    const utf8proc_ssize_t length = utf8proc_iterate(bytes + at, size - at, &codePoint);
    if (length <= 0) {
      // Old saved searches may hold Latin-1 bytes: they stay as they are.
      folded.push_back(static_cast<char>(byte));
      ++at;
      continue;
    }
    utf8proc_int32_t foldedPoints[8];
    const utf8proc_ssize_t count =
        utf8proc_decompose_char(codePoint, foldedPoints, 8, UTF8PROC_CASEFOLD, nullptr);
    if (count <= 0 || count > 8) {
      folded.append(text.substr(static_cast<std::size_t>(at), static_cast<std::size_t>(length)));
    } else {
      for (utf8proc_ssize_t i = 0; i < count; ++i) {
        utf8proc_uint8_t encoded[4];
        const utf8proc_ssize_t encodedLength = utf8proc_encode_char(foldedPoints[i], encoded);
        folded.append(reinterpret_cast<const char*>(encoded), static_cast<std::size_t>(encodedLength));
      }
    }
    at += length;
  }
  return folded;
}

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
  foldedFilter_ = FoldForView(text);
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
  return rows.RowOfOrdinal(order_[static_cast<std::size_t>(viewRow)]);
}

int ResultsView::ViewRowOfTableRow(const TableRows& rows, int tableRow) const {
  if (IsIdentity()) return tableRow >= 0 && tableRow < knownRows_ ? tableRow : -1;
  const int ordinal = rows.OrdinalAt(tableRow);
  if (ordinal < 0 || ordinal >= static_cast<int>(positionOf_.size())) return -1;
  return positionOf_[static_cast<std::size_t>(ordinal)];
}

bool ResultsView::SortIsNumeric(const TableRows& rows) const {
  const std::string& title = rows.ColumnTitle(sortColumn_);
  return title == kRankColumn || title == kHitsColumn;
}

void ResultsView::ComputeKey(const TableRows& rows, int ordinal) {
  const auto index = static_cast<std::size_t>(ordinal);
  const int row = rows.RowOfOrdinal(ordinal);
  if (sortColumn_ >= 0) {
    const std::string& cell = rows.Cell(row, sortColumn_);
    if (numericSort_) keys_[index].number = ParseLenientInt(cell);
    else keys_[index].text = FoldForView(cell);
  }
  if (!foldedFilter_.empty()) {
    std::string& text = folded_[index];
    text = FoldForView(rows.Cell(row, rows.FindColumn(kDescriptionColumn)));
    text.push_back(kCellSeparator);
    text += FoldForView(rows.Cell(row, rows.FindColumn(kUrlColumn)));
    text.push_back(kCellSeparator);
    text += FoldForView(rows.Cell(row, rows.FindColumn(kEngineColumn)));
  }
}

bool ResultsView::Passes(const TableRows& rows, int ordinal) const {
  if (!foldedFilter_.empty() &&
      folded_[static_cast<std::size_t>(ordinal)].find(foldedFilter_) == std::string::npos)
    return false;
  if (newOnly_ && earlierAddresses_ && !IsNewRow(rows, rows.RowOfOrdinal(ordinal))) return false;
  return true;
}

// The view's order: the sort key (reversed when descending), then the table's
// order, which inserting rows never changes for the rows already there.
bool ResultsView::ShownBefore(const TableRows& rows, int left, int right) const {
  if (sortColumn_ >= 0) {
    const RowKey& a = keys_[static_cast<std::size_t>(left)];
    const RowKey& b = keys_[static_cast<std::size_t>(right)];
    const int order = numericSort_ ? (a.number < b.number ? -1 : a.number > b.number ? 1 : 0)
                                   : a.text.compare(b.text);
    if (order != 0) return descending_ ? order > 0 : order < 0;
  }
  return rows.RowOfOrdinal(left) < rows.RowOfOrdinal(right);
}

void ResultsView::IndexPositions() {
  positionOf_.assign(static_cast<std::size_t>(knownRows_), -1);
  for (std::size_t i = 0; i < order_.size(); ++i) positionOf_[static_cast<std::size_t>(order_[i])] = static_cast<int>(i);
}

void ResultsView::Rebuild(const TableRows& rows) {
  needsRebuild_ = false;
  generation_ = rows.Generation();
  revision_ = rows.Revision();
  knownRows_ = rows.RowCount();
  order_.clear();
  positionOf_.clear();
  keys_.clear();
  folded_.clear();
  if (IsIdentity()) return;
  numericSort_ = sortColumn_ >= 0 && SortIsNumeric(rows);
  keys_.resize(static_cast<std::size_t>(knownRows_));
  if (!foldedFilter_.empty()) folded_.resize(static_cast<std::size_t>(knownRows_));
  for (int ordinal = 0; ordinal < knownRows_; ++ordinal) {
    ComputeKey(rows, ordinal);
    if (Passes(rows, ordinal)) order_.push_back(ordinal);
  }
  std::sort(order_.begin(), order_.end(), [&](int a, int b) { return ShownBefore(rows, a, b); });
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
  // new ones, each at its place.
  const int oldCount = knownRows_;
  knownRows_ = rows.RowCount();
  keys_.resize(static_cast<std::size_t>(knownRows_));
  if (!foldedFilter_.empty()) folded_.resize(static_cast<std::size_t>(knownRows_));
  std::vector<int> arriving;
  std::vector<bool> changed(static_cast<std::size_t>(oldCount), false);
  bool anyChanged = false;
  for (int ordinal = 0; ordinal < oldCount; ++ordinal) {
    if (rows.RevisionOfOrdinal(ordinal) <= revision_) continue;
    changed[static_cast<std::size_t>(ordinal)] = true;
    anyChanged = true;
    ComputeKey(rows, ordinal);
    if (Passes(rows, ordinal)) arriving.push_back(ordinal);
  }
  for (int ordinal = oldCount; ordinal < knownRows_; ++ordinal) {
    ComputeKey(rows, ordinal);
    if (Passes(rows, ordinal)) arriving.push_back(ordinal);
  }
  revision_ = rows.Revision();
  if (anyChanged)
    std::erase_if(order_, [&](int ordinal) { return changed[static_cast<std::size_t>(ordinal)]; });

  const auto before = [&](int a, int b) { return ShownBefore(rows, a, b); };
  std::sort(arriving.begin(), arriving.end(), before);
  std::vector<int> merged;
  merged.reserve(order_.size() + arriving.size());
  std::merge(order_.begin(), order_.end(), arriving.begin(), arriving.end(), std::back_inserter(merged), before);
  order_ = std::move(merged);
  IndexPositions();
}

}  // namespace sorvane

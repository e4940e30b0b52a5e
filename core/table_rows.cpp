#include "core/table_rows.h"

#include <algorithm>

#include "core/lenient_number.h"

namespace sorvane {

namespace {
constexpr std::size_t kMaxBlockRows = 512;
const std::string kNoText;
}  // namespace

struct TableRows::Row {
  std::vector<std::string> cells;
  bool viewed = false;
  RowId id = kNoRow;
  int rank = 0;  // the "Rank" cell as a number, kept so ordering checks read no text
  Block* block = nullptr;
  std::size_t slot = 0;  // index inside the block
  Row* nextWithSameLink = nullptr;
  std::uint64_t revision = 0;
};

struct TableRows::Block {
  std::vector<std::unique_ptr<Row>> rows;
  std::size_t index = 0;  // index inside blocks_
};

TableRows::TableRows(std::vector<std::string> columnTitles) : titles_(std::move(columnTitles)) {
  urlColumn_ = FindColumn("URL");
  rankColumn_ = FindColumn("Rank");
}

TableRows::~TableRows() = default;

const std::string& TableRows::ColumnTitle(int column) const {
  if (column < 0 || column >= ColumnCount()) return kNoText;
  return titles_[static_cast<std::size_t>(column)];
}

int TableRows::FindColumn(std::string_view title) const {
  for (std::size_t i = 0; i < titles_.size(); ++i) {
    if (titles_[i] == title) return static_cast<int>(i);
  }
  return -1;
}

TableRows::Row* TableRows::RowAt(int index) const {
  if (index < 0 || index >= rowCount_) return nullptr;
  const auto after = std::upper_bound(blockStarts_.begin(), blockStarts_.end(), index);
  const auto blockIndex = static_cast<std::size_t>(after - blockStarts_.begin() - 1);
  const Block& block = *blocks_[blockIndex];
  return block.rows[static_cast<std::size_t>(index - blockStarts_[blockIndex])].get();
}

int TableRows::PositionOf(const Row* row) const {
  return blockStarts_[row->block->index] + static_cast<int>(row->slot);
}

const std::string& TableRows::Cell(int row, int column) const {
  const Row* found = RowAt(row);
  if (found == nullptr || column < 0 || column >= ColumnCount()) return kNoText;
  return found->cells[static_cast<std::size_t>(column)];
}

bool TableRows::IsViewed(int row) const {
  const Row* found = RowAt(row);
  return found != nullptr && found->viewed;
}

TableRows::RowId TableRows::IdAt(int row) const {
  const Row* found = RowAt(row);
  return found != nullptr ? found->id : kNoRow;
}

int TableRows::RowOfId(RowId id) const {
  const auto entry = rowsById_.find(id);
  return entry == rowsById_.end() ? -1 : PositionOf(entry->second);
}

int TableRows::OutOfOrderPairs(const Row* upper, const Row* lower) const {
  return (upper != nullptr && lower != nullptr && upper->rank < lower->rank) ? 1 : 0;
}

void TableRows::IndexLink(Row* row) {
  if (urlColumn_ < 0) return;
  const std::string_view link = row->cells[static_cast<std::size_t>(urlColumn_)];
  if (link.empty()) return;
  const auto [entry, inserted] = rowsByLink_.try_emplace(link, row);
  if (!inserted) {
    row->nextWithSameLink = entry->second->nextWithSameLink;
    entry->second->nextWithSameLink = row;
  }
}

void TableRows::UnindexLink(Row* row) {
  if (urlColumn_ < 0) return;
  const std::string_view link = row->cells[static_cast<std::size_t>(urlColumn_)];
  if (link.empty()) return;
  const auto entry = rowsByLink_.find(link);
  if (entry == rowsByLink_.end()) return;
  if (entry->second == row) {
    // The key views this row's cell, so the entry moves to the next row's cell.
    Row* next = row->nextWithSameLink;
    rowsByLink_.erase(entry);
    if (next != nullptr) {
      rowsByLink_.emplace(std::string_view(next->cells[static_cast<std::size_t>(urlColumn_)]), next);
    }
  } else {
    Row* before = entry->second;
    while (before->nextWithSameLink != nullptr && before->nextWithSameLink != row) {
      before = before->nextWithSameLink;
    }
    if (before->nextWithSameLink == row) before->nextWithSameLink = row->nextWithSameLink;
  }
  row->nextWithSameLink = nullptr;
}

void TableRows::CountRank(int rank, int delta) {
  if (rank >= 0 && rank < static_cast<int>(rowsPerScoreRank_.size())) {
    rowsPerScoreRank_[static_cast<std::size_t>(rank)] += delta;
  } else if ((rowsPerOtherRank_[rank] += delta) == 0) {
    rowsPerOtherRank_.erase(rank);
  }
}

int TableRows::InsertRow(int position, std::vector<std::string> cells) {
  if (position < 0 || position > rowCount_) position = rowCount_;
  cells.resize(titles_.size());

  auto owned = std::make_unique<Row>();
  Row* row = owned.get();
  row->cells = std::move(cells);
  row->id = ++lastId_;
  rowsById_.emplace(row->id, row);
  if (rankColumn_ >= 0) row->rank = ParseLenientInt(row->cells[static_cast<std::size_t>(rankColumn_)]);

  Row* upper = RowAt(position - 1);
  Row* lower = RowAt(position);
  outOfOrderPairs_ += OutOfOrderPairs(upper, row) + OutOfOrderPairs(row, lower) -
                      OutOfOrderPairs(upper, lower);

  std::size_t blockIndex = 0;
  std::size_t offset = 0;
  if (blocks_.empty()) {
    blocks_.push_back(std::make_unique<Block>());
    blockStarts_.push_back(0);
  } else if (position == rowCount_) {
    blockIndex = blocks_.size() - 1;
    offset = blocks_[blockIndex]->rows.size();
  } else {
    blockIndex = lower->block->index;
    offset = lower->slot;
  }
  Block& block = *blocks_[blockIndex];
  row->block = &block;
  block.rows.insert(block.rows.begin() + static_cast<std::ptrdiff_t>(offset), std::move(owned));
  for (std::size_t i = offset; i < block.rows.size(); ++i) block.rows[i]->slot = i;
  for (std::size_t i = blockIndex + 1; i < blockStarts_.size(); ++i) ++blockStarts_[i];
  ++rowCount_;

  if (rankColumn_ >= 0) CountRank(row->rank, +1);
  IndexLink(row);
  row->revision = ++revision_;
  if (block.rows.size() > kMaxBlockRows) SplitBlock(blockIndex);

  changes_.push_back({TableChange::Kind::RowInserted, position, -1});
  return position;
}

void TableRows::SplitBlock(std::size_t blockIndex) {
  Block& full = *blocks_[blockIndex];
  auto second = std::make_unique<Block>();
  const std::size_t keep = full.rows.size() / 2;
  second->rows.assign(std::make_move_iterator(full.rows.begin() + static_cast<std::ptrdiff_t>(keep)),
                      std::make_move_iterator(full.rows.end()));
  full.rows.resize(keep);
  for (std::size_t i = 0; i < second->rows.size(); ++i) {
    second->rows[i]->block = second.get();
    second->rows[i]->slot = i;
  }
  blockStarts_.insert(blockStarts_.begin() + static_cast<std::ptrdiff_t>(blockIndex) + 1,
                      blockStarts_[blockIndex] + static_cast<int>(keep));
  blocks_.insert(blocks_.begin() + static_cast<std::ptrdiff_t>(blockIndex) + 1, std::move(second));
  for (std::size_t i = blockIndex + 1; i < blocks_.size(); ++i) blocks_[i]->index = i;
}

void TableRows::SetCell(int rowIndex, int column, std::string text) {
  Row* row = RowAt(rowIndex);
  if (row == nullptr || column < 0 || column >= ColumnCount()) return;
  std::string& cell = row->cells[static_cast<std::size_t>(column)];
  if (column == urlColumn_) {
    UnindexLink(row);
    cell = std::move(text);
    IndexLink(row);
  } else if (column == rankColumn_) {
    Row* upper = RowAt(rowIndex - 1);
    Row* lower = RowAt(rowIndex + 1);
    outOfOrderPairs_ -= OutOfOrderPairs(upper, row) + OutOfOrderPairs(row, lower);
    CountRank(row->rank, -1);
    cell = std::move(text);
    row->rank = ParseLenientInt(cell);
    CountRank(row->rank, +1);
    outOfOrderPairs_ += OutOfOrderPairs(upper, row) + OutOfOrderPairs(row, lower);
  } else {
    cell = std::move(text);
  }
  row->revision = ++revision_;
  changes_.push_back({TableChange::Kind::CellChanged, rowIndex, column});
}

void TableRows::SetViewed(int rowIndex, bool viewed) {
  Row* row = RowAt(rowIndex);
  if (row == nullptr || row->viewed == viewed) return;
  row->viewed = viewed;
  row->revision = ++revision_;
  changes_.push_back({TableChange::Kind::ViewedChanged, rowIndex, -1});
}

void TableRows::DeleteAll() {
  blocks_.clear();
  blockStarts_.clear();
  rowCount_ = 0;
  rowsByLink_.clear();
  rowsById_.clear();
  rowsPerScoreRank_.fill(0);
  rowsPerOtherRank_.clear();
  outOfOrderPairs_ = 0;
  ++generation_;
  ++revision_;
  changes_.push_back({TableChange::Kind::Cleared, -1, -1});
}

int TableRows::FirstRowWithText(int column, std::string_view text) const {
  if (column < 0 || column >= ColumnCount()) return -1;
  if (column == urlColumn_ && !text.empty()) {
    const auto entry = rowsByLink_.find(text);
    if (entry == rowsByLink_.end()) return -1;
    int first = rowCount_;
    for (const Row* row = entry->second; row != nullptr; row = row->nextWithSameLink) {
      first = std::min(first, PositionOf(row));
    }
    return first;
  }
  int index = 0;
  for (const auto& block : blocks_) {
    for (const auto& row : block->rows) {
      if (row->cells[static_cast<std::size_t>(column)] == text) return index;
      ++index;
    }
  }
  return -1;
}

int TableRows::FirstRowRankedBelow(int rank) const {
  if (rankColumn_ < 0) return rowCount_;
  if (outOfOrderPairs_ == 0) {
    // Ranks descend down the table, so the rows ranked at least `rank` are exactly
    // the ones before the first row ranked below it.
    int atLeast = 0;
    for (int r = std::max(rank, 0); r < static_cast<int>(rowsPerScoreRank_.size()); ++r) {
      atLeast += rowsPerScoreRank_[static_cast<std::size_t>(r)];
    }
    for (auto it = rowsPerOtherRank_.lower_bound(rank); it != rowsPerOtherRank_.end(); ++it) {
      atLeast += it->second;
    }
    return atLeast;
  }
  int index = 0;
  for (const auto& block : blocks_) {
    for (const auto& row : block->rows) {
      if (row->rank < rank) return index;
      ++index;
    }
  }
  return rowCount_;
}

std::vector<TableRows::RowStamp> TableRows::Stamps() const {
  std::vector<RowStamp> stamps;
  stamps.reserve(static_cast<std::size_t>(rowCount_));
  for (const auto& block : blocks_) {
    for (const auto& row : block->rows) stamps.push_back({row->id, row->revision});
  }
  return stamps;
}

std::vector<TableChange> TableRows::TakeChanges() {
  std::vector<TableChange> taken;
  taken.swap(changes_);
  return taken;
}

}  // namespace sorvane

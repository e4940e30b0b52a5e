#include "core/results_table.h"

#include "core/lenient_number.h"

namespace sorvane {

std::vector<std::string> DefaultResultColumns() {
  return {kDescriptionColumn, kUrlColumn, kRankColumn, kHitsColumn, kEngineColumn};
}

void ResultsTable::SetObserver(Observer observer) {
  std::lock_guard lock(mutex_);
  observer_ = std::move(observer);
}

void ResultsTable::Notify(std::unique_lock<std::mutex>& lock) {
  std::vector<TableChange> changes = rows_.TakeChanges();
  Observer observer = observer_;
  lock.unlock();
  // Called without the lock, so an observer that hands the news to the UI thread
  // and waits there cannot deadlock against a UI thread reading the table.
  if (observer && !changes.empty()) observer(changes);
}

int ResultsTable::ColumnCount() {
  return WithLock([](TableRows& rows) { return rows.ColumnCount(); });
}

std::string ResultsTable::ColumnTitle(int column) {
  return WithLock([&](TableRows& rows) { return rows.ColumnTitle(column); });
}

int ResultsTable::FindColumn(std::string_view title) {
  return WithLock([&](TableRows& rows) { return rows.FindColumn(title); });
}

int ResultsTable::RowCount() {
  return WithLock([](TableRows& rows) { return rows.RowCount(); });
}

std::string ResultsTable::Cell(int row, int column) {
  return WithLock([&](TableRows& rows) { return rows.Cell(row, column); });
}

bool ResultsTable::IsViewed(int row) {
  return WithLock([&](TableRows& rows) { return rows.IsViewed(row); });
}

void ResultsTable::SetCell(int row, int column, std::string text) {
  WithLock([&](TableRows& rows) { rows.SetCell(row, column, std::move(text)); });
}

void ResultsTable::SetViewed(int row, bool viewed) {
  WithLock([&](TableRows& rows) { rows.SetViewed(row, viewed); });
}

void ResultsTable::DeleteAll() {
  WithLock([](TableRows& rows) { rows.DeleteAll(); });
}

std::vector<SearchHit> ResultsTable::Snapshot() {
  return WithLock([](TableRows& rows) {
    std::vector<SearchHit> hits;
    hits.reserve(static_cast<std::size_t>(rows.RowCount()));
    for (int i = 0; i < rows.RowCount(); ++i) hits.push_back(HitAt(rows, i));
    return hits;
  });
}

SearchHit HitAt(const TableRows& rows, int row) {
  SearchHit hit;
  hit.description = rows.Cell(row, rows.FindColumn(kDescriptionColumn));
  hit.url = rows.Cell(row, rows.FindColumn(kUrlColumn));
  hit.rank = ParseLenientInt(rows.Cell(row, rows.FindColumn(kRankColumn)));
  hit.hits = ParseLenientInt(rows.Cell(row, rows.FindColumn(kHitsColumn)));
  hit.engine = rows.Cell(row, rows.FindColumn(kEngineColumn));
  return hit;
}

}  // namespace sorvane

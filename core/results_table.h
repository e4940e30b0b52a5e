#pragma once

#include <functional>
#include <mutex>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "core/table_rows.h"

namespace sorvane {

// Titles of the five columns, in the order the results list creates them. Code
// reaches the columns by these titles, never by position.
inline constexpr const char* kDescriptionColumn = "Description";
inline constexpr const char* kUrlColumn = "URL";
inline constexpr const char* kRankColumn = "Rank";
inline constexpr const char* kHitsColumn = "Hits";
inline constexpr const char* kEngineColumn = "Engine";

std::vector<std::string> DefaultResultColumns();

// One row of the results table, as plain values.
struct SearchHit {
  std::string description;
  std::string url;
  int rank = 0;
  int hits = 1;
  std::string engine;

  bool operator==(const SearchHit&) const = default;
};

// The results table shared by every worker of a search and shown by the window.
// Thread rule: every member may be called from any thread; one lock guards the
// rows, and WithLock runs a whole sequence of accesses (a merge) as one step.
// The observer is called after the lock has been released, on the thread that
// made the change; by then other threads may have changed the table again.
class ResultsTable {
 public:
  using Observer = std::function<void(const std::vector<TableChange>& changes)>;

  ResultsTable() : ResultsTable(DefaultResultColumns()) {}
  explicit ResultsTable(std::vector<std::string> columnTitles) : rows_(std::move(columnTitles)) {}

  void SetObserver(Observer observer);

  template <class Function>
  auto WithLock(Function&& function) {
    std::unique_lock lock(mutex_);
    if constexpr (std::is_void_v<decltype(function(rows_))>) {
      function(rows_);
      Notify(lock);
    } else {
      auto result = function(rows_);
      Notify(lock);
      return result;
    }
  }

  int ColumnCount();
  std::string ColumnTitle(int column);
  int FindColumn(std::string_view title);
  int RowCount();
  std::string Cell(int row, int column);
  bool IsViewed(int row);
  void SetCell(int row, int column, std::string text);
  void SetViewed(int row, bool viewed);
  void DeleteAll();

  // Rows 0..RowCount()-1 as plain values, taken in one step.
  std::vector<SearchHit> Snapshot();

 private:
  void Notify(std::unique_lock<std::mutex>& lock);

  std::mutex mutex_;
  TableRows rows_;
  Observer observer_;
};

// A row of `rows` as plain values (Rank and Hits read leniently).
SearchHit HitAt(const TableRows& rows, int row);

}  // namespace sorvane

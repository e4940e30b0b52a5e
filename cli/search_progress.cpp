#include "cli/search_progress.h"

#include <algorithm>
#include <ostream>

namespace sorvane::cli {

SearchProgress::SearchProgress(std::vector<std::string> engineNames, std::ostream& err) : err_(err) {
  for (std::string& name : engineNames) {
    Row row;
    row.engine = std::move(name);
    row.status = std::string(*EngineStatusText(kProgressStarting));
    rows_.push_back(std::move(row));
  }
}

void SearchProgress::OnEngineProgress(int slot, int percent) {
  std::lock_guard lock(mutex_);
  if (slot < 0 || slot >= static_cast<int>(rows_.size())) return;
  rows_[slot].percent = percent;
  if (const auto text = EngineStatusText(percent)) rows_[slot].status = std::string(*text);
}

void SearchProgress::OnEngineDone(int) {}

void SearchProgress::OnSearchDone() {
  {
    std::lock_guard lock(mutex_);
    over_ = true;
  }
  searchDone_.notify_all();
}

void SearchProgress::ShowMessage(int slot, std::string_view message) {
  std::lock_guard lock(mutex_);
  const bool drawn = linesDrawn_ > 0;
  if (drawn) EraseLiveLinesLocked();
  const std::string engine = slot >= 0 && slot < static_cast<int>(rows_.size()) ? rows_[slot].engine : "?";
  err_ << "sorvane-cli: " << engine << ": " << message << '\n';
  if (drawn) DrawLiveLinesLocked();
  err_ << std::flush;
}

bool SearchProgress::WaitForSearchDone(std::chrono::milliseconds timeout) {
  std::unique_lock lock(mutex_);
  return searchDone_.wait_for(lock, timeout, [&] { return over_; });
}

void SearchProgress::DrawLiveLines() {
  std::lock_guard lock(mutex_);
  EraseLiveLinesLocked();
  DrawLiveLinesLocked();
  err_ << std::flush;
}

std::string SearchProgress::LineOf(int slot) {
  std::lock_guard lock(mutex_);
  return LineOfLocked(rows_.at(static_cast<std::size_t>(slot)));
}

std::string SearchProgress::LineOfLocked(const Row& row) const {
  std::string line = row.engine + "  " + std::to_string(row.percent) + "%  " + row.status;
  // One terminal line each, so the cursor can go back over them.
  std::erase_if(line, [](char c) { return static_cast<unsigned char>(c) < 32; });
  constexpr std::size_t kWidth = 79;
  if (line.size() > kWidth) line.resize(kWidth);
  return line;
}

void SearchProgress::EraseLiveLinesLocked() {
  if (linesDrawn_ == 0) return;
  err_ << "\r\x1b[" << linesDrawn_ << "A\x1b[J";
  linesDrawn_ = 0;
}

void SearchProgress::DrawLiveLinesLocked() {
  for (const Row& row : rows_) err_ << "\x1b[K" << LineOfLocked(row) << '\n';
  linesDrawn_ = static_cast<int>(rows_.size());
}

}  // namespace sorvane::cli

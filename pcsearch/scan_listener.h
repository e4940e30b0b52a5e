#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string_view>

namespace sorvane {

// Where a scan reports. Thread rule: every call comes from the scan's worker, one
// at a time, and is synchronous: the scan goes on only when the call returns. A
// listener that hands its calls to another thread re-checks
// ScanControl::Abandoned() there, since a call already on its way when the scan
// was abandoned would otherwise still arrive.
class ScanListener {
 public:
  virtual ~ScanListener() = default;
  // "Scanning <full path>", before the file is read.
  virtual void OnProgress(std::string_view text) = 0;
  // The scan has ended (completed or stopped); nothing follows.
  virtual void OnScanDone() = 0;
};

// The controls shared between a scan and whoever started it.
// Thread rule: every member may be called from any thread.
class ScanControl {
 public:
  // Stop: the scan ends before its next folder entry or its next read, reports
  // done and keeps the rows it found.
  void RequestStop() { stop_.store(true, std::memory_order_relaxed); }
  bool StopRequested() const { return stop_.load(std::memory_order_relaxed); }

  // The forced end: from the moment this returns the scan no longer writes to
  // the table, and makes no further listener calls. It waits at most for a row
  // insertion already under way, never for the listener.
  void Abandon();
  bool Abandoned() const { return abandoned_.load(std::memory_order_acquire); }

  // Runs `write` unless the scan was abandoned; true when it ran.
  template <class Write>
  bool WriteUnlessAbandoned(Write&& write) {
    std::lock_guard lock(gate_);
    if (Abandoned()) return false;
    write();
    return true;
  }

  // What has been read so far, for a live display.
  std::uint64_t FilesRead() const { return files_.load(std::memory_order_relaxed); }
  std::uint64_t BytesRead() const { return bytes_.load(std::memory_order_relaxed); }
  void CountFile() { files_.fetch_add(1, std::memory_order_relaxed); }
  void CountBytes(std::uint64_t bytes) { bytes_.fetch_add(bytes, std::memory_order_relaxed); }

 private:
  std::atomic<bool> stop_{false};
  std::atomic<bool> abandoned_{false};
  std::mutex gate_;
  std::atomic<std::uint64_t> files_{0};
  std::atomic<std::uint64_t> bytes_{0};
};

inline void ScanControl::Abandon() {
  RequestStop();
  abandoned_.store(true, std::memory_order_release);
  // Taking the gate once waits out a write that checked the flag just before.
  std::lock_guard lock(gate_);
}

}  // namespace sorvane

#pragma once

#include <condition_variable>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "pcsearch/block_kernels.h"
#include "pcsearch/scan_listener.h"
#include "platform/directory_listing.h"

namespace sorvane {

// Reads the files the walk hands over on threads of its own, and hands back the
// hits in exactly the order the files were handed over, so the table gets its
// rows as a single reader would insert them; after a stop too, the rows are
// those of the files before the first one the stop cut short.
// Thread rule: Submit and Finish are called by the walking thread only; the hit
// callback runs on a reader thread, one call at a time, in submission order.
class ReaderPool {
 public:
  using HitCallback = std::function<void(const std::string& path, const std::string& window)>;

  // At most this many files wait or are being read at once; each keeps its
  // folder open, so this also bounds the folder handles the pool holds.
  static constexpr std::size_t kQueueSize = 256;

  ReaderPool(int readers, std::string_view phrase, KernelLevel level, ScanControl& control,
             HitCallback onHit);
  ~ReaderPool();
  ReaderPool(const ReaderPool&) = delete;
  ReaderPool& operator=(const ReaderPool&) = delete;

  // Queues a file (`folder` may be empty: `name` is then a full path); waits
  // while the queue is full.
  void Submit(const std::shared_ptr<OpenDirectory>& folder, const std::string& name,
              const std::string& path, bool isLink);
  // Waits until every queued file has been read and its hit handed back.
  void Finish();

 private:
  struct Slot;

  void ReaderLoop();
  void CommitReady(std::unique_lock<std::mutex>& lock);

  std::string phrase_;
  KernelLevel level_;
  ScanControl& control_;
  HitCallback onHit_;
  std::vector<Slot> slots_;

  std::mutex mutex_;
  std::condition_variable workReady_;
  std::condition_variable spaceReady_;
  std::size_t submitted_ = 0;
  std::size_t claimed_ = 0;
  std::size_t committed_ = 0;
  int idleReaders_ = 0;
  bool walkerWaiting_ = false;
  bool finishing_ = false;
  bool committing_ = false;
  bool cutShort_ = false;

  std::vector<std::thread> threads_;
};

}  // namespace sorvane

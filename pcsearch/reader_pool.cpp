#include "pcsearch/reader_pool.h"

#include "pcsearch/file_searcher.h"

namespace sorvane {

struct ReaderPool::Slot {
  std::shared_ptr<OpenDirectory> folder;
  std::string name;
  std::string path;
  bool isLink = false;
  bool done = false;
  bool hit = false;
  bool cut = false;  // a stop kept it from being read to its end
  std::string window;
};

ReaderPool::ReaderPool(int readers, std::string_view phrase, KernelLevel level,
                       ScanControl& control, HitCallback onHit)
    : phrase_(phrase), level_(level), control_(control), onHit_(std::move(onHit)),
      slots_(kQueueSize) {
  if (readers < 1) readers = 1;
  for (int reader = 0; reader < readers; ++reader) threads_.emplace_back([this] { ReaderLoop(); });
}

ReaderPool::~ReaderPool() { Finish(); }

void ReaderPool::Submit(const std::shared_ptr<OpenDirectory>& folder, const std::string& name,
                        const std::string& path, bool isLink) {
  std::unique_lock lock(mutex_);
  if (submitted_ - committed_ >= kQueueSize) {
    walkerWaiting_ = true;
    spaceReady_.wait(lock, [this] { return !walkerWaiting_; });
  }
  Slot& slot = slots_[submitted_ % kQueueSize];
  slot.folder = folder;
  slot.name = name;
  slot.path = path;
  slot.isLink = isLink;
  slot.done = false;
  slot.hit = false;
  slot.cut = false;
  ++submitted_;
  if (idleReaders_ > 0) workReady_.notify_one();
}

void ReaderPool::Finish() {
  std::unique_lock lock(mutex_);
  if (threads_.empty()) return;
  finishing_ = true;
  workReady_.notify_all();
  lock.unlock();
  for (std::thread& thread : threads_) thread.join();
  threads_.clear();
  lock.lock();
  CommitReady(lock);
}

void ReaderPool::CommitReady(std::unique_lock<std::mutex>& lock) {
  // One thread commits at a time, strictly in submission order. The callback
  // runs with the lock released; a slot finished meanwhile by another reader is
  // picked up by this loop, since that reader leaves the committing to us.
  if (committing_) return;
  committing_ = true;
  while (committed_ < submitted_ && slots_[committed_ % kQueueSize].done) {
    Slot& slot = slots_[committed_ % kQueueSize];
    // After the first file a stop cut short, no later hit counts, so a stopped
    // scan's rows are those a single reader would have had when it stopped.
    if (slot.cut) cutShort_ = true;
    if (slot.hit && !cutShort_) {
      const std::string path = slot.path;
      const std::string window = std::move(slot.window);
      lock.unlock();
      onHit_(path, window);
      lock.lock();
    }
    slot.folder.reset();
    ++committed_;
    // A walker that waits for a full queue is woken once half of it is free, not
    // for every slot: with small files one wake per file would cost more than
    // the file's reading.
    if (walkerWaiting_ && submitted_ - committed_ <= kQueueSize / 2) {
      walkerWaiting_ = false;
      spaceReady_.notify_one();
    }
  }
  committing_ = false;
}

void ReaderPool::ReaderLoop() {
  FileSearcher searcher(phrase_, level_);
  std::string window;
  std::unique_lock lock(mutex_);
  for (;;) {
    while (claimed_ == submitted_ && !finishing_) {
      ++idleReaders_;
      workReady_.wait(lock);
      --idleReaders_;
    }
    if (claimed_ == submitted_) return;
    Slot& slot = slots_[claimed_ % kQueueSize];
    ++claimed_;
    // The slot is ours until it is marked done: the walker does not reuse a slot
    // before it has been committed.
    lock.unlock();
    bool hit = false;
    bool cut = control_.StopRequested();
    if (!cut) {
      const int handle = slot.folder ? slot.folder->Handle() : -1;
      hit = searcher.Search(handle, slot.folder ? slot.name : slot.path, slot.isLink, control_,
                            window);
      cut = !hit && control_.StopRequested();
    }
    lock.lock();
    slot.hit = hit;
    slot.cut = cut;
    if (hit) slot.window = window;
    slot.done = true;
    CommitReady(lock);
  }
}

}  // namespace sorvane

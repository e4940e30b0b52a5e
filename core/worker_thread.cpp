#include "core/worker_thread.h"

#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <mutex>
#include <vector>

#if defined(__unix__) || defined(__APPLE__)
#include <pthread.h>
#else
#include <system_error>
#include <thread>
#endif

namespace sorvane {

namespace {

#if defined(__unix__) || defined(__APPLE__)
using ThreadHandle = pthread_t;
#else
using ThreadHandle = std::thread;
#endif

// The process's worker threads. Made once and never destroyed: a thread may
// still be on its way out while static destructors run after a program that
// ended without waiting for it.
struct ThreadRegistry {
  std::mutex mutex;
  std::condition_variable changed;
  int running = 0;                    // started, body not yet over
  std::vector<ThreadHandle> ended;    // body over, not joined yet
};

void JoinEndedThreads();

// How long a normal end waits for threads that are still on their way out.
constexpr std::chrono::milliseconds kExitJoinGrace{200};

ThreadRegistry& Registry() {
  static ThreadRegistry* const registry = [] {
    // A normal end joins the threads that have ended by then, giving those
    // on their last steps (a worker that has just reported its end) a moment
    // to get there; a thread still busy after that is the caller's concern,
    // see EndWorkerThreads. Registered after the HTTP library has set up its
    // own clean-up, so it runs before it.
    std::atexit([] { EndWorkerThreads(std::chrono::steady_clock::now() + kExitJoinGrace); });
    return new ThreadRegistry;
  }();
  return *registry;
}

std::vector<ThreadHandle> TakeEnded(ThreadRegistry& registry) {
  std::vector<ThreadHandle> ended;
  ended.swap(registry.ended);
  return ended;
}

void JoinAll(std::vector<ThreadHandle>& threads) {
  for (ThreadHandle& thread : threads) {
#if defined(__unix__) || defined(__APPLE__)
    pthread_join(thread, nullptr);
#else
    if (thread.joinable()) thread.join();
#endif
  }
}

// Threads whose body is over are joined by the next start, so that a long
// session of searches keeps no stacks of threads long gone.
void JoinEndedThreads() {
  std::vector<ThreadHandle> ended;
  {
    std::lock_guard lock(Registry().mutex);
    ended = TakeEnded(Registry());
  }
  JoinAll(ended);
}

#if defined(__unix__) || defined(__APPLE__)

extern "C" void* RunThreadBody(void* argument) {
  {
    std::unique_ptr<std::function<void()>> body(static_cast<std::function<void()>*>(argument));
    (*body)();
  }
  ThreadRegistry& registry = Registry();
  std::lock_guard lock(registry.mutex);
  --registry.running;
  registry.ended.push_back(pthread_self());
  registry.changed.notify_all();
  return nullptr;
}

#endif

}  // namespace

#if defined(__unix__) || defined(__APPLE__)

bool StartDetachedThread(std::function<void()> body, std::size_t stackSize) {
  JoinEndedThreads();
  auto owned = std::make_unique<std::function<void()>>(std::move(body));
  pthread_attr_t attributes;
  if (pthread_attr_init(&attributes) != 0) return false;
  pthread_attr_setstacksize(&attributes, stackSize);
  ThreadRegistry& registry = Registry();
  // Counted before it can end, so its end never finds the count short.
  {
    std::lock_guard lock(registry.mutex);
    ++registry.running;
  }
  pthread_t thread;
  const bool started = pthread_create(&thread, &attributes, RunThreadBody, owned.get()) == 0;
  pthread_attr_destroy(&attributes);
  if (started) {
    owned.release();  // the thread owns it now
  } else {
    std::lock_guard lock(registry.mutex);
    --registry.running;
    registry.changed.notify_all();
  }
  return started;
}

#else

bool StartDetachedThread(std::function<void()> body, std::size_t) {
  JoinEndedThreads();
  ThreadRegistry& registry = Registry();
  {
    std::lock_guard lock(registry.mutex);
    ++registry.running;
  }
  try {
    // The thread object is handed over only at the end of the body, so the
    // thread cannot move itself into the list before it is in a handle.
    auto handle = std::make_shared<std::thread>();
    auto ready = std::make_shared<std::mutex>();
    std::unique_lock hold(*ready);
    *handle = std::thread([body = std::move(body), handle, ready] {
      body();
      std::lock_guard wait(*ready);
      ThreadRegistry& registry = Registry();
      std::lock_guard lock(registry.mutex);
      --registry.running;
      registry.ended.push_back(std::move(*handle));
      registry.changed.notify_all();
    });
    return true;
  } catch (const std::system_error&) {
    std::lock_guard lock(registry.mutex);
    --registry.running;
    registry.changed.notify_all();
    return false;
  }
}

#endif

int RunningWorkerThreads() {
  std::lock_guard lock(Registry().mutex);
  return Registry().running;
}

bool EndWorkerThreads(std::chrono::steady_clock::time_point deadline) {
  ThreadRegistry& registry = Registry();
  std::vector<ThreadHandle> ended;
  bool allEnded = false;
  {
    std::unique_lock lock(registry.mutex);
    allEnded = registry.changed.wait_until(lock, deadline, [&] { return registry.running == 0; });
    ended = TakeEnded(registry);
  }
  // Joined outside the lock: a thread's last steps (its thread-local clean-up)
  // come after it has told the registry, and take no lock of ours.
  JoinAll(ended);
  return allEnded;
}

void EndProcessWithoutCleanup(int status) {
  std::cout.flush();
  std::cerr.flush();
  std::fflush(nullptr);
  std::_Exit(status);
}

}  // namespace sorvane

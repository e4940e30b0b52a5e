#include "core/worker_thread.h"

#include <memory>

#if defined(__unix__) || defined(__APPLE__)
#include <pthread.h>
#else
#include <system_error>
#include <thread>
#endif

namespace sorvane {

#if defined(__unix__) || defined(__APPLE__)

namespace {

extern "C" void* RunThreadBody(void* argument) {
  std::unique_ptr<std::function<void()>> body(static_cast<std::function<void()>*>(argument));
  (*body)();
  return nullptr;
}

}  // namespace

bool StartDetachedThread(std::function<void()> body, std::size_t stackSize) {
  auto owned = std::make_unique<std::function<void()>>(std::move(body));
  pthread_attr_t attributes;
  if (pthread_attr_init(&attributes) != 0) return false;
  pthread_attr_setdetachstate(&attributes, PTHREAD_CREATE_DETACHED);
  pthread_attr_setstacksize(&attributes, stackSize);
  pthread_t thread;
  const bool started = pthread_create(&thread, &attributes, RunThreadBody, owned.get()) == 0;
  pthread_attr_destroy(&attributes);
  if (started) owned.release();  // the thread owns it now
  return started;
}

#else

bool StartDetachedThread(std::function<void()> body, std::size_t) {
  try {
    std::thread(std::move(body)).detach();
    return true;
  } catch (const std::system_error&) {
    return false;
  }
}

#endif

}  // namespace sorvane

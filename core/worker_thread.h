#pragma once

#include <cstddef>
#include <functional>

namespace sorvane {

// Stack of a search worker: its deepest path is the HTTP library's TLS
// handshake, far below this. Small stacks make starting fifty workers cheap,
// and let the C library keep them for the next search instead of unmapping them.
inline constexpr std::size_t kWorkerStackSize = std::size_t{512} << 10;

// Runs `body` on a new detached thread; false when no thread could be made.
// Whatever the body touches it must own (shared ownership): nobody joins it.
bool StartDetachedThread(std::function<void()> body, std::size_t stackSize = kWorkerStackSize);

}  // namespace sorvane

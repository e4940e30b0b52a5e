#pragma once

#include <chrono>
#include <cstddef>
#include <functional>

namespace sorvane {

// Stack of a search worker: its deepest path is the HTTP library's TLS
// handshake, far below this. Small stacks make starting fifty workers cheap,
// and let the C library keep them for the next search instead of unmapping them.
inline constexpr std::size_t kWorkerStackSize = std::size_t{512} << 10;

// Runs `body` on a new thread that its starter never waits for; false when no
// thread could be made. Whatever the body touches it must own (shared
// ownership), since the starter may be gone before it ends.
//
// The end of the program is another matter. A worker still inside the HTTP
// library or the results table when the static destructors run (the HTTP
// library's, the TLS library's, the C++ runtime's) would be pulled out from
// under: a crash at exit waiting to happen. So every such thread is counted
// from its start to its very end and joined, not left detached: the next start
// joins the ones that have ended meanwhile, and the program's end waits for the
// rest with EndWorkerThreads.
// Thread rule: both functions may be called from any thread.
bool StartDetachedThread(std::function<void()> body, std::size_t stackSize = kWorkerStackSize);

// The threads started above that have not ended yet.
int RunningWorkerThreads();

// For the program's end: waits until every thread started above has ended and
// been joined, or until `deadline`. True when none is left. A caller that gets
// false must not let the static destructors run (see EndProcessWithoutCleanup).
bool EndWorkerThreads(std::chrono::steady_clock::time_point deadline);

// Ends the process at once with `status`, after flushing the standard streams,
// without running static destructors or exit handlers: for a program whose
// workers, told to stop, are still inside a library after the grace it gives
// them. Everything the program must keep it has written before (settings,
// saved searches are written whole or not at all).
[[noreturn]] void EndProcessWithoutCleanup(int status);

}  // namespace sorvane

#pragma once

#include <chrono>
#include <cstddef>
#include <memory>
#include <string>

#include "core/settings_store.h"

namespace sorvane {

// Limits every fetch of a session obeys. The defaults are the program's; tests
// pass short ones.
struct SessionOptions {
  std::chrono::milliseconds connectTimeout{60'000};
  // A fetch that receives no byte for this long ends with what has arrived.
  std::chrono::milliseconds idleTimeout{30'000};
  // How often a waiting transfer looks at the stop signal.
  std::chrono::milliseconds stopPollInterval{100};
  long maxRedirects = 10;
  // Bytes of one answer's body taken at most; the rest is never read.
  std::size_t pageLimit = std::size_t{32} << 20;
};

// How a session reaches the servers.
enum class AccessType {
  Direct,         // no proxy, whatever the environment says
  NamedProxy,     // the proxy named in the session
  SystemSettings  // http_proxy / https_proxy / no_proxy of the environment
};

// The one internet session of a main frame: how to reach the network, shared by
// every worker of every search. Immutable once made, so any thread may read it.
class InternetSession {
 public:
  InternetSession(AccessType access, std::string proxyName, SessionOptions options);
  ~InternetSession();
  InternetSession(const InternetSession&) = delete;
  InternetSession& operator=(const InternetSession&) = delete;

  AccessType access() const { return access_; }
  const std::string& proxyName() const { return proxyName_; }
  const SessionOptions& options() const { return options_; }

 private:
  AccessType access_;
  std::string proxyName_;
  SessionOptions options_;
};

// The access type and proxy name "Connect Method", "Proxy" and "Port" ask for:
// 1 direct, 3 the named proxy "Proxy:Port" (just the empty name when "Port" is
// empty), anything else the system's settings.
AccessType AccessTypeFor(const ConnectionSettings& settings);
std::string ProxyNameFor(const ConnectionSettings& settings);

// A session for these settings, or null when one cannot be made: a named proxy
// with an empty name is refused, as is a failing HTTP library.
std::shared_ptr<const InternetSession> CreateInternetSession(const ConnectionSettings& settings,
                                                             const SessionOptions& options = {});

// Holds a frame's session: made at the first search, kept until the frame goes,
// so changed connection settings count from the next start of the program.
// Workers hold their own reference, so releasing never pulls the session from
// under a worker that is still running.
// Thread rule: used by the UI thread only.
class SessionHolder {
 public:
  explicit SessionHolder(SessionOptions options = {}) : options_(options) {}

  // Makes the session if there is none; null when it cannot be made (then the
  // next search tries again).
  std::shared_ptr<const InternetSession> EnsureSession(const ConnectionSettings& settings);
  void ReleaseSession() { session_.reset(); }
  const std::shared_ptr<const InternetSession>& Session() const { return session_; }

 private:
  SessionOptions options_;
  std::shared_ptr<const InternetSession> session_;
};

}  // namespace sorvane

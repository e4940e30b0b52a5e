#pragma once

#include <httplib.h>

#include <chrono>
#include <string>
#include <thread>

namespace sorvane::testing {

// An httplib server on a free loopback port, serving on its own thread until
// destroyed. Add the routes before the first request.
class PageServer {
 public:
  PageServer() {
    port_ = server_.bind_to_any_port("127.0.0.1");
    thread_ = std::thread([this] { server_.listen_after_bind(); });
    // stop() is a no-op until the listening loop runs.
    while (!server_.is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  ~PageServer() {
    server_.stop();
    thread_.join();
  }
  PageServer(const PageServer&) = delete;
  PageServer& operator=(const PageServer&) = delete;

  httplib::Server& server() { return server_; }
  int port() const { return port_; }
  std::string Origin() const { return "http://127.0.0.1:" + std::to_string(port_); }

 private:
  httplib::Server server_;
  int port_ = 0;
  std::thread thread_;
};

}  // namespace sorvane::testing

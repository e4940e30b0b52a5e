#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace sorvane::testing {

// One accepted connection of a RawServer, as its handler sees it.
class RawConnection {
 public:
  RawConnection(int fd, std::string request, std::function<bool(std::chrono::milliseconds)> waitForStop)
      : fd_(fd), request_(std::move(request)), waitForStop_(std::move(waitForStop)) {}

  // The request head as it arrived (up to and with the blank line).
  const std::string& request() const { return request_; }
  bool Send(std::string_view bytes) {
    while (!bytes.empty()) {
      const ssize_t sent = ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
      if (sent <= 0) return false;
      bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
    return true;
  }
  // Sleeps for `delay`, or less when the server is being stopped; true then.
  bool WaitForStop(std::chrono::milliseconds delay) { return waitForStop_(delay); }
  void HangUntilStopped() {
    while (!WaitForStop(std::chrono::hours(1))) {
    }
  }

 private:
  int fd_;
  std::string request_;
  std::function<bool(std::chrono::milliseconds)> waitForStop_;
};

// A TCP server on 127.0.0.1 with a port of the system's choosing that hands
// each connection to a handler on a thread of its own: for servers that break
// the rules (never answer, stall, drip, send forever) and for a recording proxy.
// The destructor wakes every waiting handler and joins all threads.
class RawServer {
 public:
  using Handler = std::function<void(RawConnection&)>;

  explicit RawServer(Handler handler) : handler_(std::move(handler)) {
    listenFd_ = ::socket(AF_INET, SOCK_STREAM, 0);
    const int yes = 1;
    ::setsockopt(listenFd_, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    ::bind(listenFd_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::listen(listenFd_, 128);
    socklen_t length = sizeof address;
    ::getsockname(listenFd_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    acceptor_ = std::thread([this] { AcceptLoop(); });
  }

  ~RawServer() {
    {
      std::lock_guard lock(mutex_);
      stopping_ = true;
    }
    wake_.notify_all();
    acceptor_.join();
    std::vector<std::thread> threads;
    {
      std::lock_guard lock(mutex_);
      threads.swap(connections_);
    }
    for (std::thread& thread : threads) thread.join();
    ::close(listenFd_);
  }

  int port() const { return port_; }
  std::string Origin() const { return "http://127.0.0.1:" + std::to_string(port_); }

  std::vector<std::string> Requests() {
    std::lock_guard lock(mutex_);
    return requests_;
  }
  // The first line of each request, without its line end.
  std::vector<std::string> RequestLines() {
    std::vector<std::string> lines;
    for (const std::string& request : Requests()) lines.push_back(request.substr(0, request.find("\r\n")));
    return lines;
  }

 private:
  bool WaitForStop(std::chrono::milliseconds delay) {
    std::unique_lock lock(mutex_);
    return wake_.wait_for(lock, delay, [&] { return stopping_; });
  }

  bool Stopping() {
    std::lock_guard lock(mutex_);
    return stopping_;
  }

  void AcceptLoop() {
    while (!Stopping()) {
      pollfd waiting{listenFd_, POLLIN, 0};
      if (::poll(&waiting, 1, 20) <= 0) continue;
      const int fd = ::accept(listenFd_, nullptr, nullptr);
      if (fd < 0) continue;
      std::lock_guard lock(mutex_);
      connections_.emplace_back([this, fd] { Serve(fd); });
    }
  }

  void Serve(int fd) {
    std::string request;
    char buffer[4096];
    // A client that sent something other than an HTTP head (a TLS hello) gets
    // its answer after a short quiet spell instead of hanging.
    int quietPolls = 0;
    while (request.find("\r\n\r\n") == std::string::npos && request.size() < 65536 && !Stopping()) {
      pollfd waiting{fd, POLLIN, 0};
      if (::poll(&waiting, 1, 20) <= 0) {
        if (!request.empty() && ++quietPolls == 10) break;
        continue;
      }
      quietPolls = 0;
      const ssize_t got = ::recv(fd, buffer, sizeof buffer, 0);
      if (got <= 0) break;
      request.append(buffer, static_cast<std::size_t>(got));
    }
    {
      std::lock_guard lock(mutex_);
      requests_.push_back(request);
    }
    RawConnection connection(fd, request, [this](std::chrono::milliseconds delay) { return WaitForStop(delay); });
    handler_(connection);
    ::shutdown(fd, SHUT_RDWR);
    ::close(fd);
  }

  Handler handler_;
  int listenFd_ = -1;
  int port_ = 0;
  std::thread acceptor_;
  std::mutex mutex_;
  std::condition_variable wake_;
  bool stopping_ = false;
  std::vector<std::thread> connections_;
  std::vector<std::string> requests_;
};

// "HTTP/1.0 200 OK" with the body and its Content-Length.
inline std::string PlainAnswer(std::string_view body, std::string_view status = "200 OK") {
  std::string answer = "HTTP/1.0 ";
  answer.append(status);
  answer += "\r\nContent-Type: text/html\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n";
  answer.append(body);
  return answer;
}

}  // namespace sorvane::testing

#pragma once

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace sorvane::bench {

// A listening socket on 127.0.0.1 with a port of the system's choosing; -1 on failure.
inline int ListenOnLoopback(int& port) {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  if (fd < 0) return -1;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(fd, 256) != 0 ||
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    ::close(fd);
    return -1;
  }
  port = ntohs(address.sin_port);
  return fd;
}

// Answers every request `delay` after its head arrived, then closes the
// connection (HTTP/1.0). One thread and one poll loop for all connections, so
// the server costs the machine next to nothing while the client is measured.
// Returns when `stopFd` becomes readable or reaches its end.
inline void ServeDelayedPages(int listenFd, int stopFd, std::chrono::milliseconds delay,
                              const std::function<std::string(const std::string& requestLine)>& answerFor) {
  using Clock = std::chrono::steady_clock;
  struct Client {
    int fd = -1;
    std::string in;
    bool complete = false;
    Clock::time_point due;
  };
  std::vector<Client> clients;
  for (;;) {
    std::vector<pollfd> waits = {{listenFd, POLLIN, 0}, {stopFd, POLLIN, 0}};
    int timeout = -1;
    const auto now = Clock::now();
    for (const Client& client : clients) {
      if (!client.complete) {
        waits.push_back({client.fd, POLLIN, 0});
        continue;
      }
      const auto left = std::chrono::ceil<std::chrono::milliseconds>(client.due - now).count();
      const int wait = static_cast<int>(std::max<long long>(0, left));
      timeout = timeout < 0 ? wait : std::min(timeout, wait);
    }
    ::poll(waits.data(), waits.size(), timeout);
    if (waits[1].revents != 0) break;
    if (waits[0].revents & POLLIN) {
      const int fd = ::accept(listenFd, nullptr, nullptr);
      if (fd >= 0) {
        Client client;
        client.fd = fd;
        clients.push_back(std::move(client));
      }
    }
    for (std::size_t i = 2; i < waits.size(); ++i) {
      if (waits[i].revents == 0) continue;
      for (Client& client : clients) {
        if (client.fd != waits[i].fd) continue;
        char buffer[4096];
        const ssize_t got = ::recv(client.fd, buffer, sizeof buffer, 0);
        if (got > 0) client.in.append(buffer, static_cast<std::size_t>(got));
        if (got <= 0 || client.in.find("\r\n\r\n") != std::string::npos) {
          client.complete = true;
          client.due = Clock::now() + delay;
        }
      }
    }
    const auto later = Clock::now();
    std::erase_if(clients, [&](Client& client) {
      if (!client.complete || client.due > later) return false;
      const std::string answer = answerFor(client.in.substr(0, client.in.find("\r\n")));
      ::send(client.fd, answer.data(), answer.size(), MSG_NOSIGNAL);
      ::shutdown(client.fd, SHUT_RDWR);
      ::close(client.fd);
      return true;
    });
  }
  for (const Client& client : clients) ::close(client.fd);
}

}  // namespace sorvane::bench

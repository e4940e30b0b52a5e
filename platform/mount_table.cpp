#include "platform/mount_table.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace sorvane {

std::optional<std::string> ReadMountTable() {
  // The table is made as it is read and reports a size of zero, so it is read to
  // its end rather than by its size.
  const int fd = ::open("/proc/self/mounts", O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  std::string text;
  char buffer[16384];
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got > 0) {
      text.append(buffer, static_cast<std::size_t>(got));
    } else if (got < 0 && errno == EINTR) {
      continue;
    } else {
      ::close(fd);
      if (got < 0) return std::nullopt;
      return text;
    }
  }
}

}  // namespace sorvane

#include "platform/readable_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace sorvane {

ReadableFile::~ReadableFile() { Close(); }

ReadableFile::ReadableFile(ReadableFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)),
      size_(other.size_),
      offset_(other.offset_),
      accessTimeRefused_(other.accessTimeRefused_) {}

ReadableFile& ReadableFile::operator=(ReadableFile&& other) noexcept {
  if (this != &other) {
    Close();
    fd_ = std::exchange(other.fd_, -1);
    size_ = other.size_;
    offset_ = other.offset_;
    accessTimeRefused_ = other.accessTimeRefused_;
  }
  return *this;
}

void ReadableFile::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  size_ = 0;
  offset_ = 0;
}

bool ReadableFile::Open(int folderHandle, const std::string& name, bool mayBeLink,
                        bool keepAccessTime) {
  Close();
  accessTimeRefused_ = false;
  const int base = folderHandle >= 0 ? folderHandle : AT_FDCWD;
  if (mayBeLink) {
    // Looking before opening keeps a link to a device from ever being opened.
    struct stat target {};
    if (::fstatat(base, name.c_str(), &target, 0) != 0 || !S_ISREG(target.st_mode)) return false;
  }
  // O_NONBLOCK: should the entry have turned into a FIFO since it was listed,
  // the open returns at once instead of waiting for a writer.
  const int flags = O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
  int fd = ::openat(base, name.c_str(), keepAccessTime ? flags | O_NOATIME : flags);
  // O_NOATIME is refused for files of other users; their access time is theirs.
  if (fd < 0 && keepAccessTime && errno == EPERM) {
    accessTimeRefused_ = true;
    fd = ::openat(base, name.c_str(), flags);
  }
  if (fd < 0) return false;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return false;
  }
  fd_ = fd;
  size_ = static_cast<std::uint64_t>(info.st_size);
  return true;
}

std::size_t ReadableFile::Read(unsigned char* buffer, std::size_t capacity) {
  std::size_t filled = 0;
  while (fd_ >= 0 && filled < capacity) {
    const std::size_t wanted = capacity - filled;
    const ssize_t got = ::read(fd_, buffer + filled, wanted);
    if (got > 0) {
      filled += static_cast<std::size_t>(got);
      offset_ += static_cast<std::uint64_t>(got);
      // A short read that has reached the size the file had when it was opened
      // is its end: asking again would only hear so, one call per file more.
      // Files that report no size (the kernel's own) are read until they say so.
      if (static_cast<std::size_t>(got) < wanted && size_ > 0 && offset_ >= size_) break;
    } else if (got < 0 && errno == EINTR) {
      continue;
    } else {
      // End of file, or a read error that ends the file as its end would.
      break;
    }
  }
  return filled;
}

}  // namespace sorvane
